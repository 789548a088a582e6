#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/Events.h"
#include "framework/Graphics.h"
#include "framework/Listeners.h"
#include "framework/NativeWindow.h"
#include "framework/Object.h"
#include "framework/Values.h"

class Container;
class NativeContainer;

// Event-mask bits. A component without the mouse bit ignores mouse events
// (its container processes them); the bits propagate to every ancestor up
// to the native container.
inline constexpr std::uint32_t kMouseEventMask = 0x1;
inline constexpr std::uint32_t kMouseMotionEventMask = 0x2;

// A lightweight component: a rectangle of its parent, painted into the
// parent's surface and fed with events translated from the native window.
class Component : public Object {
    KESTRANE_DECLARE_CLASS(Component)
  public:
    Component() = default;
    ~Component() override;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    // Resets every field to its default.
    virtual bool create();
    virtual void clear();

    virtual void setName(std::string_view) {}
    virtual std::string getName() const { return {}; }
    virtual void setTag(std::int32_t) {}
    virtual std::int32_t getTag() const { return 0; }

    Container* getParent() const { return parent_; }
    // Accepts only a container (or nullptr to detach).
    virtual bool setParent(Object* parent);

    virtual void setLocation(int x, int y);
    virtual void setSize(int width, int height);
    virtual void setBounds(int x, int y, int width, int height);
    void setBounds(const Rectangles& bounds) {
        setBounds(bounds.x, bounds.y, bounds.width, bounds.height);
    }
    Point getLocation() const { return {x_, y_}; }
    Dimension getSize() const { return {width_, height_}; }
    Rectangles getBounds() const { return {x_, y_, width_, height_}; }
    bool contains(const Point& point) const { return contains(point.x, point.y); }
    virtual bool contains(int x, int y) const;

    ColorRef getForeground() const { return foreground_; }
    void setForeground(ColorRef color);
    ColorRef getBackground() const { return background_; }
    void setBackground(ColorRef color);
    // The colour used when painting: the component's own, else the nearest ancestor's.
    ColorRef effectiveForeground() const;
    ColorRef effectiveBackground() const;
    std::uint32_t getInheritedValue() const;
    void setInheritedValue(std::uint32_t value) { inheritedValue_ = value; }

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isVisible() const { return visible_; }
    virtual void setVisible(bool visible) { visible_ = visible; }
    // Visible, and every ancestor showing.
    bool isShowing() const;

    // Asks the native window to repaint `rectangle` (component coordinates).
    virtual void repaint(const Rectangles& rectangle, bool erase);
    void repaint() { repaint({0, 0, width_, height_}, true); }
    // Fills the clip box with the background (when one is set), selects the
    // colours and paints.
    virtual void update(Graphics& graphics);
    virtual void paint(Graphics&) {}
    virtual void popupTriggered(MouseEvent&) {}

    // Scrolling: only a native container scrolls.
    virtual void setScrollUnit(const Point&) {}
    virtual void setScrollExtent(const Dimension&) {}
    virtual void scrollTo(const Point&) {}
    virtual Point getScrollUnit() const { return {1, 1}; }
    virtual Dimension getScrollExtent() const { return getSize(); }
    virtual Point getScrollPosition() const { return {0, 0}; }

    virtual void addNotify() {}
    virtual NativeWindow* getNativeWindow() const { return nullptr; }
    // The native container this component is drawn in (itself for one).
    virtual NativeContainer* nativeContainer() const;
    // The component's origin in its native container's content coordinates.
    Point locationInNative() const;

    virtual void invalidate();
    virtual void validate();
    virtual bool doLayout() { return true; }
    bool isValid() const { return valid_; }
    virtual Dimension getPreferredSize() const { return getSize(); }
    virtual Dimension getMinimumSize() const { return getSize(); }
    virtual Dimension getMaximumSize() const { return getSize(); }
    virtual Rectangles getEmptyBounds() const { return {0, 0, width_, height_}; }
    virtual Layouter* getLayout() const { return nullptr; }
    virtual bool setLayout(Object*) { return false; }
    virtual bool isAncestorOf(const Component*) const { return false; }

    virtual MouseListener* getMouseListener() const { return nullptr; }
    virtual bool addMouseListener(MouseListener*) { return false; }
    virtual bool removeMouseListener(MouseListener*) { return false; }
    virtual MouseMotionListener* getMouseMotionListener() const { return nullptr; }
    virtual bool addMouseMotionListener(MouseMotionListener*) { return false; }
    virtual bool removeMouseMotionListener(MouseMotionListener*) { return false; }
    virtual KeyListener* getKeyListener() const { return nullptr; }
    virtual bool addKeyListener(KeyListener*) { return false; }
    virtual bool removeKeyListener(KeyListener*) { return false; }
    virtual FocusListener* getFocusListener() const { return nullptr; }
    virtual bool addFocusListener(FocusListener*) { return false; }
    virtual bool removeFocusListener(FocusListener*) { return false; }

