#include "platform/NumberText.h"

#include "platform/PrintfFormat.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

bool isDigitsOf(const std::string& text, NumberBase base) {
    for (const char c : text) {
        const bool ok =
            base == NumberBase::Hexadecimal
                ? (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')
            : base == NumberBase::Octal ? c >= '0' && c <= '7'
                                        : c >= '0' && c <= '9';
        if (!ok) {
            return false;
        }
    }
    return true;
}

std::optional<std::uint64_t> parseInBase(const std::string& text, NumberBase base) {
    if (text.empty() || !isDigitsOf(text, base)) {
        return std::nullopt;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, radixOf(base));
    if (errno == ERANGE) {
        return std::nullopt;
    }
    return value;
}

std::string formatInBase(std::uint64_t value, NumberBase base) {
    char text[32];
    const char* format = base == NumberBase::Hexadecimal ? "%llx"
                         : base == NumberBase::Octal     ? "%llo"
                                                         : "%llu";
    std::snprintf(text, sizeof text, format, static_cast<unsigned long long>(value));
    return text;
}

int digitMessageId(NumberBase base) {
    switch (base) {
        case NumberBase::Hexadecimal:
            return numbertext::kHexadecimalDigit;
        case NumberBase::Octal:
            return numbertext::kOctalDigit;
        case NumberBase::Decimal:
            break;
    }
    return numbertext::kDecimalDigit;
}

std::string rangeMessage(long long minimum, long long maximum) {
    return platform::formatPrintf("Please enter an integer between %i and %i.", {minimum, maximum});
}
