#include "interpret/ExtendedFloat.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kIndefinite = 0xFFF8000000000000ull;  // the processor's default NaN
constexpr int kExponentBias = 16383;

double fromBits(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}

// `significand` x 2^(exponent - 63), rounded to a double's 53 bits (or
// fewer below the normal range) to nearest, ties to even.
std::uint64_t roundedMagnitude(std::uint64_t significand, int exponent) {
    if (exponent > 1023) {
        return 0x7FF0000000000000ull;
    }
    // Bits dropped from the 64-bit significand: 11 for a normal double,
    // more for a subnormal one.
    const int shift = exponent >= -1022 ? 11 : 11 + (-1022 - exponent);
    std::uint64_t kept = 0;
    bool half = false;
    bool sticky = false;
    if (shift < 64) {
        kept = significand >> shift;
        half = ((significand >> (shift - 1)) & 1) != 0;
        sticky = (significand & ((std::uint64_t{1} << (shift - 1)) - 1)) != 0;
    } else if (shift == 64) {
        half = (significand & kSignBit) != 0;
        sticky = (significand & ~kSignBit) != 0;
    } else {
        sticky = significand != 0;
    }
    if (half && (sticky || (kept & 1) != 0)) {
        ++kept;
    }
    if (exponent < -1022) {
        // A subnormal: the exponent field is 0; a carry into bit 52 makes
        // the smallest normal number by itself.
        return kept;
    }
    if (kept == (std::uint64_t{1} << 53)) {
        kept >>= 1;
        ++exponent;
        if (exponent > 1023) {
            return 0x7FF0000000000000ull;
        }
    }
    return (static_cast<std::uint64_t>(exponent + 1023) << 52) |
           (kept & ((std::uint64_t{1} << 52) - 1));
}

}  // namespace

double extendedToDouble(std::span<const std::uint8_t, 10> bytes) {
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i) {
        significand = (significand << 8) | bytes[static_cast<std::size_t>(i)];
    }
    const unsigned top = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
    const std::uint64_t sign = (top & 0x8000u) != 0 ? kSignBit : 0;
    const int biased = static_cast<int>(top & 0x7FFFu);
    const bool integerBit = (significand & kSignBit) != 0;

    if (biased == 0x7FFF) {
        if (!integerBit) {
            return fromBits(kIndefinite);  // pseudo-infinity or pseudo-NaN
        }
        const std::uint64_t fraction = significand & ~kSignBit;
        if (fraction == 0) {
            return fromBits(sign | 0x7FF0000000000000ull);
        }
        // A NaN keeps its sign and the top of its payload, and comes out quiet.
        return fromBits(sign | 0x7FF8000000000000ull | (fraction >> 11));
    }
    if (biased != 0 && !integerBit) {
        return fromBits(kIndefinite);  // an unnormal
    }
    if (significand == 0) {
        return fromBits(sign);
    }
    // Denormals and pseudo-denormals both count with the smallest exponent.
    const int exponent = (biased == 0 ? 1 : biased) - kExponentBias;
    // Normalise so that bit 63 is set; below the double range this only
    // moves the value further down, where it rounds to zero.
    const int leading = std::countl_zero(significand);
    return fromBits(sign | roundedMagnitude(significand << leading, exponent - leading));
}

std::string scientificText(double value) {
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%e", value);
    std::string written(text);
    const auto e = written.find('e');
    if (e == std::string::npos || e + 2 > written.size()) {
        return written;
    }
    std::string digits = written.substr(e + 2);
    while (digits.size() < 3) {
        digits.insert(digits.begin(), '0');
    }
    return written.substr(0, e + 2) + digits;
}
