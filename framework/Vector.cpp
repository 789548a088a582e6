#include "framework/Vector.h"

#include <new>
#include <stdexcept>

KESTRANE_DEFINE_CLASS(Vector, Object, 1)
KESTRANE_DEFINE_CLASS(Stack, Vector, 1)

Vector::Vector(int capacity, int increment)
    : capacity_(capacity <= 0 ? 10 : capacity), increment_(increment <= 0 ? 4 : increment) {
    items_.reserve(static_cast<std::size_t>(capacity_));
}

bool Vector::get(int index, Object*& item) const {
    if (index < 0 || index >= count()) {
        return false;
    }
    item = items_[static_cast<std::size_t>(index)];
    return true;
}

bool Vector::grow(int needed) {
    if (needed <= capacity_) {
        return true;
    }
    int next = increment_ > 0 ? capacity_ + increment_ : capacity_ * 2;
    if (next < needed) {
        next = needed;
    }
    try {
        items_.reserve(static_cast<std::size_t>(next));
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    capacity_ = next;
    return true;
}

int Vector::append(Object* item) {
    if (!grow(count() + 1)) {
        return -1;
    }
    items_.push_back(item);
    return count() - 1;
}

bool Vector::removeAt(int index) {
    if (index < 0 || index >= count()) {
        return false;
    }
    items_.erase(items_.begin() + index);
    return true;
}
