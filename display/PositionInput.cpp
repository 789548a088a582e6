#include "display/PositionInput.h"

#include <cctype>
#include <cstdio>
#include <limits>

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : 99;
}

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string formatNumber(std::int64_t value, NumberBase base) {
    char text[32];
    switch (base) {
        case NumberBase::Hexadecimal:
            std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
            break;
        case NumberBase::Octal:
            std::snprintf(text, sizeof text, "%llo", static_cast<unsigned long long>(value));
            break;
        case NumberBase::Decimal:
            std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
            break;
    }
    return text;
}

std::optional<std::int64_t> parseNumber(const std::string& text, NumberBase base) {
    const int radix = radixOf(base);
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    std::uint64_t value = 0;
    constexpr auto kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    for (; i < text.size() && digitValue(text[i]) < radix; ++i) {
        const auto digit = static_cast<std::uint64_t>(digitValue(text[i]));
        if (value > (kLimit - digit) / static_cast<std::uint64_t>(radix)) {
            return std::nullopt;
        }
        value = value * static_cast<std::uint64_t>(radix) + digit;
    }
    if (i == firstDigit) {
        return std::nullopt;
    }
    for (; i < text.size(); ++i) {
        if (!isBlank(text[i])) {
            return std::nullopt;
        }
    }
    const auto signedValue = static_cast<std::int64_t>(value);
    return negative ? -signedValue : signedValue;
}

std::string rebaseNumber(const std::string& text, NumberBase from, NumberBase to) {
    const auto value = parseNumber(text, from);
    return value ? formatNumber(*value, to) : text;
}

std::string checkRange(std::optional<std::int64_t> start, std::optional<std::int64_t> end,
                       std::int64_t dataStart, std::uint64_t dataSize) {
    // Input that does not read as a number counts as below the minimum.
    if (start && end && *start == *end) {
        return positiontext::kRangeEmpty;
    }
    if (!start || !end || *start < dataStart || *end < dataStart) {
        return positiontext::kBelowMinimum;
    }
    const std::int64_t maximum = dataStart + static_cast<std::int64_t>(dataSize);
    if (*start > maximum || *end > maximum) {
        return positiontext::kAboveMaximum;
    }
    return {};
}

std::string checkColumnBlock(const BlockInput& in, std::uint64_t lines, int unitsPerLine) {
    if (!in.firstRow || !in.lastRow || !in.firstColumn || !in.lastColumn) {
        return !in.firstRow || !in.lastRow ? positiontext::kRowOutOfRange
                                           : positiontext::kColumnOutOfRange;
    }
    if (*in.lastRow < *in.firstRow) {
        return positiontext::kLastRowFirst;
    }
    if (*in.lastColumn < *in.firstColumn) {
        return positiontext::kLastColumnFirst;
    }
    const auto lastRow = static_cast<std::int64_t>(lines) - 1;
    if (*in.firstRow < 0 || *in.lastRow > lastRow) {
        return positiontext::kRowOutOfRange;
    }
    if (*in.firstColumn < 0 || *in.lastColumn > unitsPerLine - 1) {
        return positiontext::kColumnOutOfRange;
    }
    return {};
}

std::string checkSpecifiedPosition(std::optional<std::int64_t> value, std::int64_t minimum,
                                   std::int64_t maximum) {
    if (!value || *value < minimum || *value > maximum) {
        return positiontext::kOutOfSpecifiedRange;
    }
    return {};
}

std::string checkGoToPosition(std::optional<std::int64_t> value, std::int64_t dataStart,
                              std::uint64_t dataSize) {
    const std::int64_t last = dataStart + static_cast<std::int64_t>(dataSize) - 1;
    if (!value || *value < dataStart || *value > last) {
        return positiontext::kOutOfDataRange;
    }
    return {};
}

std::string checkGoToLine(std::optional<std::int64_t> line, std::uint64_t lines) {
    if (!line || *line < 0 || *line > static_cast<std::int64_t>(lines) - 1) {
        return positiontext::kBeyondMaximalLine;
    }
    return {};
}
