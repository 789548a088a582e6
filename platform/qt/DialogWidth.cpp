#include "platform/qt/DialogWidth.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace {

// What a title bar needs besides its text: icon, buttons and margins.
constexpr int kTitleBarExtra = 160;

}  // namespace

void widenToTitle(QWidget& dialog) {
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);  // title bars mostly draw bold
    const int title =
        QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + kTitleBarExtra;
    const int wanted = std::max({title, dialog.sizeHint().width(), dialog.minimumWidth()});
    dialog.setMinimumWidth(wanted);
    if (dialog.width() < wanted) {
        dialog.resize(wanted, dialog.height());
    }
}