    // Processes the event unless the mask refuses it; false when refused.
    virtual bool dispatchEvent(AWTEvent& event);
    virtual void processEvent(AWTEvent& event);
    virtual void processMouseEvent(MouseEvent& event);
    virtual void processMouseMotionEvent(MouseEvent&) {}
    virtual void processKeyEvent(KeyEvent&) {}
    virtual void processFocusEvent(FocusEvent&) {}

    void enableEvents(std::uint32_t mask);
    std::uint32_t getEventMask() const { return eventMask_; }

    // The own flag, or the parent's when the own one is not set.
    bool isSelected() const;
    void setSelected(bool selected) { selected_ = selected; }

    virtual int getComponentCount() const { return 0; }
    virtual Component* getComponent(int) const { return nullptr; }
    virtual int indexOf(const Component*) const { return -1; }
    virtual bool add(Component*, int) { return false; }
    bool add(Component* component) { return add(component, -1); }
    virtual bool remove(int) { return false; }
    virtual bool remove(Component*) { return false; }
    virtual void removeAll() {}
    // The component itself when the point (own coordinates) lies inside.
    virtual Component* componentAt(int x, int y);
    // The deepest visible component at the point (own coordinates), or nullptr.
    virtual Component* getComponentAt(int x, int y) { return componentAt(x, y); }
    Component* getComponentAt(const Point& point) { return getComponentAt(point.x, point.y); }
    // Tells the parent that this component's layout has become invalid.
    virtual void notifyParent();

  protected:
    friend class Container;

    Container* parent_ = nullptr;
    int x_ = 0;
    int y_ = 0;
    int width_ = 0;
    int height_ = 0;
    ColorRef foreground_ = kColorUnset;
    ColorRef background_ = kColorUnset;
    std::uint32_t inheritedValue_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool valid_ = false;
    std::uint32_t eventMask_ = 0;
    bool selected_ = false;
};

// A component with a name, a tag and one listener of each kind.
class RealComponent : public Component {
    KESTRANE_DECLARE_CLASS(RealComponent)
  public:
    bool create() override;
    void setName(std::string_view name) override { name_ = name; }
    std::string getName() const override { return name_; }
    void setTag(std::int32_t tag) override { tag_ = tag; }
    std::int32_t getTag() const override { return tag_; }

    // Adding replaces the listener held and enables its events; removing
    // clears the slot only when the given listener is the one held.
    MouseListener* getMouseListener() const override { return mouseListener_; }
    bool addMouseListener(MouseListener* listener) override;
    bool removeMouseListener(MouseListener* listener) override;
    MouseMotionListener* getMouseMotionListener() const override { return motionListener_; }
    bool addMouseMotionListener(MouseMotionListener* listener) override;
    bool removeMouseMotionListener(MouseMotionListener* listener) override;
    KeyListener* getKeyListener() const override { return keyListener_; }
    bool addKeyListener(KeyListener* listener) override;
    bool removeKeyListener(KeyListener* listener) override;
    FocusListener* getFocusListener() const override { return focusListener_; }
    bool addFocusListener(FocusListener* listener) override;
    bool removeFocusListener(FocusListener* listener) override;

    void processMouseEvent(MouseEvent& event) override;
    void processMouseMotionEvent(MouseEvent& event) override;
    void processKeyEvent(KeyEvent& event) override;
    void processFocusEvent(FocusEvent& event) override;

  private:
    std::string name_;
    std::int32_t tag_ = 0;
    MouseListener* mouseListener_ = nullptr;
    MouseMotionListener* motionListener_ = nullptr;
    KeyListener* keyListener_ = nullptr;
    FocusListener* focusListener_ = nullptr;
};

// A component that stands for a native child window: moving or resizing it
// moves the window, in the enclosing native container's coordinates.
class NativeComponent : public RealComponent {
    KESTRANE_DECLARE_CLASS(NativeComponent)
  public:
    static constexpr int kCoordinateLimit = 16384;

    void setNativeWindow(NativeWindow* window) { window_ = window; }
    NativeWindow* getNativeWindow() const override { return window_; }
    void setLocation(int x, int y) override;
    void setSize(int width, int height) override;
    void setBounds(int x, int y, int width, int height) override;

  private:
    void moveNativeWindow();
    NativeWindow* window_ = nullptr;
};
