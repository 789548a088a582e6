#include <QApplication>
#include <QIcon>
#include <string>
#include <vector>

#include "app/CKestraneApp.h"
#include "platform/UiThread.h"
#include "programs/kestrane/KestraneStrings.h"

int main(int argc, char** argv) {
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
