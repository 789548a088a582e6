#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <map>
#include <memory>
#include <vector>

#include "framework/Graphics.h"

// QColor of a colour reference (0x00BBGGRR).
inline QColor toQColor(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

// The glyphs of a font for the 256 byte values, to draw cell texts as one
// glyph run with each glyph placed on its cell.
class CellGlyphs {
  public:
    explicit CellGlyphs(const QFont& font);
    const QRawFont& font() const { return font_; }
    quint32 glyph(unsigned char c) const { return glyphs_[c]; }
    // How far a glyph is moved right to sit in the middle of a cell.
    qreal inset(int cellWidth) const { return (cellWidth - advance_) / 2; }

  private:
    QRawFont font_;
    std::array<quint32, 256> glyphs_{};
    qreal advance_ = 0;
};

// The framework's Graphics on a QPainter. Text is drawn with the font the
// painter holds, top-aligned in a line of `lineHeight` pixels; selections
// are inverted with the XOR raster operation.
class QtGraphics : public Graphics {
  public:
    // `glyphs`, when given, must be of the painter's font; otherwise they
    // are made on the first cell text.
    QtGraphics(QPainter& painter, const QRect& clip, int lineHeight,
               const std::map<int, QImage>* images = nullptr, const CellGlyphs* glyphs = nullptr);

    int save() override;
    void restore(int saved) override;
    void translateOrigin(int dx, int dy) override;
    Point origin() const override { return state_.origin; }
    void intersectClip(const Rectangles& rectangle) override;
    Rectangles clipBox() const override;
    void setTextColor(ColorRef color) override { state_.text = color; }
    ColorRef textColor() const override { return state_.text; }
    void setBackgroundColor(ColorRef color) override { state_.background = color; }
    ColorRef backgroundColor() const override { return state_.background; }
    void setTransparentBackground(bool transparent) override { state_.transparent = transparent; }
    void fillRect(const Rectangles& rectangle, ColorRef color) override;
    void textOut(int x, int y, std::string_view text) override;
    void cellTextOut(int x, int y, std::string_view text, int cellWidth) override;
    Dimension textExtent(std::string_view text) const override;
    void drawLine(int x1, int y1, int x2, int y2, ColorRef color) override;
    void roundRect(const Rectangles& rectangle, int radiusX, int radiusY, ColorRef fill,
                   ColorRef border) override;
    void drawImage(int imageId, const Rectangles& target) override;
    void invertRect(const Rectangles& rectangle, ColorRef pattern) override;

  private:
    struct State {
        Point origin{0, 0};
        QRect clip;  // device coordinates
        ColorRef text = 0;
        ColorRef background = 0xFFFFFF;
        bool transparent = true;
    };
    QRect device(const Rectangles& rectangle) const {
        return {rectangle.x + state_.origin.x, rectangle.y + state_.origin.y, rectangle.width,
                rectangle.height};
    }
    void applyClip();

    QPainter& painter_;
    QFontMetrics metrics_;
    int lineHeight_;
    int baseline_;
    const std::map<int, QImage>* images_;
    const CellGlyphs* glyphs_;
    std::unique_ptr<CellGlyphs> ownGlyphs_;
    State state_;
    std::vector<State> saved_;
};
