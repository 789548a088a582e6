// Holding Page Down through a 1 GiB in-place file: one key press moves the
// caret a window down, fills the status fields and repaints the window. The
// cost per press must not grow along the file; the run near the end of the
// file stands beside the run at its start.
//
// Holding Right in the frame while another program owns the clipboard with
// a large text costs what it costs with an empty clipboard (run under an X
// server: QT_QPA_PLATFORM=xcb).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "bench/ForeignClipboardBenchmark.h"
#include "bench/HexViewFixture.h"
#include "display/DisplayTexts.h"

namespace {

constexpr std::uint32_t kPageDown = 0x22;

void holdPageDown(benchmark::State& state, bool nearEnd) {
    benchview::View view(true, false);
    CHexPanel& panel = *view.panel;
    const platform::StringTable strings{displayStrings()};
    QImage image(benchview::kWidth, benchview::kHeight, QImage::Format_RGB32);
    // Each run covers the same stretch: 64 MiB from its start.
    const std::uint64_t size = panel.state().dataSize;
    const std::uint64_t from = nearEnd ? size - (64u << 20) : 0;
    const std::uint64_t to = from + (64u << 20) - (1u << 20);
    panel.gotoOffset(from);
    for (auto _ : state) {
        panel.handleKey(eventid::KeyPressed, kPageDown, 0);
        benchview::showCaretAndRepaint(view, strings, image);
        if (panel.caretOffset() >= to) {
            state.PauseTiming();
            panel.gotoOffset(from);
            state.ResumeTiming();
        }
    }
}

void BM_PageDownAtStart(benchmark::State& state) {
    holdPageDown(state, false);
}
BENCHMARK(BM_PageDownAtStart)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_PageDownAtEnd(benchmark::State& state) {
    holdPageDown(state, true);
}
BENCHMARK(BM_PageDownAtEnd)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CaretKeyWithEmptyClipboard(benchmark::State& state) {
    foreignclip::holdRight(state, "/proc/self/exe", false);
}
BENCHMARK(BM_CaretKeyWithEmptyClipboard)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CaretKeyWithForeignClipboard(benchmark::State& state) {
    foreignclip::holdRight(state, "/proc/self/exe", true);
}
BENCHMARK(BM_CaretKeyWithForeignClipboard)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (foreignclip::wantsOwner(argc, argv)) {
        return foreignclip::ownClipboard(argc, argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
