#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The arithmetic and the comparison of the advanced find. Byte strings are
// unsigned numbers, the first byte most significant.

// The result of `op` (a markop code) on A and B right-aligned into their
// common width, or none: "-" below zero, "/" and "Mod" by zero, a shift
// count outside 1..2147483647, and any operator but "Not" without B. A zero
// result is one byte 00.
std::optional<std::vector<std::uint8_t>> advancedOperation(int op, std::vector<std::uint8_t> a,
                                                           std::vector<std::uint8_t> b);

// X `op` Y for a comparison code; false when either has no bytes.
bool advancedComparison(int op, const std::vector<std::uint8_t>& x,
                        const std::vector<std::uint8_t>& y);

// The bytes of a hexadecimal text; none when it is empty or not valid.
std::vector<std::uint8_t> advancedBytes(std::string_view text);
// "%02x " per byte.
std::string advancedText(const std::vector<std::uint8_t>& bytes);

// The operand box's text after a find: "00 " for "+", "-", "Lsh", "Rsh",
// "01 " for "*", "/", "Mod", the found bytes for "And", "Or", "Xor", "Not".
std::string presetOperand(int op, const std::string& findResult);
