// Pellwick, the hexadecimal data interpreter: one window that reads typed
// bytes as fourteen data types; the program ends when it closes. It takes
// no command line and keeps no settings.
#include <QApplication>
#include <QIcon>

#include "app/ProgramHelp.h"
#include "calc/HexEditBoxMenu.h"
#include "interpret/InterpretationTable.h"
#include "interpret/InterpreterStrings.h"
#include "interpret/ui/CPellwickDialog.h"
#include "platform/UiThread.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtMessageService.h"

int main(int argc, char** argv) {
    // The programs place their own windows, which X11 allows a client
    // (through XWayland on a Wayland desktop).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pellwick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pellwick.svg")));
    platform::markUiThread();
    const platform::StringTable strings{interpretation::strings(), pellwickStrings(),
                                        hexEditBoxStrings(HexEditProgram::Pellwick)};
    platform::QtClipboard clipboard;
    platform::QtMessageService messages(strings, "Hexadecimal Data Interpreter");
    CPellwickDialog window(strings, clipboard, messages);
    giveProgramHelp(window, "Tps_interpret.htm");
    window.exec();
    platform::unmarkUiThread();
    return 0;
}
