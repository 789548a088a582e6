#pragma once

#include <cstdint>
#include <string>

// The character rows' texts in UTF-8, the code page of this platform. A 0
// byte or code unit ends the text. Each text stays on one line: C0
// controls and DEL show as their control pictures (U+2400..U+2421), other
// controls and line separators as U+FFFD, like any byte that is not UTF-8.

// One byte: itself below 0x80; a byte 0x80..0xFF alone is not UTF-8.
std::string singleByteText(std::uint8_t byte);
// Two bytes, first then second, decoded as UTF-8.
std::string twoByteText(std::uint8_t first, std::uint8_t second);
// One UTF-16 code unit; a lone surrogate is U+FFFD.
std::string codeUnitText(std::uint16_t unit);
