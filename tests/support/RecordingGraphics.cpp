#include "tests/support/RecordingGraphics.h"

namespace testsupport {

int RecordingGraphics::save() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

void RecordingGraphics::restore(int saved) {
    while (static_cast<int>(saved_.size()) >= saved && !saved_.empty()) {
        state_ = saved_.back();
        saved_.pop_back();
    }
}

void RecordingGraphics::translateOrigin(int dx, int dy) {
    state_.origin.x += dx;
    state_.origin.y += dy;
}

void RecordingGraphics::intersectClip(const Rectangles& rectangle) {
    state_.clip = state_.clip.intersection(toDevice(rectangle));
}

Rectangles RecordingGraphics::clipBox() const {
    return state_.clip.translated(-state_.origin.x, -state_.origin.y);
}

void RecordingGraphics::record(Call call) {
    call.clip = state_.clip;
    calls_.push_back(std::move(call));
}

void RecordingGraphics::fillRect(const Rectangles& rectangle, ColorRef color) {
    Call call;
    call.kind = "fill";
    call.bounds = toDevice(rectangle);
    call.color = color;
    record(call);
}

void RecordingGraphics::textOut(int x, int y, std::string_view text) {
    Call call;
    call.kind = "text";
    const Dimension extent = textExtent(text);
    call.bounds = toDevice({x, y, extent.width, extent.height});
    call.text = std::string(text);
    call.color = state_.text;
    call.background = state_.background;
    call.transparent = state_.transparent;
    record(call);
}

void RecordingGraphics::cellTextOut(int x, int y, std::string_view text, int cellWidth) {
    Call call;
    call.kind = "text";
    call.bounds = toDevice({x, y, static_cast<int>(text.size()) * cellWidth, lineHeight_});
    call.text = std::string(text);
    call.color = state_.text;
    call.background = state_.background;
    call.transparent = state_.transparent;
    call.cellWidth = cellWidth;
    record(call);
}

Dimension RecordingGraphics::textExtent(std::string_view text) const {
    return {static_cast<int>(text.size()) * charWidth_, lineHeight_};
}

void RecordingGraphics::drawLine(int x1, int y1, int x2, int y2, ColorRef color) {
    Call call;
    call.kind = "line";
    call.bounds = toDevice({x1, y1, x2 - x1, y2 - y1});
    call.color = color;
    record(call);
}

void RecordingGraphics::roundRect(const Rectangles& rectangle, int, int, ColorRef fill,
                                  ColorRef border) {
    Call call;
    call.kind = "roundRect";
    call.bounds = toDevice(rectangle);
    call.color = border;
    call.background = fill;
    record(call);
}

void RecordingGraphics::drawImage(int imageId, const Rectangles& target) {
    Call call;
    call.kind = "image";
    call.bounds = toDevice(target);
    call.imageId = imageId;
    record(call);
}

void RecordingGraphics::invertRect(const Rectangles& rectangle, ColorRef pattern) {
    Call call;
    call.kind = "invert";
    call.bounds = toDevice(rectangle);
    call.color = pattern;
    record(call);
}

std::vector<RecordingGraphics::Call> RecordingGraphics::callsOfKind(const std::string& kind) const {
    std::vector<Call> matching;
    for (const auto& call : calls_) {
        if (call.kind == kind) {
            matching.push_back(call);
        }
    }
    return matching;
}

std::vector<std::string> RecordingGraphics::texts() const {
    std::vector<std::string> drawn;
    for (const auto& call : calls_) {
        if (call.kind == "text") {
            drawn.push_back(call.text);
        }
    }
    return drawn;
}

}  // namespace testsupport
