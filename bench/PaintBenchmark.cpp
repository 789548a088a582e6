// One full paint of a 1920 x 1080 hex view through the real panels and the
// Qt Graphics, beside the bare QPainter::drawText calls of the same texts.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

#include "bench/HexViewFixture.h"
#include "display/CHexPanel.h"
#include "display/DisplayTexts.h"
#include "display/ui/HexViewRenderer.h"

namespace {

using benchview::kHeight;
using benchview::kWidth;
using benchview::View;

void paintView(benchmark::State& state, bool large, bool atEnd) {
    View view(large, atEnd);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        view.renderer->render(*view.panel, image, image.rect());
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PaintFullWindow(benchmark::State& state) {
    paintView(state, true, false);
}
BENCHMARK(BM_PaintFullWindow)->Unit(benchmark::kMillisecond);

// The same line texts (addresses, hex, characters) with bare drawText calls.
void BM_PaintBaseline(benchmark::State& state) {
    View view(true, false);
    const ViewState& s = view.panel->state();
    std::vector<std::string> addresses;
    std::vector<std::string> hexes;
    std::vector<std::string> chars;
    for (std::int64_t line = 0; line < s.visibleLines(); ++line) {
        ViewState::LineBytes bytes;
        if (!s.lineBytes(static_cast<std::uint64_t>(line), bytes)) {
            break;
        }
        addresses.push_back(addressText(bytes.offset, true));
        hexes.push_back(hexLineText(bytes.bytes, bytes.count, bytes.leading, 1));
        chars.push_back(charLineText(bytes.bytes, bytes.count, bytes.leading, '.'));
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const int lineHeight = view.renderer->lineHeight();
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(view.renderer->font());
        for (std::size_t i = 0; i < hexes.size(); ++i) {
            const int y = 32 + static_cast<int>(i) * lineHeight + 12;
            painter.drawText(20, y,
                             QString::fromLatin1(addresses[i].data(),
                                                 static_cast<qsizetype>(addresses[i].size())));
            painter.drawText(
                100, y,
                QString::fromLatin1(hexes[i].data(), static_cast<qsizetype>(hexes[i].size())));
            painter.drawText(
                900, y,
                QString::fromLatin1(chars[i].data(), static_cast<qsizetype>(chars[i].size())));
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintBaseline)->Unit(benchmark::kMillisecond);

// The paint cost must not depend on the file's size or the scroll position.
void BM_PaintMemoryFile1MB(benchmark::State& state) {
    paintView(state, false, false);
}
BENCHMARK(BM_PaintMemoryFile1MB)->Unit(benchmark::kMillisecond);

void BM_PaintInPlace1GiBAtEnd(benchmark::State& state) {
    paintView(state, true, true);
}
BENCHMARK(BM_PaintInPlace1GiBAtEnd)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return benchview::runOffscreen(argc, argv);
}
