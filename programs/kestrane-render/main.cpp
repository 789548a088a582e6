// kestrane-render: draws a file through the real hex view code into a PNG,
// so the view can be looked at without the editor.
//
//   kestrane-render FILE OUT.png [--size WxH] [--line-bytes N] [--unit N]
//                   [--indent N] [--line N] [--select FROM:TO] [--no-header]
//
// It uses settings of its own (every appearance setting at its default), so
// nothing of the user's settings changes.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "display/CHexPanel.h"
#include "display/ui/HexViewRenderer.h"
#include "display/ui/OffscreenWindow.h"
#include "platform/TempFile.h"
#include "settings/CSettings.h"

namespace {

int usage() {
    std::fprintf(
        stderr,
        "usage: kestrane-render FILE OUT.png [--size WxH] [--line-bytes N] [--unit N]\n"
        "                       [--indent N] [--line N] [--select FROM:TO] [--no-header]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    int width = 1000;
    int height = 600;
    int lineBytes = 16;
    int unit = 1;
    int indent = 0;
    long long line = 0;
    long long selectFrom = -1;
    long long selectTo = -1;
    bool header = true;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--size" && hasValue &&
            std::sscanf(argv[++i], "%dx%d", &width, &height) == 2) {
        } else if (option == "--line-bytes" && hasValue) {
            lineBytes = std::atoi(argv[++i]);
        } else if (option == "--unit" && hasValue) {
            unit = std::atoi(argv[++i]);
        } else if (option == "--indent" && hasValue) {
            indent = std::atoi(argv[++i]);
        } else if (option == "--line" && hasValue) {
            line = std::atoll(argv[++i]);
        } else if (option == "--select" && hasValue &&
                   std::sscanf(argv[++i], "%lld:%lld", &selectFrom, &selectTo) == 2) {
        } else if (option == "--no-header") {
            header = false;
        } else {
            return usage();
        }
    }
    std::string folder = platform::systemTempDirectory() + "/kestrane-render-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        std::fprintf(stderr, "kestrane-render: no temporary folder\n");
        return 1;
    }
    int status = 0;
    {
        platform::Registry registry(folder + "/registry.sqlite");
        CSettings settings(registry);
        settings.open();
        settings.write(settings::edit::LineBytes, lineBytes);
        settings.write(settings::edit::UnitBytes, unit);
        settings.write(settings::edit::NullBytes, indent);
        settings.write(settings::view::HexdataTitle, header ? 1 : 0);
        OffscreenWindow window({width, height});
        HexViewRenderer renderer(settings.get(settings::appearance::DisplayFacename), 96);
        CHexPanel panel(settings, CEditDataServices{settings, nullptr, nullptr});
        panel.setNativeWindow(&window);
        renderer.applyMetrics(panel);
        if (!panel.openFile(argv[1], kGenericRead)) {
            std::fprintf(stderr, "kestrane-render: cannot open %s\n", argv[1]);
            status = 1;
        } else {
            panel.scrollToLine(line);
            if (selectFrom >= 0 && selectTo > selectFrom) {
                panel.setSelection(Selection::range(static_cast<std::uint64_t>(selectFrom),
                                                    static_cast<std::uint64_t>(selectTo)));
            }
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::white);
            renderer.render(panel, image, image.rect());
            if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
                std::fprintf(stderr, "kestrane-render: cannot write %s\n", argv[2]);
                status = 1;
            }
            panel.closeFile();
        }
    }
    std::filesystem::remove_all(folder);
    return status;
}
