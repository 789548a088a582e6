#include "interpret/InterpreterPlacement.h"

#include <algorithm>

namespace {

constexpr int kLineGap = 4;  // the view's gap between lines

}  // namespace

ScreenPoint interpreterPlace(ScreenPoint caret, const ScreenRect& window, int lineHeight,
                             const ScreenRect& workArea) {
    ScreenPoint at = caret;
    if (at.y + window.height >= workArea.bottom() - lineHeight) {
        at.y = at.y - window.height - kLineGap;
    } else {
        at.y = at.y + lineHeight;
    }
    if (at.x + window.width >= workArea.right()) {
        at.x = workArea.right() - window.width;
    }
    // Inside the work area on every side; the top-left wins when it is too small.
    at.x = std::max(std::min(at.x, workArea.right() - window.width), workArea.x);
    at.y = std::max(std::min(at.y, workArea.bottom() - window.height), workArea.y);
    return at;
}

InitialPlace interpreterInitialPlace(const ScreenRect& window, const ScreenRect& freeArea,
                                     const ScreenRect& clientArea) {
    for (const ScreenRect* area : {&freeArea, &clientArea}) {
        if (window.width <= area->width && window.height <= area->height) {
            return {true, {area->right() - window.width, area->bottom() - window.height}};
        }
    }
    return {};
}
