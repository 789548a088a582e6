#pragma once
// Holding Right in Kestrane's frame under a real X server (the xcb platform)
// while another process owns the desktop clipboard with a 1 MiB text item.
// Each key moves the caret, updates the commands and status fields that
// follow the caret, and repaints the window; the same run with an empty
// clipboard stands beside it. The owner is this program started again with
// --own-clipboard.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "bench/SilentMessages.h"
#include "display/ui/CHexWindow.h"
#include "programs/kestrane/KestraneStrings.h"
#include "settings/CSettings.h"

namespace foreignclip {

constexpr const char* kOwnerFlag = "--own-clipboard";
constexpr int kTextSize = 1 << 20;

// The owner's side: puts the text on the clipboard, says so on stdout and
// serves it until it is killed.
inline int ownClipboard(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    QGuiApplication::clipboard()->setText(QString(kTextSize, QLatin1Char('k')));
    std::printf("ready\n");
    std::fflush(stdout);
    return QGuiApplication::exec();
}

inline bool wantsOwner(int argc, char** argv) {
    return argc > 1 && std::strcmp(argv[1], kOwnerFlag) == 0;
}

// Another process holding the clipboard for as long as this object lives.
class ForeignOwner {
  public:
    explicit ForeignOwner(const char* self) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            close(pipeEnds[0]);
            execl(self, self, kOwnerFlag, "-platform", "xcb", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        char line[16] = {};
        ready_ = pid_ > 0 && read(pipeEnds[0], line, sizeof line - 1) > 0 &&
                 std::strncmp(line, "ready", 5) == 0;
        close(pipeEnds[0]);
    }
    ~ForeignOwner() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    ForeignOwner(const ForeignOwner&) = delete;
    ForeignOwner& operator=(const ForeignOwner&) = delete;
    bool ready() const { return ready_; }

  private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

using benchsupport::SilentMessages;

// Waits (handling events) until the clipboard shows text or is empty, as asked.
inline bool awaitClipboard(bool text) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if ((data != nullptr && data->hasText()) == text) {
            return true;
        }
    }
    return false;
}

inline void holdRight(benchmark::State& state, const char* self, bool foreign) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        state.SkipWithError("needs an X server: run with DISPLAY set and QT_QPA_PLATFORM=xcb");
        return;
    }
    QTemporaryDir dir;
    platform::Registry registry(dir.filePath("registry.sqlite").toStdString());
    CSettings settings(registry);
    settings.open();
    const platform::StringTable strings = makeKestraneStringTable();
    SilentMessages messages(strings);
    const std::string path = dir.filePath("data.bin").toStdString();
    std::ofstream(path, std::ios::binary) << std::string(65536, 'x');

    QGuiApplication::clipboard()->clear();
    std::unique_ptr<ForeignOwner> owner;
    if (foreign) {
        owner = std::make_unique<ForeignOwner>(self);
        if (!owner->ready() || !awaitClipboard(true)) {
            state.SkipWithError("the clipboard's owner did not start");
            return;
        }
    } else if (!awaitClipboard(false)) {
        state.SkipWithError("the clipboard could not be emptied");
        return;
    }

    CMainFrame frame(settings, strings, messages, nullptr);
    frame.resize(1000, 700);
    frame.show();
    if (!frame.openDocument(path)) {
        state.SkipWithError("the file did not open");
        return;
    }
    CChildFrame* child = frame.activeChild();
    CHexWindow& window = child->view();
    window.setFocus();
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
    }
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    for (auto _ : state) {
        QApplication::sendEvent(&window, &right);
        QCoreApplication::processEvents();
        if (child->panel().caretOffset() >= 60000) {
            state.PauseTiming();
            child->panel().gotoOffset(0);
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
    }
    frame.close();
}

}  // namespace foreignclip
