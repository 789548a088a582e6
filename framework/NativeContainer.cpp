#include "framework/NativeContainer.h"

#include <algorithm>

KESTRANE_DEFINE_CLASS(NativeContainer, Container, 1)

namespace {

int pageOf(int clientPixels, int unit) {
    return unit <= 0 ? 0 : (clientPixels + unit - 1) / unit;
}

}  // namespace

void NativeContainer::setLocation(int x, int y) {
    Container::setLocation(x, y);
    if (window_ != nullptr) {
        window_->setBounds(getBounds());
    }
}

void NativeContainer::setSize(int width, int height) {
    Container::setSize(width, height);
    if (window_ != nullptr) {
        window_->setBounds(getBounds());
    }
    updateScrollBars();
}

void NativeContainer::setBounds(int x, int y, int width, int height) {
    Container::setLocation(x, y);
    Container::setSize(width, height);
    if (window_ != nullptr) {
        window_->setBounds(getBounds());
    }
    updateScrollBars();
}

void NativeContainer::setEnabled(bool enabled) {
    Container::setEnabled(enabled);
    if (window_ != nullptr) {
        window_->setEnabled(enabled);
    }
}

void NativeContainer::setVisible(bool visible) {
    Container::setVisible(visible);
    if (window_ != nullptr) {
        window_->setVisible(visible);
    }
}

// ------------------------------------------------------------------ scrolling

void NativeContainer::setScrollUnit(const Point& unit) {
    scrollUnit_ = {std::max(unit.x, 1), std::max(unit.y, 1)};
    updateScrollBars();
}

void NativeContainer::setScrollExtent(const Dimension& extent) {
    scrollExtent_ = {std::max(extent.width, 0), std::max(extent.height, 0)};
    updateScrollBars();
}

void NativeContainer::updateScrollBars() {
    const Dimension client = window_ != nullptr ? window_->clientSize() : getSize();
    const int pageX = pageOf(client.width, scrollUnit_.x);
    const int pageY = pageOf(client.height, scrollUnit_.y);
    // A page that covers the extent leaves no range and the position at 0.
    Point position = scrollPosition_;
    position.x =
        pageX >= scrollExtent_.width ? 0 : std::min(position.x, scrollExtent_.width - pageX);
    position.y =
        pageY >= scrollExtent_.height ? 0 : std::min(position.y, scrollExtent_.height - pageY);
    if (window_ != nullptr) {
        window_->setScrollRange(NativeWindow::ScrollBar::Horizontal,
                                pageX >= scrollExtent_.width ? 0 : scrollExtent_.width, pageX);
        window_->setScrollRange(NativeWindow::ScrollBar::Vertical,
                                pageY >= scrollExtent_.height ? 0 : scrollExtent_.height, pageY);
    }
    if (!(position == scrollPosition_)) {
        scrollTo(position);
    }
}

void NativeContainer::scrollTo(const Point& requested) {
    const Dimension client = window_ != nullptr ? window_->clientSize() : getSize();
    const int maxX = std::max(0, scrollExtent_.width - pageOf(client.width, scrollUnit_.x));
    const int maxY = std::max(0, scrollExtent_.height - pageOf(client.height, scrollUnit_.y));
    const Point position{std::clamp(requested.x, 0, maxX), std::clamp(requested.y, 0, maxY)};
    if (position == scrollPosition_) {
        return;
    }
    const int dx = -(position.x - scrollPosition_.x) * scrollUnit_.x;
    const int dy = -(position.y - scrollPosition_.y) * scrollUnit_.y;
    scrollPosition_ = position;
    if (window_ != nullptr) {
        window_->setScrollPosition(NativeWindow::ScrollBar::Horizontal, position.x);
        window_->setScrollPosition(NativeWindow::ScrollBar::Vertical, position.y);
        window_->scrollContents(dx, dy);
    }
}

// ------------------------------------------------------------------- painting

Component* NativeContainer::getComponentAt(int x, int y) {
    if (!contains(x, y)) {
        return nullptr;
    }
    const Point offset = scrollOffset();
    for (int index = getComponentCount() - 1; index >= 0; --index) {
        Component* child = getComponent(index);
        if (!child->isVisible()) {
            continue;
        }
        const Point at = child->getLocation();
        if (Component* hit = child->getComponentAt(x + offset.x - at.x, y + offset.y - at.y)) {
            return hit;
        }
    }
    return this;
}

void NativeContainer::repaint(const Rectangles& rectangle, bool erase) {
    if (window_ == nullptr) {
        return;
    }
    const Point offset = scrollOffset();
    const Dimension client = window_->clientSize();
    const Rectangles visible = rectangle.translated(-offset.x, -offset.y)
                                   .intersection({0, 0, client.width, client.height});
    if (!visible.isEmpty()) {
        window_->invalidate(visible, erase);
    }
}

