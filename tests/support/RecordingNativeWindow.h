#pragma once

#include <string>
#include <vector>

#include "framework/NativeWindow.h"

namespace testsupport {

// A native window for tests: a client area of a given size that writes down
// what it was asked (invalidations, scrolling, capture, caret).
class RecordingNativeWindow : public NativeWindow {
  public:
    explicit RecordingNativeWindow(Dimension client = {400, 300}) : client_(client) {}

    Dimension clientSize() const override { return client_; }
    void setClientSize(Dimension client) { client_ = client; }
    void invalidate(const Rectangles& rectangle, bool erase) override;
    void scrollContents(int dx, int dy) override;
    void setScrollRange(ScrollBar bar, std::int64_t maximum, std::int64_t page) override;
    void setScrollPosition(ScrollBar bar, std::int64_t position) override;
    void setMouseCapture(bool captured) override;
    void setBounds(const Rectangles& bounds) override { bounds_ = bounds; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    void setVisible(bool visible) override { visible_ = visible; }
    void createCaret(int width, int height) override;
    void setCaretPosition(int x, int y) override;
    void showCaret(bool shown) override;
    void destroyCaret() override;

    // Every call, as a short line ("invalidate 0,0 10x16 erase", "capture on").
    std::vector<std::string> log;
    std::vector<Rectangles> invalidated;
    bool captured = false;
    // Where the caret was last put (32767,32767 is off-screen).
    Point caret{-1, -1};
    std::int64_t verticalMaximum = 0;
    std::int64_t verticalPage = 0;
    std::int64_t verticalPosition = 0;
    std::int64_t horizontalMaximum = 0;
    std::int64_t horizontalPage = 0;
    std::int64_t horizontalPosition = 0;

  private:
    Dimension client_;
    Rectangles bounds_;
    bool enabled_ = true;
    bool visible_ = true;
};

}  // namespace testsupport
