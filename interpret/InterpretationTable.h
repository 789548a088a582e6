#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/StringTable.h"

// The bytes being interpreted and how: up to 16 in file order, the byte
// order of multi-byte values and the number system of the integers.
struct InterpretationState {
    static constexpr int kCapacity = 16;

    std::array<std::uint8_t, kCapacity> data{};
    int count = 0;
    bool littleEndian = true;
    int decimal = 0;  // 0 hexadecimal, 1 decimal

    // Copies min(count, 16) bytes; none when `bytes` is null or count is not positive.
    void setBytes(const std::uint8_t* bytes, int byteCount);
};

// The fourteen rows: three character kinds, four unsigned and four signed
// integer widths, float, double and long double. Row i's type name is string
// kTypeNameBase + i; a row needs a least number of bytes for its value.
namespace interpretation {

inline constexpr int kRows = 14;
inline constexpr int kTypeColumn = 4001;   // "Type"
inline constexpr int kValueColumn = 4002;  // "Value"
inline constexpr int kTypeNameBase = 4003;

// How the two character rows of two bytes read: in Kestrane "multibyte
// char" decodes the bytes and "unicode char" takes them as one UTF-16 code
// unit; in Pellwick both show the two-byte text.
enum class CharacterRows { Converted, TwoByteText };

int needs(int row);
// The value cell of `row`: empty while fewer bytes than it needs are there.
std::string render(const InterpretationState& state, int row, CharacterRows characters);
std::array<std::string, kRows> renderAll(const InterpretationState& state,
                                         CharacterRows characters);

// "Type", "Value" and the fourteen type names.
std::span<const platform::StringEntry> strings();

}  // namespace interpretation

// Pellwick's reading of its box: the text from the selection start on
// (none when the selection starts at or after its end), parsed as hex text
// into at most 16 bytes; nothing when the text is not hex text.
void readTypedBytes(InterpretationState& state, std::string_view text, std::size_t selectionStart);
