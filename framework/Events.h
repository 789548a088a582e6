#pragma once

#include <cstdint>

#include "framework/Object.h"

class Component;

// Event ids.
namespace eventid {
inline constexpr int MouseClicked = 1;  // sent after the release
inline constexpr int MouseDoubleClicked = 2;
inline constexpr int MousePressed = 3;
inline constexpr int MouseReleased = 4;
inline constexpr int MouseEntered = 5;
inline constexpr int MouseExited = 6;
inline constexpr int MouseMoved = 7;
inline constexpr int MouseDragged = 8;  // moved with the left button held
inline constexpr int PopupTrigger = 9;  // right button released
inline constexpr int FocusGained = 200;
inline constexpr int FocusLost = 201;
inline constexpr int KeyTyped = 256;  // a character
inline constexpr int KeyPressed = 257;
inline constexpr int KeyReleased = 258;
}  // namespace eventid

// Mouse modifier flags, as the native messages give them.
namespace modifier {
inline constexpr std::uint32_t LeftButton = 0x01;
inline constexpr std::uint32_t RightButton = 0x02;
inline constexpr std::uint32_t Shift = 0x04;
inline constexpr std::uint32_t Control = 0x08;
inline constexpr std::uint32_t MiddleButton = 0x10;
inline constexpr std::uint32_t Alt = 0x20;
}  // namespace modifier

// An event from a component. The source must be a component: a null source
// raises NullObjectPointerException, another object IllegalObjectTypeException.
class AWTEvent : public Object {
    KESTRANE_DECLARE_CLASS(AWTEvent)
  public:
    AWTEvent(Object* source, int id);

    Component* getSource() const { return source_; }
    int getId() const { return id_; }
    bool isMouseEvent() const {
        return id_ >= eventid::MouseClicked && id_ <= eventid::PopupTrigger;
    }
    bool isMouseMotionEvent() const {
        return id_ == eventid::MouseMoved || id_ == eventid::MouseDragged;
    }

  private:
    Component* source_;
    int id_;
};

class MouseEvent : public AWTEvent {
    KESTRANE_DECLARE_CLASS(MouseEvent)
  public:
    MouseEvent(Object* source, int id, std::uint32_t modifiers, int x, int y)
        : AWTEvent(source, id), modifiers_(modifiers), x_(x), y_(y) {}

    std::uint32_t getModifiers() const { return modifiers_; }
    int getX() const { return x_; }
    int getY() const { return y_; }
    void translatePoint(int dx, int dy) {
        x_ += dx;
        y_ += dy;
    }
    bool isAltDown() const { return (modifiers_ & modifier::Alt) != 0; }
    bool isShiftDown() const { return (modifiers_ & modifier::Shift) != 0; }
    bool isControlDown() const { return (modifiers_ & modifier::Control) != 0; }

  private:
    std::uint32_t modifiers_;
    int x_;
    int y_;
};

class KeyEvent : public AWTEvent {
    KESTRANE_DECLARE_CLASS(KeyEvent)
  public:
    KeyEvent(Object* source, int id, std::uint32_t keyCode, std::uint32_t keyData)
        : AWTEvent(source, id), keyCode_(keyCode), keyData_(keyData) {}

    // The virtual-key code (pressed, released) or the character (typed).
    std::uint32_t getKeyCode() const { return keyCode_; }
    std::uint32_t getKeyData() const { return keyData_; }

  private:
    std::uint32_t keyCode_;
    std::uint32_t keyData_;
};

class FocusEvent : public AWTEvent {
    KESTRANE_DECLARE_CLASS(FocusEvent)
  public:
    FocusEvent(Object* source, int id) : AWTEvent(source, id) {}
};
