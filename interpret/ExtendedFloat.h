#pragma once

#include <cstdint>
#include <span>
#include <string>

// The 80-bit extended format (1 sign bit, a 15-bit exponent biased by
// 16383, a 64-bit significand with an explicit integer bit), decoded by hand
// so every platform reads it alike, and converted to double with one
// rounding to nearest, ties to even, as the processor's store does.
// Encodings the processor does not support (unnormals, pseudo-infinities,
// pseudo-NaNs) give its indefinite NaN, which is negative.
double extendedToDouble(std::span<const std::uint8_t, 10> littleEndian);

// "%e" as the interpretation shows it: one digit, a point, six digits, "e",
// the exponent's sign and at least three exponent digits ("1.000000e+000").
// Infinities and NaNs read "inf", "-inf", "nan" and "-nan".
std::string scientificText(double value);
