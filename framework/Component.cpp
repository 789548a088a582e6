#include "framework/Component.h"

#include <algorithm>

#include "framework/Container.h"
#include "framework/NativeContainer.h"

KESTRANE_DEFINE_CLASS(Component, Object, 1)
KESTRANE_DEFINE_CLASS(RealComponent, Component, 1)
KESTRANE_DEFINE_CLASS(NativeComponent, RealComponent, 1)

// ----------------------------------------------------------------- Component

Component::~Component() {
    if (parent_ != nullptr) {
        parent_->remove(this);
    }
}

bool Component::create() {
    x_ = y_ = width_ = height_ = 0;
    foreground_ = background_ = kColorUnset;
    inheritedValue_ = 0;
    enabled_ = visible_ = true;
    valid_ = false;
    eventMask_ = 0;
    selected_ = false;
    return true;
}

void Component::clear() {
    selected_ = false;
    eventMask_ = 0;
    valid_ = false;
    visible_ = enabled_ = true;
    inheritedValue_ = 0;
    background_ = foreground_ = kColorUnset;
    height_ = width_ = y_ = x_ = 0;
}

bool Component::setParent(Object* parent) {
    if (parent == nullptr) {
        parent_ = nullptr;
        return true;
    }
    auto* container = objectCast<Container>(parent);
    if (container == nullptr) {
        return false;
    }
    parent_ = container;
    return true;
}

void Component::setLocation(int x, int y) {
    x_ = x;
    y_ = y;
}

void Component::setSize(int width, int height) {
    if (width != width_ || height != height_) {
        width_ = width;
        height_ = height;
        invalidate();
    }
}

void Component::setBounds(int x, int y, int width, int height) {
    setLocation(x, y);
    setSize(width, height);
}

bool Component::contains(int x, int y) const {
    return x >= 0 && x < width_ && y >= 0 && y < height_;
}

void Component::setForeground(ColorRef color) {
    if (color != kColorUnset) {
        foreground_ = color;
    }
}

void Component::setBackground(ColorRef color) {
    if (color != kColorUnset) {
        background_ = color;
    }
}

ColorRef Component::effectiveForeground() const {
    for (const Component* component = this; component != nullptr; component = component->parent_) {
        if (component->foreground_ != kColorUnset) {
            return component->foreground_;
        }
    }
    return kColorUnset;
}

ColorRef Component::effectiveBackground() const {
    for (const Component* component = this; component != nullptr; component = component->parent_) {
        if (component->background_ != kColorUnset) {
            return component->background_;
        }
    }
    return kColorUnset;
}

std::uint32_t Component::getInheritedValue() const {
    if (inheritedValue_ == 0 && parent_ != nullptr) {
        return parent_->getInheritedValue();
    }
    return inheritedValue_;
}

bool Component::isShowing() const {
    return visible_ && (parent_ == nullptr || parent_->isShowing());
}

NativeContainer* Component::nativeContainer() const {
    return parent_ != nullptr ? parent_->nativeContainer() : nullptr;
}

Point Component::locationInNative() const {
    Point location{0, 0};
    for (const Component* component = this;
         component != nullptr && !component->isKindOf(NativeContainer::classRecord);
         component = component->parent_) {
        location.x += component->x_;
        location.y += component->y_;
    }
    return location;
}

void Component::repaint(const Rectangles& rectangle, bool erase) {
    if (parent_ != nullptr) {
        parent_->repaint(rectangle.translated(x_, y_), erase);
    }
}

void Component::update(Graphics& graphics) {
    const GraphicsStateScope state(graphics);
    const ColorRef background = effectiveBackground();
    if (background_ != kColorUnset) {
        graphics.fillRect(graphics.clipBox(), background_);
    }
    if (background != kColorUnset) {
        graphics.setBackgroundColor(background);
    }
    if (const ColorRef foreground = effectiveForeground(); foreground != kColorUnset) {
        graphics.setTextColor(foreground);
    }
    paint(graphics);
}

void Component::invalidate() {
    valid_ = false;
    notifyParent();
}

void Component::notifyParent() {
    if (parent_ != nullptr && parent_->isValid()) {
        parent_->invalidate();
    }
}

void Component::validate() {
    if (!valid_) {
        doLayout();
        valid_ = true;
    }
}

bool Component::dispatchEvent(AWTEvent& event) {
    if (event.isMouseMotionEvent() && (eventMask_ & kMouseMotionEventMask) == 0) {
        return false;
    }
    if (event.isMouseEvent() && !event.isMouseMotionEvent() &&
        (eventMask_ & kMouseEventMask) == 0) {
        return false;
    }
    processEvent(event);
    return true;
}

void Component::processEvent(AWTEvent& event) {
    if (auto* focus = objectCast<FocusEvent>(&event)) {
        processFocusEvent(*focus);
    } else if (auto* mouse = objectCast<MouseEvent>(&event)) {
        if (mouse->isMouseMotionEvent()) {
            processMouseMotionEvent(*mouse);
        } else {
            processMouseEvent(*mouse);
        }
    } else if (auto* key = objectCast<KeyEvent>(&event)) {
        processKeyEvent(*key);
    }
}

