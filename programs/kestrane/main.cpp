#include <QApplication>
#include <QIcon>
#include <string>
#include <vector>

#include "app/CKestraneApp.h"
#include "platform/UiThread.h"
#include "programs/kestrane/KestraneStrings.h"

int main(int argc, char** argv) {
    // The interpretation window follows the caret, so the program places its
    // own windows, which X11 allows a client (through XWayland on a Wayland desktop).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kestrane.svg")));
    platform::markUiThread();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    CKestraneApp app(makeKestraneStringTable());
    if (!app.start(arguments)) {
        return 0;  // another instance runs and only one is allowed
    }
    const int status = QApplication::exec();
    platform::unmarkUiThread();
    return status;
}
