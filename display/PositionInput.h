#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/NumberBase.h"

// The typed-in positions of the position dialogs: number bases, the checks
// each dialog makes before it accepts, and their messages. An empty message
// means the input is accepted.

// The value as "%lx", "%ld" or "%lo" writes it.
std::string formatNumber(std::int64_t value, NumberBase base);
// Reads leading blanks, an optional sign and the digits of the base; nothing
// else may follow but blanks. No digits, other characters or a value beyond
// 64 bits give no value.
std::optional<std::int64_t> parseNumber(const std::string& text, NumberBase base);
// Re-reads a field in the old base and writes it in the new one; a field
// that does not read stays as it is.
std::string rebaseNumber(const std::string& text, NumberBase from, NumberBase to);

namespace positiontext {
inline constexpr const char* kRangeEmpty = "Data start address can't  be same as data end address";
inline constexpr const char* kBelowMinimum =
    "Data address can't be smaller than the minimum address";
inline constexpr const char* kAboveMaximum =
    "Data address can't be larger than the maximal address";
inline constexpr const char* kLastRowFirst = "The last line can't be smaller the first line";
inline constexpr const char* kLastColumnFirst = "The last column can't be smaller the first column";
inline constexpr const char* kRowOutOfRange = "The line number is out of range";
inline constexpr const char* kColumnOutOfRange = "The column number is out of range";
inline constexpr const char* kOutOfSpecifiedRange = "Data address is out of the specified range";
inline constexpr const char* kOutOfDataRange = "The input is out of data range";
inline constexpr const char* kBeyondMaximalLine = "The input exceeds the maximal line number";
}  // namespace positiontext

// "Set Range": start and end addresses against [data start, data start + size].
std::string checkRange(std::optional<std::int64_t> start, std::optional<std::int64_t> end,
                       std::int64_t dataStart, std::uint64_t dataSize);

// "Set Column Block": rows 0 .. lines - 1, columns 0 .. units per line - 1.
struct BlockInput {
    std::optional<std::int64_t> firstRow, lastRow, firstColumn, lastColumn;
};
std::string checkColumnBlock(const BlockInput& input, std::uint64_t lines, int unitsPerLine);

// "Specify Position": the caller's [minimum, maximum].
std::string checkSpecifiedPosition(std::optional<std::int64_t> value, std::int64_t minimum,
                                   std::int64_t maximum);

// "Go To" by position: [data start, data start + size - 1].
std::string checkGoToPosition(std::optional<std::int64_t> value, std::int64_t dataStart,
                              std::uint64_t dataSize);
// "Go To" by line: 0 .. lines - 1.
std::string checkGoToLine(std::optional<std::int64_t> line, std::uint64_t lines);
