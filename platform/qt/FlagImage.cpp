#include "platform/qt/FlagImage.h"

#include <QFont>
#include <QPainter>

QImage flagImage(std::uint32_t colourRef, const std::string& text) {
    const QColor colour(static_cast<int>(colourRef & 0xFF),
                        static_cast<int>((colourRef >> 8) & 0xFF),
                        static_cast<int>((colourRef >> 16) & 0xFF));
    const QString label = QString::fromStdString(text);
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawLine(2, 1, 2, 15);
    painter.setPen(colour.darker(150));
    painter.setBrush(colour);
    painter.drawPolygon(
        QPolygon({QPoint(3, 1), QPoint(15, 1), QPoint(12, 5), QPoint(15, 9), QPoint(3, 9)}));
    QFont font;
    font.setPixelSize(7);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour.lightness() > 150 ? Qt::black : Qt::white);
    painter.drawText(QRect(3, 1, 9, 9), Qt::AlignCenter, label);
    return image;
}
