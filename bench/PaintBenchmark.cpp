// One full paint of a 1920 x 1080 hex view through the real panels and the
// Qt Graphics, beside the bare QPainter::drawText calls of the same texts.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/CSettings.h"
#include "display/CHexPanel.h"
#include "display/DisplayTexts.h"
#include "display/ui/HexViewRenderer.h"
#include "display/ui/OffscreenWindow.h"
#include "platform/TempFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct View {
    std::string folder;
    std::unique_ptr<platform::Registry> registry;
    std::unique_ptr<CSettings> settings;
    OffscreenWindow window{{kWidth, kHeight}};
    std::unique_ptr<HexViewRenderer> renderer;
    std::unique_ptr<CHexPanel> panel;

    // A 1 GiB sparse file in place, or a 1 MB file in memory; scrolled to the end.
    View(bool large, bool atEnd) {
        folder = platform::systemTempDirectory() + "/kestrane-paint-XXXXXX";
        if (mkdtemp(folder.data()) == nullptr) {
            std::abort();
        }
        registry = std::make_unique<platform::Registry>(folder + "/registry.sqlite");
        settings = std::make_unique<CSettings>(*registry);
        settings->open();
        settings->write(settings::edit::LineBytes, 32);
        const std::string path = folder + "/data.bin";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        std::vector<char> bytes(1000000);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(i * 7);
        }
        if (::write(fd, bytes.data(), bytes.size()) < 0 ||
            (large && ftruncate(fd, 1ll << 30) != 0)) {
            std::abort();
        }
        ::close(fd);
        renderer = std::make_unique<HexViewRenderer>("Courier New", 96);
        panel = std::make_unique<CHexPanel>(settings.get(),
                                            CEditDataServices{settings.get(), nullptr, nullptr});
        panel->setNativeWindow(&window);
        renderer->applyMetrics(*panel);
        panel->openFile(path, kGenericRead);
        if (atEnd) {
            panel->scrollToLine(INT64_MAX);
        }
    }
    ~View() {
        panel.reset();
        fs::remove_all(folder);
    }
};

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
