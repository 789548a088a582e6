#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/StringTable.h"

// The texts the hex view draws and shows: addresses, the lines of the hex
// and character panels, the header's column numbers and the status fields.

// "%08lX" or "%08lu" of the address.
// "%08lX" or "%08lu", padded with zeros to `digits`.
std::string addressText(std::uint64_t address, bool hex, int digits = 8);
// The digits the address column needs for addresses up to `largest`: at
// least eight, more from 4 GiB (hexadecimal) or 100 MB (decimal) up.
int addressDigits(std::uint64_t largest, bool hex);

// One line of the hex panel: each byte as two upper-case digits, units
// separated by one blank; `leading` empty byte positions (the indent on the
// first line) are blanks; the text ends after the last byte.
std::string hexLineText(const std::uint8_t* bytes, std::size_t count, int leading, int unit);
// The same line with every byte whose flag is 0 replaced by two blanks, so
// only modified bytes are drawn again in their colour.
std::string hexModifiedText(const std::uint8_t* bytes, const std::uint8_t* modified,
                            std::size_t count, int leading, int unit);
// One line of the character panel: bytes 0x20..0x7F as themselves, others
// as the escape character.
std::string charLineText(const std::uint8_t* bytes, std::size_t count, int leading, char escape);
std::string charModifiedText(const std::uint8_t* bytes, const std::uint8_t* modified,
                             std::size_t count, int leading, char escape);

// The header's column numbers: column j shows (j - indent) mod line width as
// "%02X" or "%02u", grouped like the data; `indentText` gets the numbers over
// the indent positions (drawn in their own colour) with blanks elsewhere.
std::string headerColumnsText(int lineWidth, int indent, int unit, bool hex);
std::string headerIndentText(int lineWidth, int indent, int unit, bool hex);

// String ids of the status-field prefixes.
namespace displaystrings {
inline constexpr int kPagePrefix = 1301;
inline constexpr int kLinePrefix = 1302;
inline constexpr int kPosPrefix = 1303;
inline constexpr int kLenPrefix = 1304;
inline constexpr int kSizePrefix = 1305;
inline constexpr int kReadOnly = 1306;
inline constexpr int kNormal = 1307;
}  // namespace displaystrings

std::span<const platform::StringEntry> displayStrings();

struct StatusField {
    std::string text;
    bool raised = false;  // the pop-out style
};

StatusField pageField(const platform::StringTable& strings, std::uint64_t caretCell,
                      int cellsPerLine, int pageHeight, bool pageTips);
StatusField lineField(const platform::StringTable& strings, std::uint64_t caretCell,
                      int cellsPerLine);
StatusField posField(const platform::StringTable& strings, std::uint64_t caretOffset,
                     std::uint32_t dataStartAddress);
StatusField lenField(const platform::StringTable& strings, std::uint64_t selectionLength);
StatusField sizeField(const platform::StringTable& strings, std::uint64_t dataSize, bool raised);
StatusField readField(const platform::StringTable& strings, bool readOnlyOrDefining);
