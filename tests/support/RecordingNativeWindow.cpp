#include "tests/support/RecordingNativeWindow.h"

namespace testsupport {

namespace {

std::string text(const Rectangles& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
           std::to_string(r.height);
}

}  // namespace

void RecordingNativeWindow::invalidate(const Rectangles& rectangle, bool erase) {
    invalidated.push_back(rectangle);
    log.push_back("invalidate " + text(rectangle) + (erase ? " erase" : ""));
}

void RecordingNativeWindow::scrollContents(int dx, int dy) {
    log.push_back("scroll " + std::to_string(dx) + "," + std::to_string(dy));
}

void RecordingNativeWindow::setScrollRange(ScrollBar bar, std::int64_t maximum, std::int64_t page) {
    if (bar == ScrollBar::Vertical) {
        verticalMaximum = maximum;
        verticalPage = page;
    } else {
        horizontalMaximum = maximum;
        horizontalPage = page;
    }
}

void RecordingNativeWindow::setScrollPosition(ScrollBar bar, std::int64_t position) {
    (bar == ScrollBar::Vertical ? verticalPosition : horizontalPosition) = position;
}

void RecordingNativeWindow::setMouseCapture(bool on) {
    captured = on;
    log.push_back(on ? "capture on" : "capture off");
}

void RecordingNativeWindow::createCaret(int width, int height) {
    log.push_back("caret create " + std::to_string(width) + "x" + std::to_string(height));
}

void RecordingNativeWindow::setCaretPosition(int x, int y) {
    log.push_back("caret at " + std::to_string(x) + "," + std::to_string(y));
    caret = {x, y};
}

void RecordingNativeWindow::showCaret(bool shown) {
    log.push_back(shown ? "caret show" : "caret hide");
}

void RecordingNativeWindow::destroyCaret() {
    log.push_back("caret destroy");
}

}  // namespace testsupport
