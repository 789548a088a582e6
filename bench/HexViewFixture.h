#pragma once

// A hex view on an off-screen window for the benchmarks: a 1 GiB sparse file
// edited in place, or a small file in memory, optionally scrolled to the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "display/CHexPanel.h"
#include "display/DisplayTexts.h"
#include "display/ui/HexViewRenderer.h"
#include "display/ui/OffscreenWindow.h"
#include "platform/TempFile.h"
#include "settings/CSettings.h"

namespace benchview {

namespace fs = std::filesystem;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct View {
    std::string folder;
    std::unique_ptr<platform::Registry> registry;
    std::unique_ptr<CSettings> settings;
    OffscreenWindow window;
    std::unique_ptr<HexViewRenderer> renderer;
    std::unique_ptr<CHexPanel> panel;

    // `large`: a 1 GiB file in place, else `leading` bytes in memory (the
    // first `leading` bytes of the large file are data too).
    View(bool large, bool atEnd, std::uint32_t access = kGenericRead, std::size_t leading = 1000000,
         int height = kHeight)
        : window({kWidth, height}) {
        folder = platform::systemTempDirectory() + "/kestrane-bench-XXXXXX";
        if (mkdtemp(folder.data()) == nullptr) {
            std::abort();
        }
        registry = std::make_unique<platform::Registry>(folder + "/registry.sqlite");
        settings = std::make_unique<CSettings>(*registry);
        settings->open();
        settings->write(settings::edit::LineBytes, 32);
        const std::string path = folder + "/data.bin";
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        std::vector<char> bytes(leading);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(i * 7);
        }
        if (::write(fd, bytes.data(), bytes.size()) < 0 ||
            (large && ftruncate(fd, 1ll << 30) != 0)) {
            std::abort();
        }
        ::close(fd);
        renderer = std::make_unique<HexViewRenderer>("Courier New", 96);
        panel =
            std::make_unique<CHexPanel>(*settings, CEditDataServices{*settings, nullptr, nullptr});
        panel->setNativeWindow(&window);
        renderer->applyMetrics(*panel);
        panel->openFile(path, access);
        if (atEnd) {
            panel->scrollToLine(INT64_MAX);
        }
    }
    ~View() {
        panel.reset();
        fs::remove_all(folder);
    }
};

// What one key costs besides its own work: the status fields of the caret
// and a full repaint.
inline void showCaretAndRepaint(View& view, const platform::StringTable& strings, QImage& image) {
    CHexPanel& panel = *view.panel;
    const CellGeometry cells = panel.hexPanel().cells();
    const std::uint64_t caretCell = cells.byteToCell(panel.caretOffset());
    benchmark::DoNotOptimize(pageField(strings, caretCell, cells.cellsPerLine(),
                                       panel.state().presentation.pageHeight(), true));
    benchmark::DoNotOptimize(lineField(strings, caretCell, cells.cellsPerLine()));
    benchmark::DoNotOptimize(posField(strings, panel.caretOffset(), 0));
    view.renderer->render(panel, image, image.rect());
    benchmark::DoNotOptimize(image.constBits());
}

// Runs the registered benchmarks with a Qt application on the offscreen
// platform (unless another one is asked for).
inline int runOffscreen(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace benchview