void Component::processMouseEvent(MouseEvent& event) {
    if (event.getId() == eventid::PopupTrigger) {
        popupTriggered(event);
    }
}

void Component::enableEvents(std::uint32_t mask) {
    for (Component* component = this; component != nullptr; component = component->parent_) {
        component->eventMask_ |= mask;
        if (component->isKindOf(NativeContainer::classRecord)) {
            break;
        }
    }
}

bool Component::isSelected() const {
    if (!selected_ && parent_ != nullptr) {
        return parent_->isSelected();
    }
    return selected_;
}

Component* Component::componentAt(int x, int y) {
    return contains(x, y) ? this : nullptr;
}

// ------------------------------------------------------------- RealComponent

bool RealComponent::create() {
    name_.clear();
    tag_ = 0;
    mouseListener_ = nullptr;
    motionListener_ = nullptr;
    keyListener_ = nullptr;
    focusListener_ = nullptr;
    return Component::create();
}

bool RealComponent::addMouseListener(MouseListener* listener) {
    mouseListener_ = listener;
    if (listener != nullptr) {
        enableEvents(kMouseEventMask);
    }
    return true;
}

bool RealComponent::removeMouseListener(MouseListener* listener) {
    if (listener == nullptr || listener != mouseListener_) {
        return false;
    }
    mouseListener_ = nullptr;
    return true;
}

bool RealComponent::addMouseMotionListener(MouseMotionListener* listener) {
    motionListener_ = listener;
    if (listener != nullptr) {
        enableEvents(kMouseMotionEventMask);
    }
    return true;
}

bool RealComponent::removeMouseMotionListener(MouseMotionListener* listener) {
    if (listener == nullptr || listener != motionListener_) {
        return false;
    }
    motionListener_ = nullptr;
    return true;
}

bool RealComponent::addKeyListener(KeyListener* listener) {
    keyListener_ = listener;
    return true;
}

bool RealComponent::removeKeyListener(KeyListener* listener) {
    if (listener == nullptr || listener != keyListener_) {
        return false;
    }
    keyListener_ = nullptr;
    return true;
}

bool RealComponent::addFocusListener(FocusListener* listener) {
    focusListener_ = listener;
    return true;
}

bool RealComponent::removeFocusListener(FocusListener* listener) {
    if (listener == nullptr || listener != focusListener_) {
        return false;
    }
    focusListener_ = nullptr;
    return true;
}

void RealComponent::processMouseEvent(MouseEvent& event) {
    if (event.getId() == eventid::PopupTrigger) {
        popupTriggered(event);
        return;
    }
    if (mouseListener_ == nullptr) {
        return;
    }
    switch (event.getId()) {
        case eventid::MouseClicked:
            mouseListener_->mouseClicked(event);
            break;
        case eventid::MouseDoubleClicked:
            mouseListener_->mouseDoubleClicked(event);
            break;
        case eventid::MousePressed:
            mouseListener_->mousePressed(event);
            break;
        case eventid::MouseReleased:
            mouseListener_->mouseReleased(event);
            break;
        case eventid::MouseEntered:
            mouseListener_->mouseEntered(event);
            break;
        case eventid::MouseExited:
            mouseListener_->mouseExited(event);
            break;
        default:
            break;
    }
}

void RealComponent::processMouseMotionEvent(MouseEvent& event) {
    if (motionListener_ == nullptr) {
        return;
    }
    if (event.getId() == eventid::MouseDragged) {
        motionListener_->mouseDragged(event);
    } else {
        motionListener_->mouseMoved(event);
    }
}

void RealComponent::processKeyEvent(KeyEvent& event) {
    if (keyListener_ == nullptr) {
        return;
    }
    switch (event.getId()) {
        case eventid::KeyTyped:
            keyListener_->keyTyped(event);
            break;
        case eventid::KeyPressed:
            keyListener_->keyPressed(event);
            break;
        case eventid::KeyReleased:
            keyListener_->keyReleased(event);
            break;
        default:
            break;
    }
}

void RealComponent::processFocusEvent(FocusEvent& event) {
    if (focusListener_ == nullptr) {
        return;
    }
    if (event.getId() == eventid::FocusGained) {
        focusListener_->focusGained(event);
    } else if (event.getId() == eventid::FocusLost) {
        focusListener_->focusLost(event);
    }
}

// ----------------------------------------------------------- NativeComponent

void NativeComponent::setLocation(int x, int y) {
    RealComponent::setLocation(x, y);
    moveNativeWindow();
}

void NativeComponent::setSize(int width, int height) {
    RealComponent::setSize(width, height);
    moveNativeWindow();
}

void NativeComponent::setBounds(int x, int y, int width, int height) {
    RealComponent::setLocation(x, y);
    RealComponent::setSize(width, height);
    moveNativeWindow();
}

void NativeComponent::moveNativeWindow() {
    if (window_ == nullptr) {
        return;
    }
    const auto clamp = [](int value) {
        return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
    };
    const Point location = locationInNative();
    window_->setBounds({clamp(location.x), clamp(location.y), clamp(width_), clamp(height_)});
}
