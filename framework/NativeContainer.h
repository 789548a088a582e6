#pragma once

#include <cstdint>

#include "framework/Container.h"

// A native mouse message as the window receives it, in client coordinates.
struct NativeMouseMessage {
    enum class Kind {
        LeftDown,
        LeftUp,
        LeftDoubleClick,
        RightDown,
        RightUp,
        RightDoubleClick,
        Move
    };
    Kind kind = Kind::Move;
    int x = 0;
    int y = 0;
    std::uint32_t modifiers = 0;  // modifier:: flags, Alt included
    // The pointer lies inside the client area and this window is the one under it.
    bool overWindow = true;
};

// The container that owns a native window: it turns the window's messages
// into the framework's events, paints its children into the window and
// scrolls its contents. Children sit in content coordinates, which the
// scroll offset (position x unit) shifts against the window.
class NativeContainer : public Container {
    KESTRANE_DECLARE_CLASS(NativeContainer)
  public:
    void setNativeWindow(NativeWindow* window) { window_ = window; }
    NativeWindow* getNativeWindow() const override { return window_; }
    NativeContainer* nativeContainer() const override { return const_cast<NativeContainer*>(this); }

    void setLocation(int x, int y) override;
    void setSize(int width, int height) override;
    void setBounds(int x, int y, int width, int height) override;
    void setEnabled(bool enabled) override;
    void setVisible(bool visible) override;

    // Scrolling, in scroll units.
    void setScrollUnit(const Point& unit) override;
    void setScrollExtent(const Dimension& extent) override;
    void scrollTo(const Point& position) override;
    Point getScrollUnit() const override { return scrollUnit_; }
    Dimension getScrollExtent() const override { return scrollExtent_; }
    Point getScrollPosition() const override { return scrollPosition_; }
    Point scrollOffset() const {
        return {scrollPosition_.x * scrollUnit_.x, scrollPosition_.y * scrollUnit_.y};
    }
    // How far `target`'s content is shifted against the window: the scroll
    // offset, unless a container keeps some children fixed.
    virtual Point displayOffsetOf(const Component*) const { return scrollOffset(); }

    // `x`, `y` in client coordinates: the deepest visible child there, the
    // container itself when none, nullptr outside.
    Component* getComponentAt(int x, int y) override;
    // `rectangle` in content coordinates; it is cut to the client area.
    void repaint(const Rectangles& rectangle, bool erase) override;
    // Invalidates the whole client area.
    void repaintClient(bool erase = true);

    // Entry points for the native window.
    void handleMouse(const NativeMouseMessage& message);
    // id: eventid::KeyPressed, KeyReleased or KeyTyped.
    void handleKey(int id, std::uint32_t keyCode, std::uint32_t keyData);
    void handleFocus(bool gained);
    // Paints the invalid part of the window; `graphics` is clipped to it
    // with its origin at the client area's top-left corner.
    void paintWindow(Graphics& graphics);
    void paint(Graphics& graphics) override;

    // The one component that gets every mouse message while it holds the grab.
    void setMouseGrab(Component* component) { grab_ = component; }
    Component* getMouseGrab() const { return grab_; }
    // The child that holds the caret receives the key events.
    void setCaretHolder(Component* component) { caretHolder_ = component; }
    Component* getCaretHolder() const { return caretHolder_; }

  private:
    bool isOwnOrDescendant(const Component* component) const {
        return component == this || isAncestorOf(component);
    }
    // Sends mouse event `id` to `target`; what it refuses the container processes.
    void sendMouse(Component* target, int id, const NativeMouseMessage& message);
    void endGesture(const NativeMouseMessage& message);
    void setCapture(bool captured);
    void updateScrollBars();

    NativeWindow* window_ = nullptr;
    Point scrollPosition_{0, 0};
    Point scrollUnit_{1, 1};
    Dimension scrollExtent_{0, 0};
    Component* grab_ = nullptr;
    Component* lastTarget_ = nullptr;
    Component* caretHolder_ = nullptr;
    bool captured_ = false;
};
