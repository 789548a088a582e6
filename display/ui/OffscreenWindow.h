#pragma once

#include "framework/NativeWindow.h"

// A native window that is only a size: for drawing a view into an image
// (the render tool, the benchmarks) where no window is on screen.
class OffscreenWindow : public NativeWindow {
  public:
    explicit OffscreenWindow(Dimension size) : size_(size) {}

    Dimension clientSize() const override { return size_; }
    void invalidate(const Rectangles&, bool) override {}
    void scrollContents(int, int) override {}
    void setScrollRange(ScrollBar, std::int64_t, std::int64_t) override {}
    void setScrollPosition(ScrollBar, std::int64_t) override {}
    void setMouseCapture(bool) override {}
    void setBounds(const Rectangles&) override {}
    void setEnabled(bool) override {}
    void setVisible(bool) override {}
    void createCaret(int, int) override {}
    void setCaretPosition(int x, int y) override { caret_ = {x, y}; }
    void showCaret(bool) override {}
    void destroyCaret() override {}

    // Where the caret was placed last, in the window.
    Point caretPosition() const { return caret_; }

  private:
    Dimension size_;
    Point caret_{0, 0};
};
