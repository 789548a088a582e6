#include "framework/Values.h"

#include <algorithm>

KESTRANE_DEFINE_CLASS(Insets, Object, 1)
KESTRANE_DEFINE_CLASS(Point, Object, 1)
KESTRANE_DEFINE_CLASS(Dimension, Object, 1)
KESTRANE_DEFINE_CLASS(Rectangles, Object, 1)
KESTRANE_DEFINE_CLASS(Number, Object, 1)
KESTRANE_DEFINE_CLASS(Integer, Number, 1)

namespace {

void exchange(Archive& archive, int& value) {
    std::int32_t stored = value;
    archive.exchange(stored);
    value = stored;
}

// Same class, so the fields can be compared.
template <typename T>
const T* sameClass(const Object* self, const Object* other) {
    return other != nullptr && &other->getRuntimeClass() == &self->getRuntimeClass()
               ? static_cast<const T*>(other)
               : nullptr;
}

}  // namespace

void Insets::serialize(Archive& archive) {
    exchange(archive, top);
    exchange(archive, left);
    exchange(archive, bottom);
    exchange(archive, right);
}

std::int32_t Insets::hashCode() const {
    return (((top * 31) ^ left) * 31 ^ bottom) * 31 ^ right;
}

std::string Insets::toString(int) const {
    return std::string(className()) + "[top=" + std::to_string(top) +
           ",left=" + std::to_string(left) + ",bottom=" + std::to_string(bottom) +
           ",right=" + std::to_string(right) + "]";
}

bool Insets::equals(const Object* other) const {
    const auto* insets = sameClass<Insets>(this, other);
    return insets != nullptr && insets->top == top && insets->left == left &&
           insets->bottom == bottom && insets->right == right;
}

void Point::serialize(Archive& archive) {
    exchange(archive, x);
    exchange(archive, y);
}

std::string Point::toString(int) const {
    return std::string(className()) + "[x=" + std::to_string(x) + ", y=" + std::to_string(y) + "]";
}

bool Point::equals(const Object* other) const {
    const auto* point = sameClass<Point>(this, other);
    return point != nullptr && *point == *this;
}

void Dimension::serialize(Archive& archive) {
    exchange(archive, width);
    exchange(archive, height);
}

std::string Dimension::toString(int) const {
    return std::string(className()) + "[width=" + std::to_string(width) +
           ",height=" + std::to_string(height) + "]";
}

bool Dimension::equals(const Object* other) const {
    const auto* dimension = sameClass<Dimension>(this, other);
    return dimension != nullptr && *dimension == *this;
}

void Rectangles::serialize(Archive& archive) {
    exchange(archive, x);
    exchange(archive, y);
    exchange(archive, width);
    exchange(archive, height);
}

std::string Rectangles::toString(int) const {
    return std::string(className()) + "[x=" + std::to_string(x) + ",y=" + std::to_string(y) +
           ",width=" + std::to_string(width) + ",height=" + std::to_string(height) + "]";
}

bool Rectangles::equals(const Object* other) const {
    const auto* rectangle = sameClass<Rectangles>(this, other);
    return rectangle != nullptr && *rectangle == *this;
}

Rectangles Rectangles::intersection(const Rectangles& other) const {
    const int left = std::max(x, other.x);
    const int top = std::max(y, other.y);
    return {left, top, std::min(right(), other.right()) - left,
            std::min(bottom(), other.bottom()) - top};
}

void Integer::serialize(Archive& archive) {
    archive.exchange(value);
}

bool Integer::equals(const Object* other) const {
    const auto* integer = sameClass<Integer>(this, other);
    return integer != nullptr && integer->value == value;
}
