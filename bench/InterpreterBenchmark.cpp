// Holding Right, and Down, from the middle of a 1 GiB in-place file with the
// data interpretation window shown, beside the same keys with it hidden. A
// key costs its own work, the status fields and the repaint of the view as
// bench_caret counts them; with the window shown also the caret hook (the
// bytes read, placed, rendered into the cells) and the window painted into
// an image. Down crosses the store's data window every few hundred keys.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "bench/HexViewFixture.h"
#include "display/DisplayTexts.h"
#include "interpret/InterpretationTable.h"
#include "interpret/InterpreterStrings.h"
#include "interpret/ui/CHexInterpreter.h"

namespace {

constexpr std::uint32_t kRight = 0x27;
constexpr std::uint32_t kDown = 0x28;

void holdKey(benchmark::State& state, std::uint32_t key, bool shown) {
    benchview::View view(true, false);
    CHexPanel& panel = *view.panel;
    const platform::StringTable strings{displayStrings(), interpretation::strings(),
                                        interpreterWindowStrings()};
    QImage image(benchview::kWidth, benchview::kHeight, QImage::Format_RGB32);
    CHexInterpreter window(*view.settings, strings, nullptr);
    window.setHiddenByUser(!shown);
    QImage windowImage(window.size(), QImage::Format_RGB32);
    // Each run covers the same stretch from the middle of the file.
    const std::uint64_t from = panel.state().dataSize / 2;
    const std::uint64_t to = from + (std::uint64_t{8} << 20);
    panel.gotoOffset(from);
    for (auto _ : state) {
        panel.handleKey(eventid::KeyPressed, key, 0);
        benchview::showCaretAndRepaint(view, strings, image);
        if (!window.isHiddenByUser()) {
            const Point caret = view.window.caretPosition();
            const std::uint64_t offset = panel.caretOffset();
            window.followCaret(
                QPoint(caret.x, caret.y), panel.state().pixels.lineHeight,
                [&panel, offset](std::uint8_t* bytes, int& count) {
                    std::uint64_t read = 0;
                    if (!panel.data().readData(bytes, static_cast<std::uint64_t>(count), read,
                                               offset)) {
                        return false;
                    }
                    count = static_cast<int>(read);
                    return true;
                });
            window.render(&windowImage);
            benchmark::DoNotOptimize(windowImage.constBits());
        }
        if (panel.caretOffset() >= to) {
            state.PauseTiming();
            panel.gotoOffset(from);
            state.ResumeTiming();
        }
    }
}

void BM_RightKeyInterpreterShown(benchmark::State& state) {
    holdKey(state, kRight, true);
}
void BM_RightKeyInterpreterHidden(benchmark::State& state) {
    holdKey(state, kRight, false);
}
void BM_DownKeyInterpreterShown(benchmark::State& state) {
    holdKey(state, kDown, true);
}
void BM_DownKeyInterpreterHidden(benchmark::State& state) {
    holdKey(state, kDown, false);
}

// Shown and hidden take turns, so a drift of the machine touches both alike.
BENCHMARK(BM_RightKeyInterpreterShown)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RightKeyInterpreterHidden)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_DownKeyInterpreterShown)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_DownKeyInterpreterHidden)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
