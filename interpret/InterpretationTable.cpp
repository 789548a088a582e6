#include "interpret/InterpretationTable.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "exchange/HexText.h"
#include "interpret/CharacterText.h"
#include "interpret/ExtendedFloat.h"

void InterpretationState::setBytes(const std::uint8_t* bytes, int byteCount) {
    count = bytes == nullptr || byteCount <= 0 ? 0 : std::min(byteCount, kCapacity);
    if (count > 0) {
        std::memcpy(data.data(), bytes, static_cast<std::size_t>(count));
    }
}

namespace interpretation {

namespace {

constexpr std::array<int, kRows> kNeeds = {1, 2, 2, 1, 2, 4, 8, 1, 2, 4, 8, 4, 8, 10};

constexpr std::array kStrings = {
    platform::StringEntry{kTypeColumn, "Type"},    platform::StringEntry{kValueColumn, "Value"},
    platform::StringEntry{4003, "ASCII char"},     platform::StringEntry{4004, "multibyte char"},
    platform::StringEntry{4005, "unicode char"},   platform::StringEntry{4006, "unsigned byte"},
    platform::StringEntry{4007, "unsigned short"}, platform::StringEntry{4008, "unsigned long"},
    platform::StringEntry{4009, "unsigned int64"}, platform::StringEntry{4010, "signed byte"},
    platform::StringEntry{4011, "signed short"},   platform::StringEntry{4012, "signed long"},
    platform::StringEntry{4013, "signed int64"},   platform::StringEntry{4014, "float"},
    platform::StringEntry{4015, "double"},         platform::StringEntry{4016, "long double"},
};

// The first `width` bytes in the chosen order, least significant first.
std::array<std::uint8_t, 10> littleEndianBytes(const InterpretationState& state, int width) {
    std::array<std::uint8_t, 10> scratch{};
    for (int k = 0; k < width; ++k) {
        scratch[static_cast<std::size_t>(k)] =
            state.data[static_cast<std::size_t>(state.littleEndian ? k : width - 1 - k)];
    }
    return scratch;
}

std::uint64_t unsignedValue(const InterpretationState& state, int width) {
    const auto bytes = littleEndianBytes(state, width);
    std::uint64_t value = 0;
    for (int k = width - 1; k >= 0; --k) {
        value = (value << 8) | bytes[static_cast<std::size_t>(k)];
    }
    return value;
}

std::int64_t signedValue(const InterpretationState& state, int width) {
    const std::uint64_t value = unsignedValue(state, width);
    const int unused = 64 - 8 * width;
    // Sign-extended from the type's own width.
    return static_cast<std::int64_t>(value << unused) >> unused;
}

template <typename... Values>
std::string printed(const char* format, Values... values) {
    char text[48];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// Hexadecimal: the type's own digits, lower case, "H"; decimal in its sign.
std::string integerText(const InterpretationState& state, int width, bool isSigned) {
    const std::uint64_t bits = unsignedValue(state, width);
    if (state.decimal == 0) {
        return printed("%0*" PRIx64 "H", 2 * width, bits);
    }
    return isSigned ? printed("%" PRId64, signedValue(state, width)) : printed("%" PRIu64, bits);
}

std::string characterText(const InterpretationState& state, int row, CharacterRows characters) {
    const std::uint8_t first = state.data[0];
    const std::uint8_t second = state.data[1];
    if (row == 0) {
        return singleByteText(first);
    }
    if (row == 1 || characters == CharacterRows::TwoByteText) {
        return twoByteText(first, second);
    }
    // The code unit takes the first byte as its low byte, whatever the order.
    return codeUnitText(static_cast<std::uint16_t>(first | (second << 8)));
}

}  // namespace

int needs(int row) {
    return row >= 0 && row < kRows ? kNeeds[static_cast<std::size_t>(row)] : kRows;
}

std::string render(const InterpretationState& state, int row, CharacterRows characters) {
    if (row < 0 || row >= kRows || state.count < needs(row)) {
        return {};
    }
    switch (row) {
        case 0:
        case 1:
        case 2:
            return characterText(state, row, characters);
        case 3:
        case 4:
        case 5:
        case 6:
            return integerText(state, needs(row), false);
        case 7:
        case 8:
        case 9:
        case 10:
            return integerText(state, needs(row), true);
        case 11:
            return scientificText(
                std::bit_cast<float>(static_cast<std::uint32_t>(unsignedValue(state, 4))));
        case 12:
            return scientificText(std::bit_cast<double>(unsignedValue(state, 8)));
        default: {
            const auto bytes = littleEndianBytes(state, 10);
            return scientificText(extendedToDouble(std::span<const std::uint8_t, 10>(bytes)));
        }
    }
}

std::array<std::string, kRows> renderAll(const InterpretationState& state,
                                         CharacterRows characters) {
    std::array<std::string, kRows> texts;
    for (int row = 0; row < kRows; ++row) {
        texts[static_cast<std::size_t>(row)] = render(state, row, characters);
    }
    return texts;
}

std::span<const platform::StringEntry> strings() {
    return kStrings;
}

}  // namespace interpretation

void readTypedBytes(InterpretationState& state, std::string_view text, std::size_t selectionStart) {
    const std::string_view rest =
        selectionStart >= text.size() ? std::string_view{} : text.substr(selectionStart);
    if (rest.empty() || countHexTokens(rest, false) < 0) {
        state.count = 0;
        return;
    }
    std::array<std::uint8_t, InterpretationState::kCapacity> bytes{};
    const int tokens = parseHexText(rest, bytes);
    state.setBytes(bytes.data(), std::min(tokens, InterpretationState::kCapacity));
}
