// Typing hex digits: one key writes a nibble (recorded for undo), moves the
// caret, fills the status fields and repaints the window. The cost per key at
// the start and at the end of a 1 GiB in-place file stands beside the cost
// in a 1 KiB file held in memory. The window is as tall as the small file's
// lines, so every run paints a full window.
#include <benchmark/benchmark.h>

#include <QImage>

#include "bench/HexViewFixture.h"
#include "display/DisplayTexts.h"

namespace {

enum class Where { MemoryFile, LargeStart, LargeEnd };

// 28 lines of 32 bytes under the header: the 1 KiB file fills them.
constexpr int kWindowHeight = 480;

void typeDigits(benchmark::State& state, Where where) {
    const bool large = where != Where::MemoryFile;
    benchview::View view(large, false, kGenericRead | kGenericWrite, large ? 1000000 : 1024,
                         kWindowHeight);
    CHexPanel& panel = *view.panel;
    const platform::StringTable strings{displayStrings()};
    QImage image(benchview::kWidth, kWindowHeight, QImage::Format_RGB32);
    const std::uint64_t size = panel.state().dataSize;
    // Each run types over the same stretch of 256 bytes in view.
    const std::uint64_t from = where == Where::LargeEnd ? size - 1024 : 0;
    const std::uint64_t to = from + 256;
    panel.gotoOffset(from);
    const char digits[] = "0123456789abcdef";
    std::size_t next = 0;
    for (auto _ : state) {
        panel.editor().typeKey(static_cast<unsigned char>(digits[next++ % 16]));
        benchview::showCaretAndRepaint(view, strings, image);
        if (panel.caretOffset() >= to) {
            state.PauseTiming();
            panel.gotoOffset(from);
            state.ResumeTiming();
        }
    }
}

void BM_TypeInMemoryFile(benchmark::State& state) {
    typeDigits(state, Where::MemoryFile);
}
void BM_TypeAtStartOfLargeFile(benchmark::State& state) {
    typeDigits(state, Where::LargeStart);
}
void BM_TypeAtEndOfLargeFile(benchmark::State& state) {
    typeDigits(state, Where::LargeEnd);
}

BENCHMARK(BM_TypeInMemoryFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TypeAtStartOfLargeFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TypeAtEndOfLargeFile)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    return benchview::runOffscreen(argc, argv);
}
