#pragma once

#include <vector>

#include "framework/Object.h"

// A growable array of object pointers. It does not own what it holds.
// Capacity starts at 10 and grows by the increment (4), or doubles when the
// increment is not positive, and always to at least what is needed.
class Vector : public Object {
    KESTRANE_DECLARE_CLASS(Vector)
  public:
    explicit Vector(int capacity = 10, int increment = 4);

    int count() const { return static_cast<int>(items_.size()); }
    int capacity() const { return capacity_; }
    int increment() const { return increment_; }
    void setIncrement(int increment) { increment_ = increment; }

    // The item at `index`; false outside 0..count-1.
    bool get(int index, Object*& item) const;
    // Appends and returns the new index, or -1 when memory runs out (the
    // contents stay as they were).
    int append(Object* item);
    // Removes the item at `index`; later items move down.
    bool removeAt(int index);
    // Empties the vector and keeps its capacity.
    void removeAll() { items_.clear(); }

  private:
    bool grow(int needed);

    std::vector<Object*> items_;
    int capacity_;
    int increment_;
};

// A vector used from its end: push appends, peek reads and pop removes the
// last item; both fail on an empty stack.
class Stack : public Vector {
    KESTRANE_DECLARE_CLASS(Stack)
  public:
    int push(Object* item) { return append(item); }
    bool peek(Object*& item) const { return get(count() - 1, item); }
    bool pop(Object*& item) { return peek(item) && removeAt(count() - 1); }
};
