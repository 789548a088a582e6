#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/Values.h"

// A colour reference: 0x00BBGGRR.
using ColorRef = std::uint32_t;
// "No colour set": the parent's colour is used.
inline constexpr ColorRef kColorUnset = 0xFF000000u;

// The surface components paint on. Coordinates are relative to the current
// origin; everything drawn is cut to the current clip box. save() and
// restore() keep and bring back origin, clip and colours, as nested pairs.
class Graphics {
  public:
    virtual ~Graphics() = default;

    virtual int save() = 0;
    virtual void restore(int saved) = 0;

    virtual void translateOrigin(int dx, int dy) = 0;
    virtual Point origin() const = 0;
    // Narrows the clip box to its intersection with `rectangle`.
    virtual void intersectClip(const Rectangles& rectangle) = 0;
    virtual Rectangles clipBox() const = 0;

    virtual void setTextColor(ColorRef color) = 0;
    virtual ColorRef textColor() const = 0;
    virtual void setBackgroundColor(ColorRef color) = 0;
    virtual ColorRef backgroundColor() const = 0;
    // Text drawn with a transparent background leaves what is under it.
    virtual void setTransparentBackground(bool transparent) = 0;

    virtual void fillRect(const Rectangles& rectangle, ColorRef color) = 0;
    // `text` is UTF-8.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // Draws character i of `text` in the cell at x + i * cellWidth, so the
    // text lines up with cell arithmetic whatever the font's own advance.
    // Blanks draw nothing.
    virtual void cellTextOut(int x, int y, std::string_view text, int cellWidth) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != ' ') {
                textOut(x + static_cast<int>(i) * cellWidth, y, text.substr(i, 1));
            }
        }
    }
    virtual Dimension textExtent(std::string_view text) const = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, ColorRef color) = 0;
    virtual void roundRect(const Rectangles& rectangle, int radiusX, int radiusY, ColorRef fill,
                           ColorRef border) = 0;
    // Draws image `imageId` of the program's image list scaled into `target`.
    virtual void drawImage(int imageId, const Rectangles& target) = 0;
    // Inverts the colours under `rectangle` by XOR with the pattern colour.
    virtual void invertRect(const Rectangles& rectangle, ColorRef pattern) = 0;
};

// Keeps a Graphics state for one scope.
class GraphicsStateScope {
  public:
    explicit GraphicsStateScope(Graphics& graphics)
        : graphics_(graphics), saved_(graphics.save()) {}
    ~GraphicsStateScope() { graphics_.restore(saved_); }
    GraphicsStateScope(const GraphicsStateScope&) = delete;
    GraphicsStateScope& operator=(const GraphicsStateScope&) = delete;

  private:
    Graphics& graphics_;
    int saved_;
};
