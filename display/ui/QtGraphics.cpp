#include "display/ui/QtGraphics.h"

#include <QGlyphRun>
#include <QList>

CellGlyphs::CellGlyphs(const QFont& font) : font_(QRawFont::fromFont(font)) {
    QString all;
    for (int c = 0; c < 256; ++c) {
        all.append(QChar(c));
    }
    const QList<quint32> indexes = font_.glyphIndexesForString(all);
    for (int c = 0; c < 256 && c < indexes.size(); ++c) {
        glyphs_[static_cast<std::size_t>(c)] = indexes[c];
    }
    const QList<QPointF> advances = font_.advancesForGlyphIndexes(QList<quint32>{glyphs_['0']});
    advance_ = advances.isEmpty() ? 0 : advances.front().x();
}

QtGraphics::QtGraphics(QPainter& painter, const QRect& clip, int lineHeight,
                       const std::map<int, QImage>* images, const CellGlyphs* glyphs)
    : painter_(painter),
      metrics_(painter.font()),
      lineHeight_(lineHeight),
      baseline_((lineHeight - metrics_.height()) / 2 + metrics_.ascent()),
      images_(images),
      glyphs_(glyphs) {
    state_.clip = clip;
    applyClip();
}

void QtGraphics::applyClip() {
    painter_.setClipRect(state_.clip);
}

int QtGraphics::save() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

void QtGraphics::restore(int saved) {
    while (static_cast<int>(saved_.size()) >= saved && !saved_.empty()) {
        state_ = saved_.back();
        saved_.pop_back();
    }
    applyClip();
}

void QtGraphics::translateOrigin(int dx, int dy) {
    state_.origin.x += dx;
    state_.origin.y += dy;
}

void QtGraphics::intersectClip(const Rectangles& rectangle) {
    state_.clip = state_.clip.intersected(device(rectangle));
    applyClip();
}

Rectangles QtGraphics::clipBox() const {
    return {state_.clip.x() - state_.origin.x, state_.clip.y() - state_.origin.y,
            state_.clip.width(), state_.clip.height()};
}

void QtGraphics::fillRect(const Rectangles& rectangle, ColorRef color) {
    painter_.fillRect(device(rectangle), toQColor(color));
}

void QtGraphics::textOut(int x, int y, std::string_view text) {
    // Cell texts go through cellTextOut; these are captions and the printed
    // header and footer, UTF-8 (bytes that are not print as replacements).
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QPoint at(x + state_.origin.x, y + state_.origin.y);
    if (!state_.transparent) {
        painter_.fillRect(QRect(at, QSize(metrics_.horizontalAdvance(string), lineHeight_)),
                          toQColor(state_.background));
    }
    painter_.setPen(toQColor(state_.text));
    painter_.drawText(at.x(), at.y() + baseline_, string);
}

void QtGraphics::cellTextOut(int x, int y, std::string_view text, int cellWidth) {
    if (text.empty()) {
        return;
    }
    if (glyphs_ == nullptr) {
        ownGlyphs_ = std::make_unique<CellGlyphs>(painter_.font());
        glyphs_ = ownGlyphs_.get();
    }
    const QPoint at(x + state_.origin.x, y + state_.origin.y);
    if (!state_.transparent) {
        painter_.fillRect(QRect(at, QSize(static_cast<int>(text.size()) * cellWidth, lineHeight_)),
                          toQColor(state_.background));
    }
    // One glyph run for the whole text, each glyph in the middle of its cell.
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    const qreal inset = glyphs_->inset(cellWidth);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != ' ') {
            indexes.append(glyphs_->glyph(c));
            positions.append(QPointF(static_cast<qreal>(i) * cellWidth + inset, 0));
        }
    }
    if (indexes.isEmpty()) {
        return;
    }
    QGlyphRun run;
    run.setRawFont(glyphs_->font());
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter_.setPen(toQColor(state_.text));
    painter_.drawGlyphRun(QPointF(at.x(), at.y() + baseline_), run);
}

Dimension QtGraphics::textExtent(std::string_view text) const {
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return {metrics_.horizontalAdvance(string), metrics_.height()};
}

void QtGraphics::drawLine(int x1, int y1, int x2, int y2, ColorRef color) {
    painter_.setPen(toQColor(color));
    painter_.drawLine(x1 + state_.origin.x, y1 + state_.origin.y, x2 + state_.origin.x,
                      y2 + state_.origin.y);
}

void QtGraphics::roundRect(const Rectangles& rectangle, int radiusX, int radiusY, ColorRef fill,
                           ColorRef border) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(toQColor(border));
    painter_.setBrush(toQColor(fill));
    painter_.drawRoundedRect(device(rectangle), radiusX, radiusY);
    painter_.restore();
}

void QtGraphics::drawImage(int imageId, const Rectangles& target) {
    if (images_ == nullptr) {
        return;
    }
    const auto found = images_->find(imageId);
    if (found != images_->end()) {
        painter_.drawImage(device(target), found->second);
    }
}

void QtGraphics::invertRect(const Rectangles& rectangle, ColorRef pattern) {
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.fillRect(device(rectangle), toQColor(pattern));
    painter_.restore();
}
