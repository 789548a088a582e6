#include "display/ui/CTipWindow.h"

#include <QFontMetrics>
#include <QPainter>

CTipWindow::CTipWindow(const QFont& font, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setFont(font);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CTipWindow::showText(const QString& text, const QPoint& screenPoint, const QColor& color) {
    text_ = text;
    color_ = color;
    const QFontMetrics metrics(font());
    resize(8 + metrics.horizontalAdvance(text) + 8, 4 + metrics.height() + 4);
    move(screenPoint);
    show();
    update();
}

void CTipWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xFF, 0xFF, 0xC0));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(color_);
    painter.drawText(rect().adjusted(8, 4, -8, -4), Qt::AlignLeft | Qt::AlignVCenter, text_);
}
