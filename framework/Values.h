#pragma once

#include <cstdint>
#include <string>

#include "framework/Object.h"

// The framework's value types. They serialise their integers in field order
// and compare equal when of the same class with equal fields.

class Insets : public Object {
    KESTRANE_DECLARE_CLASS(Insets)
  public:
    Insets() = default;
    Insets(int top, int left, int bottom, int right)
        : top(top), left(left), bottom(bottom), right(right) {}
    void serialize(Archive& archive) override;
    std::int32_t hashCode() const override;
    std::string toString(int radix) const override;
    using Object::toString;
    bool equals(const Object* other) const override;

    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

class Point : public Object {
    KESTRANE_DECLARE_CLASS(Point)
  public:
    Point() = default;
    Point(int x, int y) : x(x), y(y) {}
    void serialize(Archive& archive) override;
    std::int32_t hashCode() const override { return (y * 31) ^ x; }
    std::string toString(int radix) const override;
    using Object::toString;
    bool equals(const Object* other) const override;
    bool operator==(const Point& other) const { return x == other.x && y == other.y; }

    int x = 0;
    int y = 0;
};

class Dimension : public Object {
    KESTRANE_DECLARE_CLASS(Dimension)
  public:
    Dimension() = default;
    Dimension(int width, int height) : width(width), height(height) {}
    void serialize(Archive& archive) override;
    std::int32_t hashCode() const override { return (height * 31) ^ width; }
    std::string toString(int radix) const override;
    using Object::toString;
    bool equals(const Object* other) const override;
    bool operator==(const Dimension& other) const {
        return width == other.width && height == other.height;
    }

    int width = 0;
    int height = 0;
};

// A rectangle: x, y, width, height.
class Rectangles : public Object {
    KESTRANE_DECLARE_CLASS(Rectangles)
  public:
    Rectangles() = default;
    Rectangles(int x, int y, int width, int height) : x(x), y(y), width(width), height(height) {}
    void serialize(Archive& archive) override;
    std::int32_t hashCode() const override { return (height * 47) ^ (width * 43) ^ (y * 37) ^ x; }
    std::string toString(int radix) const override;
    using Object::toString;
    bool equals(const Object* other) const override;
    bool operator==(const Rectangles& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(int px, int py) const {
        return px >= x && py >= y && px < right() && py < bottom();
    }
    // left and top the larger, right and bottom the smaller of the two.
    Rectangles intersection(const Rectangles& other) const;
    bool intersects(const Rectangles& other) const { return !intersection(other).isEmpty(); }
    Rectangles translated(int dx, int dy) const { return {x + dx, y + dy, width, height}; }

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class Number : public Object {
    KESTRANE_DECLARE_CLASS(Number)
};

class Integer : public Number {
    KESTRANE_DECLARE_CLASS(Integer)
  public:
    Integer() = default;
    explicit Integer(std::int32_t value) : value(value) {}
    void serialize(Archive& archive) override;
    std::int32_t hashCode() const override { return value; }
    // The value in `radix`, as integerToString writes it.
    std::string toString(int radix) const override { return integerToString(value, radix); }
    std::string toString() const override { return integerToString(value, 10); }
    bool equals(const Object* other) const override;

    std::int32_t value = 0;
};
