#include "framework/Container.h"

#include <algorithm>

KESTRANE_DEFINE_CLASS(Container, RealComponent, 1)

Container::~Container() {
    removeAll();
}

bool Container::create() {
    removeAll();
    layout_ = nullptr;
    return RealComponent::create();
}

Component* Container::getComponent(int index) const {
    if (index < 0 || index >= getComponentCount()) {
        return nullptr;
    }
    return children_[static_cast<std::size_t>(index)];
}

int Container::indexOf(const Component* component) const {
    const auto found = std::find(children_.begin(), children_.end(), component);
    return found == children_.end() ? -1 : static_cast<int>(found - children_.begin());
}

bool Container::add(Component* component, int index) {
    if (component == nullptr || component == this || component->isAncestorOf(this) || index < -1 ||
        index > getComponentCount()) {
        return false;
    }
    if (component->getParent() != nullptr) {
        component->getParent()->remove(component);
    }
    if (index == -1) {
        children_.push_back(component);
    } else {
        children_.insert(children_.begin() + index, component);
    }
    component->parent_ = this;
    // The child's event bits reach every ancestor.
    if (const std::uint32_t mask = component->getEventMask(); mask != 0) {
        enableEvents(mask);
    }
    invalidate();
    return true;
}

bool Container::remove(int index) {
    Component* component = getComponent(index);
    if (component == nullptr) {
        return false;
    }
    children_.erase(children_.begin() + index);
    component->parent_ = nullptr;
    invalidate();
    return true;
}

bool Container::remove(Component* component) {
    return remove(indexOf(component));
}

void Container::removeAll() {
    for (Component* child : children_) {
        child->parent_ = nullptr;
    }
    children_.clear();
}

bool Container::isAncestorOf(const Component* component) const {
    for (const Component* parent = component != nullptr ? component->getParent() : nullptr;
         parent != nullptr; parent = parent->getParent()) {
        if (parent == this) {
            return true;
        }
    }
    return false;
}

Component* Container::getComponentAt(int x, int y) {
    if (!contains(x, y)) {
        return nullptr;
    }
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if (!(*child)->isVisible()) {
            continue;
        }
        const Point at = (*child)->getLocation();
        if (Component* hit = (*child)->getComponentAt(x - at.x, y - at.y)) {
            return hit;
        }
    }
    return this;
}

bool Container::setLayout(Object* layout) {
    layout_ = objectCast<Layouter>(layout);
    return layout_ != nullptr;
}

bool Container::doLayout() {
    return layout_ == nullptr || layout_->layoutContainer(*this);
}

void Container::validate() {
    if (isValid()) {
        return;
    }
    for (Component* child : children_) {
        child->validate();
    }
    Component::validate();
}

void Container::paint(Graphics& graphics) {
    paintChildren(graphics);
}

void Container::paintChildren(Graphics& graphics) {
    const Rectangles clip = graphics.clipBox();
    for (Component* child : children_) {
        if (!child->isVisible()) {
            continue;
        }
        const Rectangles bounds = child->getBounds();
        const Rectangles shared = bounds.intersection(clip);
        if (shared.isEmpty()) {
            continue;
        }
        const GraphicsStateScope state(graphics);
        graphics.intersectClip(shared);
        graphics.translateOrigin(bounds.x, bounds.y);
        child->update(graphics);
    }
}
