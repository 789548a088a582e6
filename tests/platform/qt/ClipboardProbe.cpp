// A second process for the clipboard test under a real X server:
//   clipboard_probe put   copies 41 42 00 43 as a range and serves the
//                         clipboard for a few seconds;
//   clipboard_probe get   prints the "Kestrane HEX-Data" bytes and the text
//                         it finds, as hexadecimal.
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "editdata/CEditData.h"
#include "exchange/ClipboardExchange.h"
#include "exchange/ClipboardFormats.h"
#include "platform/qt/QtClipboard.h"
#include "tests/support/QuietOwner.h"

namespace {

int put(QGuiApplication& application) {
    testsupport::QuietOwner owner;
    CEditData data;
    data.setOwner(&owner);
    const std::uint8_t bytes[] = {0x41, 0x42, 0x00, 0x43};
    if (!data.create(sizeof bytes, 0) || !data.overwriteData(bytes, sizeof bytes, 0, false)) {
        return 1;
    }
    platform::QtClipboard clipboard;
    if (copyRange(data, clipboard, 0, 4, 0x100, 1048576) != CopyResult::Copied) {
        return 1;
    }
    QTimer::singleShot(4000, &application, &QGuiApplication::quit);
    return application.exec();
}

int get() {
    platform::QtClipboard clipboard;
    const auto raw = clipboard.read(kHexDataFormat);
    std::printf("data:");
    if (raw) {
        for (const std::uint8_t b : *raw) {
            std::printf("%02x", b);
        }
    }
    std::printf("\ntext:%s\n", clipboard.readText().value_or("").c_str());
    return raw ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "put") == 0) {
        return put(application);
    }
    if (argc == 2 && std::strcmp(argv[1], "get") == 0) {
        return get();
    }
    std::fprintf(stderr, "usage: clipboard_probe put|get\n");
    return 2;
}
