#pragma once

#include <string>
#include <vector>

#include "framework/Graphics.h"

namespace testsupport {

// A Graphics that draws nothing and writes down every drawing call in
// device coordinates (the origin applied), with the clip box in force and
// the colours selected, so painting order and placement can be checked.
class RecordingGraphics : public Graphics {
  public:
    struct Call {
        std::string kind;   // "fill", "text", "line", "roundRect", "image", "invert"
        Rectangles bounds;  // device coordinates; for text: its position and extent
        std::string text;
        ColorRef color = kColorUnset;  // fill, line, border, pattern or text colour
        ColorRef background = kColorUnset;
        bool transparent = false;
        Rectangles clip;
        int imageId = -1;
        int cellWidth = 0;  // for a cell text: the width of each character's cell
    };

    explicit RecordingGraphics(Rectangles clip, int charWidth = 8, int lineHeight = 16)
        : charWidth_(charWidth), lineHeight_(lineHeight) {
        state_.clip = clip;
    }

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

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> callsOfKind(const std::string& kind) const;
    // The texts drawn, in order.
    std::vector<std::string> texts() const;
    int depth() const { return static_cast<int>(saved_.size()); }

  private:
    struct State {
        Point origin{0, 0};
        Rectangles clip;  // device coordinates
        ColorRef text = 0;
        ColorRef background = 0xFFFFFF;
        bool transparent = false;
    };
    Rectangles toDevice(const Rectangles& rectangle) const {
        return rectangle.translated(state_.origin.x, state_.origin.y);
    }
    void record(Call call);

    int charWidth_;
    int lineHeight_;
    State state_;
    std::vector<State> saved_;
    std::vector<Call> calls_;
};

}  // namespace testsupport