void NativeContainer::repaintClient(bool erase) {
    if (window_ != nullptr) {
        const Dimension client = window_->clientSize();
        window_->invalidate({0, 0, client.width, client.height}, erase);
    }
}

void NativeContainer::paintWindow(Graphics& graphics) {
    validate();
    update(graphics);
}

void NativeContainer::paint(Graphics& graphics) {
    const Point offset = scrollOffset();
    const GraphicsStateScope state(graphics);
    graphics.translateOrigin(-offset.x, -offset.y);
    paintChildren(graphics);
}

// ---------------------------------------------------------------------- input

void NativeContainer::setCapture(bool captured) {
    if (captured != captured_) {
        captured_ = captured;
        if (window_ != nullptr) {
            window_->setMouseCapture(captured);
        }
    }
}

void NativeContainer::sendMouse(Component* target, int id, const NativeMouseMessage& message) {
    const Point offset = displayOffsetOf(target);
    int x = message.x;
    int y = message.y;
    if (target != this) {
        const Point at = target->locationInNative();
        x += offset.x - at.x;
        y += offset.y - at.y;
    }
    MouseEvent event(target, id, message.modifiers, x, y);
    if (target->dispatchEvent(event) || target == this) {
        return;
    }
    // Refused by the target: the container processes it in its own coordinates.
    MouseEvent own(this, id, message.modifiers, message.x, message.y);
    processEvent(own);
}

void NativeContainer::endGesture(const NativeMouseMessage& message) {
    grab_ = nullptr;
    if (lastTarget_ != nullptr && isOwnOrDescendant(lastTarget_)) {
        sendMouse(lastTarget_, eventid::MouseExited, message);
    }
    lastTarget_ = nullptr;
    setCapture(false);
}

void NativeContainer::handleMouse(const NativeMouseMessage& message) {
    using Kind = NativeMouseMessage::Kind;
    if (lastTarget_ != nullptr && !isOwnOrDescendant(lastTarget_)) {
        lastTarget_ = nullptr;
    }
    if (grab_ != nullptr && !isOwnOrDescendant(grab_)) {
        grab_ = nullptr;
    }
    Component* target = grab_;
    if (target == nullptr) {
        if (!message.overWindow) {
            endGesture(message);
            return;
        }
        target = getComponentAt(message.x, message.y);
        if (target == nullptr) {
            target = this;
        }
    }
    const bool move = message.kind == Kind::Move;
    if (target != lastTarget_) {
        if (lastTarget_ != nullptr) {
            sendMouse(lastTarget_, eventid::MouseExited, message);
        }
        if (move) {
            sendMouse(target, eventid::MouseEntered, message);
        }
        lastTarget_ = target;
    }
    switch (message.kind) {
        case Kind::LeftDown:
        case Kind::RightDown:
            setCapture(true);
            sendMouse(target, eventid::MousePressed, message);
            break;
        case Kind::LeftUp:
            sendMouse(target, eventid::MouseReleased, message);
            sendMouse(target, eventid::MouseClicked, message);
            break;
        case Kind::RightUp:
            sendMouse(target, eventid::PopupTrigger, message);
            break;
        case Kind::LeftDoubleClick:
        case Kind::RightDoubleClick:
            sendMouse(target, eventid::MouseDoubleClicked, message);
            break;
        case Kind::Move:
            sendMouse(target,
                      (message.modifiers & modifier::LeftButton) != 0 ? eventid::MouseDragged
                                                                      : eventid::MouseMoved,
                      message);
            break;
    }
    const bool buttonUp = message.kind == Kind::LeftUp || message.kind == Kind::RightUp;
    const bool buttonsHeld = (message.modifiers & (modifier::LeftButton | modifier::RightButton |
                                                   modifier::MiddleButton)) != 0;
    if (buttonUp && grab_ != nullptr) {
        endGesture(message);  // the end of a grab ends the gesture
    } else if (buttonUp && !buttonsHeld) {
        setCapture(false);
    }
}

void NativeContainer::handleKey(int id, std::uint32_t keyCode, std::uint32_t keyData) {
    Component* target =
        caretHolder_ != nullptr && isOwnOrDescendant(caretHolder_) ? caretHolder_ : this;
    KeyEvent event(target, id, keyCode, keyData);
    if (!target->dispatchEvent(event) && target != this) {
        KeyEvent own(this, id, keyCode, keyData);
        processEvent(own);
    }
}

void NativeContainer::handleFocus(bool gained) {
    Component* target =
        caretHolder_ != nullptr && isOwnOrDescendant(caretHolder_) ? caretHolder_ : this;
    FocusEvent event(target, gained ? eventid::FocusGained : eventid::FocusLost);
    target->dispatchEvent(event);
}
