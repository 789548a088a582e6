#include "interpret/ui/InterpreterImages.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include "interpret/InterpreterButtons.h"

namespace {

const QColor kTransparent(0, 255, 0);
const QColor kInk(0x20, 0x20, 0x60);

void padlock(QPainter& painter, int left, bool locked) {
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(Qt::NoBrush);
    // The shackle, swung open when unlocked.
    painter.drawArc(QRectF(left + 4.5, 1.5, 7, 8), 0, 180 * 16);
    painter.drawLine(QPointF(left + 4.5, 5.5), QPointF(left + 4.5, 8));
    if (locked) {
        painter.drawLine(QPointF(left + 11.5, 5.5), QPointF(left + 11.5, 8));
    }
    painter.setPen(kInk);
    painter.setBrush(QColor(0xE0, 0xB0, 0x30));
    painter.drawRect(left + 3, 8, 10, 7);
}

void pin(QPainter& painter, int left, bool locked) {
    painter.setPen(kInk);
    painter.setBrush(QColor(0xD0, 0x30, 0x30));
    if (locked) {
        painter.drawEllipse(left + 4, 1, 8, 8);
        painter.drawLine(left + 8, 9, left + 8, 15);
    } else {
        painter.drawEllipse(left + 7, 1, 8, 8);
        painter.drawLine(left + 9, 8, left + 2, 15);
    }
}

// Two bytes and an arrow: the byte order, the low byte first or last.
void byteOrder(QPainter& painter, int left, bool little) {
    painter.setPen(kInk);
    painter.setBrush(little ? QColor(0x60, 0xA0, 0xF0) : Qt::white);
    painter.drawRect(left + 1, 2, 6, 6);
    painter.setBrush(little ? Qt::white : QColor(0x60, 0xA0, 0xF0));
    painter.drawRect(left + 8, 2, 6, 6);
    painter.setBrush(kInk);
    const int tip = little ? left + 2 : left + 13;
    const int tail = little ? left + 13 : left + 2;
    painter.drawLine(tail, 12, tip, 12);
    const int back = little ? 3 : -3;
    painter.drawPolygon(QPolygon({QPoint(tip, 12), QPoint(tip + back, 9), QPoint(tip + back, 15)}));
}

void label(QPainter& painter, int left, const QString& text) {
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kInk);
    painter.drawText(QRect(left, 0, 16, 16), Qt::AlignCenter, text);
}

void closeCross(QPainter& painter, int left) {
    painter.setPen(QPen(QColor(0x80, 0x10, 0x10), 2));
    painter.drawLine(left + 4, 4, left + 11, 11);
    painter.drawLine(left + 11, 4, left + 4, 11);
}

}  // namespace

QImage interpreterButtonStrip() {
    QImage strip(kButtonStripWidth, 16, QImage::Format_RGB32);
    strip.fill(kTransparent);
    QPainter painter(&strip);
    // Hard edges only: a blend with the green would show as a fringe.
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    pin(painter, 0, true);
    pin(painter, 16, false);
    padlock(painter, 32, true);
    padlock(painter, 48, false);
    byteOrder(painter, 64, false);
    byteOrder(painter, 80, true);
    label(painter, 96, QStringLiteral("10"));
    label(painter, 112, QStringLiteral("16"));
    closeCross(painter, 144);
    return strip;
}

QIcon interpreterButtonIcon(int offset) {
    static const QImage strip = interpreterButtonStrip();
    QPixmap image = QPixmap::fromImage(strip.copy(offset, 0, 16, 16));
    image.setMask(image.createMaskFromColor(kTransparent, Qt::MaskInColor));
    return QIcon(image);
}
