#include "display/ui/HexViewRenderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "display/CHexPanel.h"
#include "display/ui/QtGraphics.h"
#include "marks/DatamarkLevels.h"
#include "platform/qt/FlagImage.h"

namespace {

// The page mark: a small sheet with a folded corner.
QImage pageMarkImage() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(0x40, 0x40, 0x80));
    painter.setBrush(QColor(0xF0, 0xF0, 0xFF));
    painter.drawPolygon(
        QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
    painter.drawLine(10, 1, 10, 4);
    painter.drawLine(10, 4, 13, 4);
    return image;
}

// The mark panel's header picture: a bookmark ribbon.
QImage markHeaderImage() {
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC0, 0x30, 0x30));
    painter.drawPolygon(
        QPolygon({QPoint(14, 4), QPoint(34, 4), QPoint(34, 44), QPoint(24, 34), QPoint(14, 44)}));
    return image;
}

// An association into another file: a box with an arrow leaving it.
QImage externalAssociationImage() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPen box(QColor(0x30, 0x50, 0x90), 1.0);
    painter.setPen(box);
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawPolyline(QPolygon(
        {QPoint(7, 3), QPoint(2, 3), QPoint(2, 13), QPoint(12, 13), QPoint(12, 8)}));
    QPen arrow(QColor(0x10, 0x70, 0x20), 2.0);
    arrow.setCapStyle(Qt::FlatCap);
    painter.setPen(arrow);
    painter.drawLine(QPointF(6.5, 9.5), QPointF(13.0, 3.0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x10, 0x70, 0x20));
    painter.drawPolygon(QPolygon({QPoint(9, 1), QPoint(15, 1), QPoint(15, 7)}));
    return image;
}

}  // namespace

HexViewRenderer::HexViewRenderer(const std::string& face, int logicalDpiY) {
    if (!face.empty()) {
        font_.setFamily(QString::fromStdString(face));
    }
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    font_.setWeight(QFont::Normal);
    font_.setPixelSize(std::max(1, 14 * logicalDpiY / 96));
    lineHeight_ = std::max(1, 16 * logicalDpiY / 96);
    const QFontMetrics metrics(font_);
    charWidth_ =
        std::max(1, static_cast<int>(std::ceil(metrics.horizontalAdvance("00000000") / 8.0)));
    glyphs_ = std::make_unique<CellGlyphs>(font_);
    images_[viewimage::kPageMark] = pageMarkImage();
    images_[viewimage::kMarkHeader] = markHeaderImage();
    images_[viewimage::kExternalAssociation] = externalAssociationImage();
    for (int image = 0; image < DatamarkLevels::kImages; ++image) {
        images_[viewimage::kDatamarkLevelBase + image] =
            flagImage(DatamarkLevels::imageColour(image), DatamarkLevels::imageLabel(image));
    }
}

void HexViewRenderer::applyMetrics(CHexPanel& panel) const {
    panel.setFontMetrics(charWidth_, lineHeight_);
}

void HexViewRenderer::render(CHexPanel& panel, QImage& image, const QRect& clip) const {
    QPainter painter(&image);
    painter.setFont(font_);
    QtGraphics graphics(painter, clip, lineHeight_, &images_, glyphs_.get());
    panel.paintWindow(graphics);
}
