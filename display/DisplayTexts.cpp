#include "display/DisplayTexts.h"

#include <algorithm>

#include <array>

#include "platform/PrintfFormat.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Walks the positions of one line: `leading` blanks, then the bytes, with a
// separator after each whole unit while more follows.
template <typename Byte>
std::string layOut(std::size_t count, int leading, int unit, int cellsPerByte, Byte&& byte) {
    std::string text;
    const std::size_t positions = static_cast<std::size_t>(leading) + count;
    text.reserve(positions * static_cast<std::size_t>(cellsPerByte + 1));
    for (std::size_t k = 0; k < positions; ++k) {
        if (k > 0 && unit > 0 && k % static_cast<std::size_t>(unit) == 0 && cellsPerByte == 2) {
            text += ' ';
        }
        if (k < static_cast<std::size_t>(leading)) {
            text.append(static_cast<std::size_t>(cellsPerByte), ' ');
        } else {
            byte(k - static_cast<std::size_t>(leading), text);
        }
    }
    return text;
}

char shown(std::uint8_t byte, char escape) {
    return byte >= 0x20 && byte < 0x80 ? static_cast<char>(byte) : escape;
}

constexpr std::array kStrings{
    platform::StringEntry{1301, "Page: "}, platform::StringEntry{1302, "Line: "},
    platform::StringEntry{1303, "Pos: "},  platform::StringEntry{1304, "Len: "},
    platform::StringEntry{1305, "Size: "}, platform::StringEntry{1306, "Read"},
    platform::StringEntry{1307, "Norm"},
};

}  // namespace

std::string addressText(std::uint64_t address, bool hex, int digits) {
    std::string text = platform::formatPrintf(hex ? "%08lX" : "%08lu", {address});
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    return text;
}

int addressDigits(std::uint64_t largest, bool hex) {
    int digits = 1;
    for (std::uint64_t rest = largest / (hex ? 16 : 10); rest != 0; rest /= hex ? 16 : 10) {
        ++digits;
    }
    return std::max(digits, 8);
}

std::string hexLineText(const std::uint8_t* bytes, std::size_t count, int leading, int unit) {
    return layOut(count, leading, unit, 2, [bytes](std::size_t i, std::string& text) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    });
}

std::string hexModifiedText(const std::uint8_t* bytes, const std::uint8_t* modified,
                            std::size_t count, int leading, int unit) {
    return layOut(count, leading, unit, 2, [bytes, modified](std::size_t i, std::string& text) {
        if (modified[i] != 0) {
            text += kDigits[bytes[i] >> 4];
            text += kDigits[bytes[i] & 0x0F];
        } else {
            text += "  ";
        }
    });
}

std::string charLineText(const std::uint8_t* bytes, std::size_t count, int leading, char escape) {
    return layOut(count, leading, 1, 1, [bytes, escape](std::size_t i, std::string& text) {
        text += shown(bytes[i], escape);
    });
}

std::string charModifiedText(const std::uint8_t* bytes, const std::uint8_t* modified,
                             std::size_t count, int leading, char escape) {
    return layOut(count, leading, 1, 1,
                  [bytes, modified, escape](std::size_t i, std::string& text) {
                      text += modified[i] != 0 ? shown(bytes[i], escape) : ' ';
                  });
}

namespace {

std::string header(int lineWidth, int indent, int unit, bool hex, bool indentOnly) {
    std::string text;
    if (lineWidth <= 0 || unit <= 0) {
        return text;
    }
    // Whole units: a partial last unit is numbered on from the line's start.
    const int columns = (lineWidth + unit - 1) / unit * unit;
    for (int j = 0; j < columns; ++j) {
        if (j > 0 && j % unit == 0) {
            text += ' ';
        }
        const bool overIndent = j < indent;
        if (indentOnly && !overIndent) {
            text += "  ";
            continue;
        }
        if (!indentOnly && overIndent) {
            text += "  ";
            continue;
        }
        const int column = ((j - indent) % lineWidth + lineWidth) % lineWidth;
        text += platform::formatPrintf(hex ? "%02X" : "%02u", {column});
    }
    return text;
}

}  // namespace

std::string headerColumnsText(int lineWidth, int indent, int unit, bool hex) {
    return header(lineWidth, indent, unit, hex, false);
}

std::string headerIndentText(int lineWidth, int indent, int unit, bool hex) {
    return header(lineWidth, indent, unit, hex, true);
}

std::span<const platform::StringEntry> displayStrings() {
    return kStrings;
}

StatusField pageField(const platform::StringTable& strings, std::uint64_t caretCell,
                      int cellsPerLine, int pageHeight, bool pageTips) {
    const std::string prefix = strings.text(displaystrings::kPagePrefix);
    if (!pageTips || cellsPerLine <= 0 || pageHeight <= 0) {
        return {prefix, true};
    }
    const std::uint64_t page = caretCell / static_cast<std::uint64_t>(cellsPerLine) /
                                   static_cast<std::uint64_t>(pageHeight) +
                               1;
    return {platform::formatPrintf("%s%i", {prefix, page}), false};
}

StatusField lineField(const platform::StringTable& strings, std::uint64_t caretCell,
                      int cellsPerLine) {
    const std::uint64_t line =
        cellsPerLine > 0 ? caretCell / static_cast<std::uint64_t>(cellsPerLine) : 0;
    return {platform::formatPrintf("%s%i", {strings.text(displaystrings::kLinePrefix), line}),
            false};
}

StatusField posField(const platform::StringTable& strings, std::uint64_t caretOffset,
                     std::uint32_t dataStartAddress) {
    const std::uint64_t shownOffset = caretOffset + dataStartAddress;
    return {platform::formatPrintf(
                "%s%lxH,%ld", {strings.text(displaystrings::kPosPrefix), shownOffset, shownOffset}),
            false};
}

StatusField lenField(const platform::StringTable& strings, std::uint64_t selectionLength) {
    return {platform::formatPrintf("%s%lxH,%ld", {strings.text(displaystrings::kLenPrefix),
                                                  selectionLength, selectionLength}),
            false};
}

StatusField sizeField(const platform::StringTable& strings, std::uint64_t dataSize, bool raised) {
    return {platform::formatPrintf("%s%ld", {strings.text(displaystrings::kSizePrefix), dataSize}),
            raised};
}

StatusField readField(const platform::StringTable& strings, bool readOnlyOrDefining) {
    return {strings.text(readOnlyOrDefining ? displaystrings::kReadOnly : displaystrings::kNormal),
            readOnlyOrDefining};
}
