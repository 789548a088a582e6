#pragma once

#include "framework/Events.h"
#include "framework/Object.h"

class Container;

class EventListener : public Object {
    KESTRANE_DECLARE_CLASS(EventListener)
};

class MouseListener : public EventListener {
    KESTRANE_DECLARE_CLASS(MouseListener)
  public:
    virtual void mouseClicked(MouseEvent&) {}
    virtual void mouseDoubleClicked(MouseEvent&) {}
    virtual void mousePressed(MouseEvent&) {}
    virtual void mouseReleased(MouseEvent&) {}
    virtual void mouseEntered(MouseEvent&) {}
    virtual void mouseExited(MouseEvent&) {}
};

class MouseMotionListener : public EventListener {
    KESTRANE_DECLARE_CLASS(MouseMotionListener)
  public:
    virtual void mouseMoved(MouseEvent&) {}
    virtual void mouseDragged(MouseEvent&) {}
};

class KeyListener : public EventListener {
    KESTRANE_DECLARE_CLASS(KeyListener)
  public:
    virtual void keyTyped(KeyEvent&) {}
    virtual void keyPressed(KeyEvent&) {}
    virtual void keyReleased(KeyEvent&) {}
};

class FocusListener : public EventListener {
    KESTRANE_DECLARE_CLASS(FocusListener)
  public:
    virtual void focusGained(FocusEvent&) {}
    virtual void focusLost(FocusEvent&) {}
};

// Places the children of a container.
class Layouter : public Object {
    KESTRANE_DECLARE_CLASS(Layouter)
  public:
    virtual bool layoutContainer(Container& container) = 0;
};
