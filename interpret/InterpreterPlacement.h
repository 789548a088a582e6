#pragma once

// Where the interpretation window goes when the caret moves: below the
// caret's line, or above it when it would reach the bottom of the work area,
// and kept inside the work area on every side (a caret parked off-screen
// would otherwise take the window off every screen).
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// `caret`: the caret's top-left on the screen; `window`: the window's size
// (x, y unused); `lineHeight`: the view's line height in pixels.
ScreenPoint interpreterPlace(ScreenPoint caret, const ScreenRect& window, int lineHeight,
                             const ScreenRect& workArea);

// The window's first place: the bottom-right corner of the frame's free
// client area, or else of its whole client area; none when it fits in neither.
struct InitialPlace {
    bool found = false;
    ScreenPoint at;
};
InitialPlace interpreterInitialPlace(const ScreenRect& window, const ScreenRect& freeArea,
                                     const ScreenRect& clientArea);
