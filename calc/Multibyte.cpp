#include "calc/Multibyte.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

#include "calc/Limbs.h"

namespace multibyte {

namespace {

bool valid(const std::uint8_t* bytes, Length length) {
    return bytes != nullptr && length > 0;
}

// The offset of the first non-zero byte (length when all are zero).
Length leadingZeros(const std::uint8_t* bytes, Length length) {
    Length first = 0;
    while (first < length && bytes[first] == 0) {
        ++first;
    }
    return first;
}

int compareStripped(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB) {
    if (lengthA != lengthB) {
        return lengthA > lengthB ? 1 : -1;
    }
    const int order = lengthA == 0 ? 0 : std::memcmp(a, b, static_cast<std::size_t>(lengthA));
    return (order > 0) - (order < 0);
}

// Writes the bytes the value needs, or a single 00 for zero; returns the length.
Length writeValue(const limbs::Limbs& value, std::uint8_t* out) {
    const Length length = limbs::significantBytes(value.data(), value.size());
    if (length == 0) {
        out[0] = 0;
        return 1;
    }
    limbs::toBytes(value.data(), value.size(), out, length);
    return length;
}

template <typename Op>
Length combine(const std::uint8_t* a, const std::uint8_t* b, Length n, std::uint8_t* result,
               Length capacity, Op op) {
    if (!valid(a, n) || b == nullptr || result == nullptr || capacity < n) {
        return -1;
    }
    for (Length i = 0; i < n; ++i) {
        result[i] = static_cast<std::uint8_t>(op(a[i], b[i]));
    }
    return n;
}

// What both shifts check first. Shifting by at least the whole width leaves
// zero bytes (the bit count is compared in whole bytes, so no product can
// overflow). Returns the length to report when the shift is done or refused,
// nothing when the bytes are still to be moved.
std::optional<Length> shiftWithoutMoving(const std::uint8_t* a, Length lengthA, std::int64_t bits,
                                         std::uint8_t* result, Length capacity) {
    if (!valid(a, lengthA) || result == nullptr || capacity < lengthA || bits < 0) {
        return -1;
    }
    if (bits / 8 >= lengthA) {
        std::fill(result, result + lengthA, std::uint8_t{0});
        return lengthA;
    }
    return std::nullopt;
}

}  // namespace

int compare(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB) {
    if (!valid(a, lengthA) || !valid(b, lengthB)) {
        return 0;
    }
    const Length zerosA = leadingZeros(a, lengthA);
    const Length zerosB = leadingZeros(b, lengthB);
    return compareStripped(a + zerosA, lengthA - zerosA, b + zerosB, lengthB - zerosB);
}

Length add(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
           std::uint8_t* result, Length capacity, bool& carry) {
    if (!valid(a, lengthA) || !valid(b, lengthB) || result == nullptr || capacity < lengthA ||
        capacity < lengthB) {
        return -1;
    }
    const Length length = std::max(lengthA, lengthB);
    unsigned sum = 0;
    for (Length i = 1; i <= length; ++i) {
        sum += (i <= lengthA ? a[lengthA - i] : 0u) + (i <= lengthB ? b[lengthB - i] : 0u);
        result[length - i] = static_cast<std::uint8_t>(sum);
        sum >>= 8;
    }
    carry = sum != 0;
    return length;
}

Length subtract(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
                std::uint8_t* result, Length capacity) {
    if (!valid(a, lengthA) || !valid(b, lengthB) || result == nullptr || capacity < lengthA ||
        capacity < lengthB) {
        return -1;
    }
    const Length zerosA = leadingZeros(a, lengthA);
    const Length zerosB = leadingZeros(b, lengthB);
    a += zerosA;
    b += zerosB;
    lengthA -= zerosA;
    lengthB -= zerosB;
    if (lengthA == 0 || compareStripped(a, lengthA, b, lengthB) < 0) {
        return -1;
    }
    // a >= b: no borrow leaves the first byte. Worked right-aligned in
    // lengthA bytes, then moved down over the leading zeros.
    int borrow = 0;
    for (Length i = 1; i <= lengthA; ++i) {
        int difference = a[lengthA - i] - (i <= lengthB ? b[lengthB - i] : 0) - borrow;
        borrow = difference < 0 ? 1 : 0;
        result[lengthA - i] = static_cast<std::uint8_t>(difference + 256 * borrow);
    }
    const Length zeros = leadingZeros(result, lengthA);
    std::memmove(result, result + zeros, static_cast<std::size_t>(lengthA - zeros));
    return lengthA - zeros;
}

Length multiply(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
                std::uint8_t* result, Length capacity, const CancelFlag* cancel) {
    if (!valid(a, lengthA) || !valid(b, lengthB) || result == nullptr || capacity / 2 < lengthA ||
        capacity / 2 < lengthB) {
        return -1;
    }
    try {
        const limbs::Limbs x = limbs::fromBytes(a, lengthA);
        const limbs::Limbs y = limbs::fromBytes(b, lengthB);
        if (x.empty() || y.empty()) {
            result[0] = 0;
            return 1;
        }
        limbs::Limbs product(x.size() + y.size());
        limbs::multiply(product.data(), x.data(), x.size(), y.data(), y.size(), cancel);
        return writeValue(product, result);
    } catch (const limbs::Cancelled&) {
        return -1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
}

bool divMod(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
            std::uint8_t* quotient, Length quotientCapacity, std::uint8_t* remainder,
            Length remainderCapacity, DivModLengths& lengths, const CancelFlag* cancel) {
    if (!valid(a, lengthA) || !valid(b, lengthB) || quotient == nullptr || remainder == nullptr ||
        quotientCapacity < lengthA || remainderCapacity < lengthB) {
        return false;
    }
    const Length zerosA = leadingZeros(a, lengthA);
    const Length zerosB = leadingZeros(b, lengthB);
    if (zerosB == lengthB) {
        return false;
    }
    const int order = compareStripped(a + zerosA, lengthA - zerosA, b + zerosB, lengthB - zerosB);
    if (zerosA == lengthA || order == 0) {
        quotient[0] = zerosA == lengthA ? 0 : 1;
        lengths = {1, 0};
        return true;
    }
    if (order < 0) {
        quotient[0] = 0;
        std::memcpy(remainder, a + zerosA, static_cast<std::size_t>(lengthA - zerosA));
        lengths = {1, lengthA - zerosA};
        return true;
    }
    try {
        limbs::Limbs q;
        limbs::Limbs r;
        limbs::divide(limbs::fromBytes(a, lengthA), limbs::fromBytes(b, lengthB), q, r, cancel);
        lengths.quotient = writeValue(q, quotient);
        lengths.remainder = writeValue(r, remainder);
        return true;
    } catch (const limbs::Cancelled&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

Length bitAnd(const std::uint8_t* a, const std::uint8_t* b, Length n, std::uint8_t* result,
              Length capacity) {
    return combine(a, b, n, result, capacity, [](unsigned x, unsigned y) { return x & y; });
}

Length bitOr(const std::uint8_t* a, const std::uint8_t* b, Length n, std::uint8_t* result,
             Length capacity) {
    return combine(a, b, n, result, capacity, [](unsigned x, unsigned y) { return x | y; });
}

Length bitXor(const std::uint8_t* a, const std::uint8_t* b, Length n, std::uint8_t* result,
              Length capacity) {
    return combine(a, b, n, result, capacity, [](unsigned x, unsigned y) { return x ^ y; });
}

Length bitNot(const std::uint8_t* a, Length lengthA, std::uint8_t* result, Length capacity) {
    if (!valid(a, lengthA) || result == nullptr || capacity < lengthA) {
        return -1;
    }
    for (Length i = 0; i < lengthA; ++i) {
        result[i] = static_cast<std::uint8_t>(~a[i]);
    }
    return lengthA;
}

Length shiftLeft(const std::uint8_t* a, Length lengthA, std::int64_t bits, std::uint8_t* result,
                 Length capacity) {
    if (const auto done = shiftWithoutMoving(a, lengthA, bits, result, capacity)) {
        return *done;
    }
    const Length bytes = bits / 8;
    const int rest = static_cast<int>(bits % 8);
    for (Length i = bytes; i < lengthA; ++i) {
        unsigned value = static_cast<unsigned>(a[i] << rest) & 0xffu;
        if (rest > 0 && i + 1 < lengthA) {
            value |= static_cast<unsigned>(a[i + 1] >> (8 - rest));
        }
        result[i - bytes] = static_cast<std::uint8_t>(value);
    }
    std::fill(result + lengthA - bytes, result + lengthA, std::uint8_t{0});
    return lengthA;
}

Length shiftRight(const std::uint8_t* a, Length lengthA, std::int64_t bits, std::uint8_t* result,
                  Length capacity) {
    if (const auto done = shiftWithoutMoving(a, lengthA, bits, result, capacity)) {
        return *done;
    }
    const Length bytes = bits / 8;
    const int rest = static_cast<int>(bits % 8);
    for (Length i = lengthA - bytes; i-- > 0;) {
        unsigned value = static_cast<unsigned>(a[i] >> rest);
        if (rest > 0 && i > 0) {
            value |= static_cast<unsigned>(a[i - 1] << (8 - rest)) & 0xffu;
        }
        result[i + bytes] = static_cast<std::uint8_t>(value);
    }
    std::fill(result, result + bytes, std::uint8_t{0});
    return lengthA;
}

}  // namespace multibyte
