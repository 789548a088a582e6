// The 80-bit format decoded by hand, against the processor's own
// conversion where `long double` is that format, and the "%e" text.
#include "interpret/ExtendedFloat.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

namespace {

using Bytes = std::array<std::uint8_t, 10>;

Bytes extended(std::uint64_t significand, unsigned signAndExponent) {
    Bytes bytes{};
    for (int i = 0; i < 8; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
    }
    bytes[8] = static_cast<std::uint8_t>(signAndExponent);
    bytes[9] = static_cast<std::uint8_t>(signAndExponent >> 8);
    return bytes;
}

std::uint64_t bitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

double decoded(std::uint64_t significand, unsigned signAndExponent) {
    const Bytes bytes = extended(significand, signAndExponent);
    return extendedToDouble(bytes);
}

TEST(ExtendedFloatTest, SpecialEncodingsHaveADefinedValue) {
    constexpr std::uint64_t top = std::uint64_t{1} << 63;
    EXPECT_EQ(decoded(top, 0x3FFF), 1.0);
    EXPECT_EQ(decoded(top, 0xBFFF), -1.0);
    EXPECT_EQ(decoded(top | (top >> 1), 0x4000), 3.0);
    EXPECT_EQ(bitsOf(decoded(0, 0x8000)), bitsOf(-0.0));
    EXPECT_EQ(decoded(top, 0x7FFF), INFINITY);
    EXPECT_EQ(decoded(top, 0xFFFF), -INFINITY);
    EXPECT_EQ(decoded(top, 0x43FF), INFINITY);  // beyond the double range
    EXPECT_EQ(decoded(top, 0x3BCD - 60), 0.0);  // far below it
    EXPECT_EQ(scientificText(decoded(top | 1, 0x7FFF)), "nan");
    EXPECT_EQ(scientificText(decoded(top | 1, 0xFFFF)), "-nan");
    // Pseudo-infinity, pseudo-NaN and an unnormal: the indefinite NaN.
    EXPECT_EQ(scientificText(decoded(0, 0x7FFF)), "-nan");
    EXPECT_EQ(scientificText(decoded(1, 0x7FFF)), "-nan");
    EXPECT_EQ(scientificText(decoded(top >> 1, 0x3FFF)), "-nan");
    // A denormal and a pseudo-denormal: far below any double.
    EXPECT_EQ(decoded(1, 0), 0.0);
    EXPECT_EQ(decoded(top, 0), 0.0);
    // The smallest double subnormal, exactly, and half of it (a tie to even: zero).
    EXPECT_EQ(decoded(top, 0x3FFF - 1074), 4.9406564584124654e-324);
    EXPECT_EQ(decoded(top, 0x3FFF - 1075), 0.0);
    EXPECT_EQ(decoded(top | 1, 0x3FFF - 1075), 4.9406564584124654e-324);
}

TEST(ExtendedFloatTest, ScientificTextHasThreeExponentDigits) {
    EXPECT_EQ(scientificText(1.0), "1.000000e+000");
    EXPECT_EQ(scientificText(-2.5e-7), "-2.500000e-007");
    EXPECT_EQ(scientificText(1e300), "1.000000e+300");
    EXPECT_EQ(scientificText(0.0), "0.000000e+000");
    EXPECT_EQ(scientificText(INFINITY), "inf");
    EXPECT_EQ(scientificText(-INFINITY), "-inf");
}

// Where `long double` is the 80-bit format, its conversion to double is the
// processor's: the hand decoding must give the very same bits.
TEST(ExtendedFloatTest, AgreesWithTheProcessorOnRandomPatterns) {
    if (LDBL_MANT_DIG != 64 || sizeof(long double) < 10) {
        GTEST_SKIP() << "long double is not the 80-bit format here";
    }
    constexpr unsigned seed = 20261208;
    std::mt19937_64 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> nearRange(0x3FFF - 1100, 0x3FFF + 1100);
    std::uniform_int_distribution<int> anyExponent(0, 0x7FFF);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t significand = random();
        const int k = kind(random);
        unsigned exponent = static_cast<unsigned>(k < 7 ? nearRange(random) : anyExponent(random));
        if (k == 7) {
            significand |= std::uint64_t{1} << 63;
        } else if (k == 8) {
            // Ties and near-ties at the rounding point of normals and subnormals.
            significand = (significand & ~std::uint64_t{0x7FF}) | 0x400 | (random() & 1);
            significand |= std::uint64_t{1} << 63;
        }
        if (random() & 1) {
            exponent |= 0x8000;
        }
        const Bytes bytes = extended(significand, exponent);
        long double native = 0;
        std::memcpy(&native, bytes.data(), bytes.size());
        const double expected = static_cast<double>(native);
        const double actual = extendedToDouble(bytes);
        ASSERT_EQ(bitsOf(actual), bitsOf(expected))
            << std::hex << "significand " << significand << " exponent " << exponent;
    }
}

}  // namespace
