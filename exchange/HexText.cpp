#include "exchange/HexText.h"

#include <cstdio>

namespace {

constexpr std::string_view kSeparators = " \t\r\n";

// Calls `visit` with every non-empty token of `text`.
template <typename Visit>
void forEachToken(std::string_view text, Visit visit) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of(kSeparators, at);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > at && !visit(text.substr(at, end - at))) {
            return;
        }
        at = end + 1;
    }
}

}  // namespace

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::vector<std::string_view> hexTokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    forEachToken(text, [&tokens](std::string_view token) {
        tokens.push_back(token);
        return true;
    });
    return tokens;
}

int countHexTokens(std::string_view text, bool wildcardAllowed, char wildcard) {
    int count = 0;
    bool valid = true;
    forEachToken(text, [&](std::string_view token) {
        if (token.size() > 2) {
            valid = false;
            return false;
        }
        for (const char c : token) {
            if (hexDigitValue(c) < 0 && !(wildcardAllowed && c == wildcard)) {
                valid = false;
                return false;
            }
        }
        ++count;
        return true;
    });
    return valid ? count : -1;
}

int parseHexText(std::string_view text, std::span<std::uint8_t> buffer) {
    int count = 0;
    std::size_t stored = 0;
    forEachToken(text, [&](std::string_view token) {
        if (!buffer.empty()) {
            if (stored == buffer.size()) {
                return false;  // full
            }
            unsigned value = 0;
            for (const char c : token) {
                value =
                    value * 16 + static_cast<unsigned>(hexDigitValue(c) < 0 ? 0 : hexDigitValue(c));
            }
            buffer[stored++] = static_cast<std::uint8_t>(value & 0xFF);
        }
        ++count;
        return true;
    });
    return count;
}

std::vector<std::uint8_t> parseHexText(std::string_view text) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(parseHexText(text, {})));
    parseHexText(text, bytes);
    return bytes;
}

std::string toHexText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    char digits[4];
    for (const std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02x ", byte);
        text += digits;
    }
    return text;
}

std::string flattenHexText(std::string_view text) {
    std::string flat(text);
    for (char& c : flat) {
        if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return flat;
}
