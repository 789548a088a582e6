#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Hexadecimal text: tokens of one or two hexadecimal digits (or the wildcard
// character, where allowed) separated by runs of " \t\r\n"; each token is one
// byte.

inline constexpr char kDefaultHexWildcard = '*';

// The number of bytes in `text`; -1 when it is not hexadecimal text, 0 for an
// empty or blank text.
int countHexTokens(std::string_view text, bool wildcardAllowed,
                   char wildcard = kDefaultHexWildcard);

// The value of a hexadecimal digit, or -1 for any other character.
int hexDigitValue(char c);

// The tokens of `text` as they were typed, separators left out.
std::vector<std::string_view> hexTokens(std::string_view text);

// Converts the tokens into bytes, at most `buffer.size()` of them, and returns
// how many tokens there are (with an empty buffer: only counts). No checks:
// callers check with countHexTokens first. A wildcard digit reads as 0.
int parseHexText(std::string_view text, std::span<std::uint8_t> buffer);
// The same into a new vector.
std::vector<std::uint8_t> parseHexText(std::string_view text);

// The canonical form the programs write: "%02x " per byte.
std::string toHexText(std::span<const std::uint8_t> bytes);

// Tabs, carriage returns and line feeds become spaces.
std::string flattenHexText(std::string_view text);
