#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/NumberBase.h"

// Numbers typed into the dialogs' fields, in a chosen number system.

// Whether every character of `text` is a digit of `base`.
bool isDigitsOf(const std::string& text, NumberBase base);
// `text` read in `base`; nullopt for an empty or bad text or one too large.
std::optional<std::uint64_t> parseInBase(const std::string& text, NumberBase base);
// `value` written in `base` ("%ld", "%lx" or "%lo").
std::string formatInBase(std::uint64_t value, NumberBase base);
// The message for a number typed outside its range.
std::string rangeMessage(long long minimum, long long maximum);

// The message for a character outside the base's digits (1021-1023).
int digitMessageId(NumberBase base);

// The string ids of those messages.
namespace numbertext {
inline constexpr int kDecimalDigit = 1021;
inline constexpr int kHexadecimalDigit = 1022;
inline constexpr int kOctalDigit = 1023;
}  // namespace numbertext
