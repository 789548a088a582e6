// Tamsorel, the hexadecimal calculator for multibyte operands: one window;
// the program ends when it closes. It keeps no settings.
#include <QApplication>
#include <QIcon>

#include "app/ProgramHelp.h"
#include "calc/CalculatorKeys.h"
#include "calc/HexEditBoxMenu.h"
#include "calc/ui/CCalculatorDialog.h"
#include "platform/UiThread.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtMessageService.h"

int main(int argc, char** argv) {
    // "Always Topmost" needs a window system that lets a program place its
    // windows: X11, through XWayland on a Wayland desktop.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamsorel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tamsorel.svg")));
    platform::markUiThread();
    const platform::StringTable strings{calculatorStrings(),
                                        hexEditBoxStrings(HexEditProgram::Tamsorel)};
    platform::QtClipboard clipboard;
    platform::QtMessageService messages(strings, std::string(kCalculatorTitle));
    CCalculatorDialog window(strings, clipboard, messages);
    giveProgramHelp(window, "Tps_calc.htm");
    window.exec();
    platform::unmarkUiThread();
    return 0;
}
