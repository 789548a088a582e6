#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The root of the component framework and of the edit actions. Every class
// carries a run-time class record, so "is a" tests work across the tree.

class Object;

// The run-time record of one class: its name, its base class and the schema
// number its serialised form carries.
struct RuntimeClass {
    const char* name;
    const RuntimeClass* base;
    int schema;

    bool isDerivedFrom(const RuntimeClass& other) const {
        for (const RuntimeClass* record = this; record != nullptr; record = record->base) {
            if (record == &other) {
                return true;
            }
        }
        return false;
    }
};

// A store or load of an object's fields, as a sequence of 32-bit integers.
class Archive {
  public:
    explicit Archive(bool storing) : storing_(storing) {}
    Archive(const std::vector<std::int32_t>& values)
        : storing_(false), values_(values) {}  // NOLINT

    bool isStoring() const { return storing_; }
    // Stores `value`, or loads into it; a load past the end loads 0.
    void exchange(std::int32_t& value);
    const std::vector<std::int32_t>& values() const { return values_; }

  private:
    bool storing_;
    std::vector<std::int32_t> values_;
    std::size_t next_ = 0;
};

// Declares a class's run-time record and its getRuntimeClass().
#define KESTRANE_DECLARE_CLASS(Name)                       \
  public:                                                  \
    static const RuntimeClass classRecord;                 \
    const RuntimeClass& getRuntimeClass() const override { \
        return Name::classRecord;                          \
    }

// Defines the record of `Name`, derived from `Base`.
#define KESTRANE_DEFINE_CLASS(Name, Base, Schema) \
    const RuntimeClass Name::classRecord{#Name, &Base::classRecord, Schema};

class Object {
  public:
    static const RuntimeClass classRecord;

    virtual const RuntimeClass& getRuntimeClass() const { return classRecord; }
    virtual ~Object() = default;
    virtual void serialize(Archive& archive);
    virtual std::int32_t hashCode() const;
    // The class name, "@" and the hash code in `radix` (2, 8 and 16 print it unsigned).
    virtual std::string toString(int radix) const;
    virtual std::string toString() const { return toString(16); }
    virtual bool equals(const Object* other) const { return other == this; }

    bool isKindOf(const RuntimeClass& record) const {
        return getRuntimeClass().isDerivedFrom(record);
    }
    const char* className() const { return getRuntimeClass().name; }
};

// `value` as text in `radix`: a radix outside 2..32 becomes 10; digits 0-9
// then lower-case letters; radixes 2, 8 and 16 print the 32-bit pattern
// unsigned, others put "-" before a negative value.
std::string integerToString(std::int32_t value, int radix);

// `object` as a T when it is one (by the run-time records), else nullptr.
template <typename T>
T* objectCast(Object* object) {
    return object != nullptr && object->isKindOf(T::classRecord) ? static_cast<T*>(object)
                                                                 : nullptr;
}
template <typename T>
const T* objectCast(const Object* object) {
    return object != nullptr && object->isKindOf(T::classRecord) ? static_cast<const T*>(object)
                                                                 : nullptr;
}
