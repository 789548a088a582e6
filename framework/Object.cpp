#include "framework/Object.h"

const RuntimeClass Object::classRecord{"Object", nullptr, 0};

void Archive::exchange(std::int32_t& value) {
    if (storing_) {
        values_.push_back(value);
    } else {
        value = next_ < values_.size() ? values_[next_++] : 0;
    }
}

void Object::serialize(Archive&) {}

std::int32_t Object::hashCode() const {
    return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(this));
}

std::string Object::toString(int radix) const {
    return std::string(className()) + "@" + integerToString(hashCode(), radix);
}

std::string integerToString(std::int32_t value, int radix) {
    if (radix < 2 || radix > 32) {
        radix = 10;
    }
    const bool unsignedForm = radix == 2 || radix == 8 || radix == 16;
    const bool negative = !unsignedForm && value < 0;
    std::uint64_t magnitude = unsignedForm ? static_cast<std::uint32_t>(value)
                              : negative
                                  ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(value))
                                  : static_cast<std::uint64_t>(value);
    std::string digits;
    do {
        const auto digit = static_cast<int>(magnitude % static_cast<std::uint64_t>(radix));
        digits.insert(digits.begin(),
                      static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10));
        magnitude /= static_cast<std::uint64_t>(radix);
    } while (magnitude != 0);
    return negative ? "-" + digits : digits;
}
