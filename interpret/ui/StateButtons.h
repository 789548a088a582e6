#pragma once

#include <QRect>
#include <array>
#include <functional>

#include "interpret/InterpreterButtons.h"

class QToolButton;
class QWidget;

namespace platform {
class StringTable;
}

// The state buttons of both programs' windows: flat buttons with one image
// of the strip each, their images and tips following the state, a press
// reported as the button it was.
class StateButtons {
  public:
    StateButtons(InterpreterProgram program, const platform::StringTable& strings,
                 std::function<void(InterpreterButton)> pressed);

    // A button at `place` (at least 18 pixels square) in `parent`.
    QToolButton* add(QWidget* parent, InterpreterButton which, const QRect& place);
    // The button, or nullptr when the window has none of that kind.
    QToolButton* button(InterpreterButton which) const;
    // Images and tips for the state; no tips while `tipsShown` is off.
    void refresh(const InterpretationState& values, const InterpreterToggles& toggles,
                 bool tipsShown);

  private:
    InterpreterProgram program_;
    const platform::StringTable& strings_;
    std::function<void(InterpreterButton)> pressed_;
    std::array<QToolButton*, 5> buttons_{};
};
