#include "calc/Limbs.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace multibyte::limbs {

namespace {

__extension__ using Wide = unsigned __int128;  // GCC and Clang on 64-bit targets

void checkCancel(const CancelFlag* cancel) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
        throw Cancelled{};
    }
}

// r[0 .. nr) += a[0 .. na), na <= nr; the carry out of r is returned.
Limb addInto(Limb* r, std::size_t nr, const Limb* a, std::size_t na) {
    Limb carry = 0;
    std::size_t i = 0;
    for (; i < na; ++i) {
        const Wide sum = static_cast<Wide>(r[i]) + a[i] + carry;
        r[i] = static_cast<Limb>(sum);
        carry = static_cast<Limb>(sum >> 64);
    }
    for (; carry != 0 && i < nr; ++i) {
        r[i] += 1;
        carry = r[i] == 0 ? 1 : 0;
    }
    return carry;
}

// r[0 .. nr) -= a[0 .. na), na <= nr; the borrow out of r is returned.
Limb subtractFrom(Limb* r, std::size_t nr, const Limb* a, std::size_t na) {
    Limb borrow = 0;
    std::size_t i = 0;
    for (; i < na; ++i) {
        const Limb before = r[i];
        const Limb difference = before - a[i];
        const Limb result = difference - borrow;
        borrow = static_cast<Limb>((before < a[i]) | (difference < borrow));
        r[i] = result;
    }
    for (; borrow != 0 && i < nr; ++i) {
        borrow = r[i] == 0 ? 1 : 0;
        r[i] -= 1;
    }
    return borrow;
}

// r[0 .. max(na, nb) + 1) = a + b.
void sum(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb) {
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    std::copy(a, a + na, r);
    r[na] = addInto(r, na, b, nb);
}

std::size_t withoutHighZeros(const Limb* limbs, std::size_t count) {
    while (count > 0 && limbs[count - 1] == 0) {
        --count;
    }
    return count;
}

// a (na limbs) times b (nb limbs) for na >= 2 nb: slices of a as long as b,
// each product added in at its place.
void multiplyUnbalanced(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
                        const CancelFlag* cancel) {
    std::fill(r, r + na + nb, Limb{0});
    Limbs slice(2 * nb);
    for (std::size_t offset = 0; offset < na; offset += nb) {
        const std::size_t length = std::min(nb, na - offset);
        multiply(slice.data(), a + offset, length, b, nb, cancel);
        addInto(r + offset, na + nb - offset, slice.data(), length + nb);
    }
}

// Karatsuba for nb <= na < 2 nb: with h = na / 2 and a = a1 B^h + a0,
// b = b1 B^h + b0, the product is z2 B^2h + z1 B^h + z0 where z0 = a0 b0,
// z2 = a1 b1 and z1 = (a0 + a1)(b0 + b1) - z0 - z2.
void multiplyKaratsuba(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
                       const CancelFlag* cancel) {
    const std::size_t h = na / 2;
    multiply(r, a, h, b, h, cancel);
    multiply(r + 2 * h, a + h, na - h, b + h, nb - h, cancel);

    const std::size_t sumA = std::max(h, na - h) + 1;
    const std::size_t sumB = std::max(h, nb - h) + 1;
    Limbs sums(sumA + sumB);
    sum(sums.data(), a, h, a + h, na - h);
    sum(sums.data() + sumA, b, h, b + h, nb - h);
    const std::size_t lengthA = std::max<std::size_t>(withoutHighZeros(sums.data(), sumA), 1);
    const std::size_t lengthB =
        std::max<std::size_t>(withoutHighZeros(sums.data() + sumA, sumB), 1);

    Limbs middle(lengthA + lengthB);
    multiply(middle.data(), sums.data(), lengthA, sums.data() + sumA, lengthB, cancel);
    // z0 and z2 are at most the middle product, so their significant limbs fit it.
    subtractFrom(middle.data(), middle.size(), r, withoutHighZeros(r, 2 * h));
    subtractFrom(middle.data(), middle.size(), r + 2 * h,
                 withoutHighZeros(r + 2 * h, na + nb - 2 * h));
    const std::size_t used = withoutHighZeros(middle.data(), middle.size());
    addInto(r + h, na + nb - h, middle.data(), used);
}

}  // namespace

Limbs fromBytes(const std::uint8_t* bytes, Length length) {
    Length first = 0;
    while (first < length && bytes[first] == 0) {
        ++first;
    }
    const Length significant = length - first;
    Limbs out(static_cast<std::size_t>((significant + 7) / 8));
    const std::uint8_t* end = bytes + length;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const Length left = significant - static_cast<Length>(8 * i);
        if (left >= 8) {
            Limb value;
            std::memcpy(&value, end - 8 * (i + 1), sizeof value);
            out[i] = __builtin_bswap64(value);
        } else {
            Limb value = 0;
            for (const std::uint8_t* p = end - 8 * i - left; p < end - 8 * i; ++p) {
                value = (value << 8) | *p;
            }
            out[i] = value;
        }
    }
    return out;
}

Length significantBytes(const Limb* limbs, std::size_t count) {
    count = withoutHighZeros(limbs, count);
    if (count == 0) {
        return 0;
    }
    const int topBytes = 8 - std::countl_zero(limbs[count - 1]) / 8;
    return static_cast<Length>((count - 1) * 8) + topBytes;
}

