#pragma once

#include <cstdint>

#include "framework/Values.h"

// What a NativeContainer asks of the native window it lives in. The Qt
// layer implements it on the hex view's widget; tests record the calls.
class NativeWindow {
  public:
    enum class ScrollBar { Horizontal, Vertical };

    virtual ~NativeWindow() = default;

    virtual Dimension clientSize() const = 0;
    virtual void invalidate(const Rectangles& rectangle, bool erase) = 0;
    // Moves the painted contents by (dx, dy) pixels and invalidates the uncovered part.
    virtual void scrollContents(int dx, int dy) = 0;
    virtual void setScrollRange(ScrollBar bar, std::int64_t maximum, std::int64_t page) = 0;
    virtual void setScrollPosition(ScrollBar bar, std::int64_t position) = 0;
    virtual void setMouseCapture(bool captured) = 0;
    virtual void setBounds(const Rectangles& bounds) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual void setVisible(bool visible) = 0;
    // The caret: a block of the given size, shown at a place.
    virtual void createCaret(int width, int height) = 0;
    virtual void setCaretPosition(int x, int y) = 0;
    virtual void showCaret(bool shown) = 0;
    virtual void destroyCaret() = 0;
    // The width the contents take after a layout: a window may narrow
    // itself to it rather than show an empty strip beside them.
    virtual void contentWidthChanged(int /*width*/) {}
};
