#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "interpret/InterpretationTable.h"
#include "interpret/InterpreterButtons.h"
#include "interpret/InterpreterSettings.h"
#include "interpret/ui/StateButtons.h"

class CSettings;
class InterpretationList;
class QToolButton;

namespace platform {
class StringTable;
}

// Kestrane's data interpretation window: a small frameless tool window of
// the main frame that follows the caret of the active view and shows the
// up to 16 bytes there as the fourteen types. It reads its four stored
// values when made and writes them back when it goes with the frame.
class CHexInterpreter : public QWidget {
  public:
    CHexInterpreter(CSettings& settings, const platform::StringTable& strings, QWidget* owner);
    ~CHexInterpreter() override;

    // Takes min(count, 16) bytes (none without bytes or a positive count),
    // renders every row and, unless the position is locked or no anchor is
    // given, moves the window's top-left corner to the anchor (screen).
    void showData(const std::uint8_t* bytes, int count, std::optional<QPoint> anchor);
    // The caret was placed: at `caret` (screen), in a view of `lineHeight`
    // pixels a line; `read` fills up to 16 bytes and their number, false
    // when the store could not be read (then nothing changes).
    using ByteReader = std::function<bool(std::uint8_t* bytes, int& count)>;
    void followCaret(QPoint caret, int lineHeight, const ByteReader& read);

    // Closed by the user: the window stays away on caret moves.
    bool isHiddenByUser() const { return stored_.hidden; }
    void setHiddenByUser(bool hidden);
    // The first place: the bottom-right corner of the frame's free client
    // area, else of its whole client area (both on the screen).
    void placeInitially(const QRect& freeArea, const QRect& clientArea);
    // Tips show only while the frame's "Toolbar Tip" switch is on.
    void setTipsShown(bool shown);
    // After a move drag: the keyboard focus goes back to the active view.
    std::function<void()> onMoveEnded;

    // The four state buttons, as a press of each.
    void toggleLockPosition();
    void toggleByteOrder();
    void toggleNumberSystem();
    void toggleLockDataType();

    const InterpretationState& values() const { return values_; }
    bool lockPosition() const { return toggles_.lockPosition; }
    bool lockDataType() const { return toggles_.lockDataType; }
    InterpretationList* list() const { return list_; }
    QToolButton* button(InterpreterButton which) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void pressed(InterpreterButton which);
    void renderValues();
    void refreshButtons();
    Qt::Edges edgesAt(const QPoint& point) const;

    CSettings& settings_;
    const platform::StringTable& strings_;
    InterpreterSettings stored_;
    InterpretationState values_;
    InterpreterToggles toggles_;
    bool tipsShown_ = true;
    InterpretationList* list_ = nullptr;
    StateButtons buttons_;
    QRect gripper_;
    // The press point of a move drag (client), or of a size drag without
    // the window system's help.
    std::optional<QPoint> movePoint_;
    Qt::Edges sizing_;
    QRect sizeStart_;
    QPoint sizePress_;
};
