// F4 through 10,000 datamarks spread over a 1 GiB file opened in place:
// one step of the core (the target found, made current, the caret,
// selection, scroll position and visible bytes set) by occurrence and by
// nature, beside the repaint of the window after the same steps. Times are
// per step; the core must stay far below the repaint it causes.
#include <benchmark/benchmark.h>

#include <QImage>
#include <random>

#include "bench/HexViewFixture.h"
#include "marks/DatamarkNavigator.h"

namespace {

constexpr int kDatamarks = 10000;

// Datamarks at random offsets in list order unrelated to their positions;
// every fourth an advanced one whose found bytes get selected.
void addDatamarks(CHexPanel& panel) {
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<std::uint64_t> offset(0, panel.state().dataSize - 8);
    DatamarkList& list = panel.datamarks().list();
    for (int i = 0; i < kDatamarks; ++i) {
        CBmitemObj datamark;
        datamark.name = "mark" + std::to_string(i);
        datamark.position = offset(random);
        datamark.level = 1 + i % 8;
        datamark.normalDatamark = i % 4 != 0;
        datamark.findResultString = datamark.normalDatamark ? "" : "ce 42 00 ";
        list.append(std::move(datamark));
    }
    panel.refreshDatamarks();
}

// One F4 as the frame runs it.
void stepOnce(CHexPanel& panel, BrowserStyle style) {
    const NavigationTarget target = panel.navigator().step(true, style, panel.caretOffset());
    if (target.kind == NavigationTarget::Kind::Here) {
        panel.goToDatamark(target.index);
    }
}

void walk(benchmark::State& state, BrowserStyle style) {
    benchview::View view(true, false);
    addDatamarks(*view.panel);
    for (auto _ : state) {
        stepOnce(*view.panel, style);
        benchmark::DoNotOptimize(view.panel->state().visible.data());
    }
}

void BM_NextDatamark_Occurrence(benchmark::State& state) {
    walk(state, BrowserStyle::Occurrence);
}
BENCHMARK(BM_NextDatamark_Occurrence)
    ->Name("BM_NextDatamark/Occurrence")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_NextDatamark_Nature(benchmark::State& state) {
    walk(state, BrowserStyle::Nature);
}
BENCHMARK(BM_NextDatamark_Nature)
    ->Name("BM_NextDatamark/Nature")
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The repaint of the whole window after each step; the step itself untimed.
void BM_RepaintAfterStep(benchmark::State& state) {
    benchview::View view(true, false);
    addDatamarks(*view.panel);
    QImage image(benchview::kWidth, benchview::kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        stepOnce(*view.panel, BrowserStyle::Nature);
        state.ResumeTiming();
        view.renderer->render(*view.panel, image, image.rect());
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RepaintAfterStep)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    return benchview::runOffscreen(argc, argv);
}