void toBytes(const Limb* limbs, std::size_t count, std::uint8_t* out, Length length) {
    std::uint8_t* end = out + length;
    for (Length j = 0; j < length;) {
        const std::size_t index = static_cast<std::size_t>(j / 8);
        const Limb limb = index < count ? limbs[index] : 0;
        if (length - j >= 8) {
            const Limb value = __builtin_bswap64(limb);
            std::memcpy(end - j - 8, &value, sizeof value);
            j += 8;
        } else {
            for (int shift = 0; j < length; shift += 8, ++j) {
                end[-j - 1] = static_cast<std::uint8_t>(limb >> shift);
            }
        }
    }
}

void multiplyBasecase(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb) {
    std::fill(r, r + na + nb, Limb{0});
    for (std::size_t j = 0; j < nb; ++j) {
        const Limb factor = b[j];
        if (factor == 0) {
            continue;
        }
        Limb carry = 0;
        Limb* row = r + j;
        for (std::size_t i = 0; i < na; ++i) {
            const Wide product = static_cast<Wide>(a[i]) * factor + row[i] + carry;
            row[i] = static_cast<Limb>(product);
            carry = static_cast<Limb>(product >> 64);
        }
        row[na] = carry;
    }
}

void multiply(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
              const CancelFlag* cancel) {
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb < kKaratsubaThreshold) {
        multiplyBasecase(r, a, na, b, nb);
        return;
    }
    checkCancel(cancel);
    if (na >= 2 * nb) {
        multiplyUnbalanced(r, a, na, b, nb, cancel);
    } else {
        multiplyKaratsuba(r, a, na, b, nb, cancel);
    }
}

namespace {

Limb divideBySingleLimb(const Limbs& a, Limb divisor, Limbs& q) {
    q.assign(a.size(), 0);
    Limb remainder = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        const Wide current = (static_cast<Wide>(remainder) << 64) | a[i];
        q[i] = static_cast<Limb>(current / divisor);
        remainder = static_cast<Limb>(current % divisor);
    }
    return remainder;
}

// The trial quotient limb from the top two limbs of the running remainder,
// lowered while it is plainly too large (at most twice, Knuth's step D3).
Limb trialQuotient(const Limb* top, const Limb* divisor, std::size_t nb) {
    const Wide numerator = (static_cast<Wide>(top[nb]) << 64) | top[nb - 1];
    Wide quotient = numerator / divisor[nb - 1];
    Wide remainder = numerator % divisor[nb - 1];
    const Wide base = static_cast<Wide>(1) << 64;
    while (quotient >= base || quotient * divisor[nb - 2] > ((remainder << 64) | top[nb - 2])) {
        --quotient;
        remainder += divisor[nb - 1];
        if (remainder >= base) {
            break;
        }
    }
    return static_cast<Limb>(quotient);
}

// top[0 .. nb] -= q * divisor; true when that went below zero.
bool multiplySubtract(Limb* top, const Limb* divisor, std::size_t nb, Limb q) {
    Limb carry = 0;
    Limb borrow = 0;
    for (std::size_t i = 0; i < nb; ++i) {
        const Wide product = static_cast<Wide>(q) * divisor[i] + carry;
        carry = static_cast<Limb>(product >> 64);
        const Limb low = static_cast<Limb>(product);
        const Limb before = top[i];
        const Limb difference = before - low;
        top[i] = difference - borrow;
        borrow = static_cast<Limb>((before < low) | (difference < borrow));
    }
    const Limb before = top[nb];
    const Limb difference = before - carry;
    top[nb] = difference - borrow;
    return ((before < carry) | (difference < borrow)) != 0;
}

}  // namespace

// Knuth's Algorithm D in base 2^64: the divisor is shifted until its top
// bit is set, so each trial quotient limb is at most two too large.
void divide(const Limbs& a, const Limbs& b, Limbs& q, Limbs& r, const CancelFlag* cancel) {
    const std::size_t na = a.size();
    const std::size_t nb = b.size();
    if (na < nb) {
        q.assign(1, 0);
        r = a;
        r.resize(nb, 0);
        return;
    }
    if (nb == 1) {
        r.assign(1, divideBySingleLimb(a, b[0], q));
        return;
    }
    const int shift = std::countl_zero(b[nb - 1]);
    Limbs divisor(nb);
    Limbs running(na + 1);
    for (std::size_t i = nb; i-- > 0;) {
        divisor[i] = shift == 0 ? b[i] : (b[i] << shift) | (i > 0 ? b[i - 1] >> (64 - shift) : 0);
    }
    running[na] = shift == 0 ? 0 : a[na - 1] >> (64 - shift);
    for (std::size_t i = na; i-- > 0;) {
        running[i] = shift == 0 ? a[i] : (a[i] << shift) | (i > 0 ? a[i - 1] >> (64 - shift) : 0);
    }
    q.assign(na - nb + 1, 0);
    for (std::size_t j = na - nb + 1; j-- > 0;) {
        if ((j & 63) == 0) {
            checkCancel(cancel);
        }
        Limb* top = running.data() + j;
        Limb trial = trialQuotient(top, divisor.data(), nb);
        if (multiplySubtract(top, divisor.data(), nb, trial)) {
            --trial;
            top[nb] += addInto(top, nb, divisor.data(), nb);
        }
        q[j] = trial;
    }
    r.assign(nb, 0);
    for (std::size_t i = 0; i < nb; ++i) {
        r[i] = shift == 0 ? running[i] : (running[i] >> shift) | (running[i + 1] << (64 - shift));
    }
}

}  // namespace multibyte::limbs
