#include "search/HexPattern.h"

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int hexDigit(char c) {
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

// The tokens between separators; runs of separators give none.
std::vector<std::string_view> tokensOf(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && isSeparator(text[at])) {
            ++at;
        }
        const std::size_t start = at;
        while (at < text.size() && !isSeparator(text[at])) {
            ++at;
        }
        if (at > start) {
            tokens.push_back(text.substr(start, at - start));
        }
    }
    return tokens;
}

bool isWildcard(char c, bool allowWildcard, char wildcard) {
    return allowWildcard && c == wildcard;
}

}  // namespace

std::optional<int> validateHexString(std::string_view text, bool allowWildcard, char wildcard) {
    const std::vector<std::string_view> tokens = tokensOf(text);
    if (tokens.empty()) {
        return std::nullopt;
    }
    for (const std::string_view token : tokens) {
        if (token.size() > 2) {
            return std::nullopt;
        }
        for (const char c : token) {
            if (hexDigit(c) < 0 && !isWildcard(c, allowWildcard, wildcard)) {
                return std::nullopt;
            }
        }
    }
    return static_cast<int>(tokens.size());
}

std::vector<PatternEntry> compileHexPattern(std::string_view text, bool allowWildcard,
                                            char wildcard) {
    if (!validateHexString(text, allowWildcard, wildcard)) {
        return {};
    }
    std::vector<PatternEntry> entries;
    for (const std::string_view token : tokensOf(text)) {
        const auto digit = [&](char c) {
            return isWildcard(c, allowWildcard, wildcard) ? 0 : hexDigit(c);
        };
        PatternEntry entry;
        if (token.size() == 1) {
            if (isWildcard(token[0], allowWildcard, wildcard)) {
                entry = {0, 0x00};
            } else {
                entry = {static_cast<std::uint8_t>(digit(token[0])), 0xFF};
            }
        } else {
            std::uint8_t mask = 0xFF;
            if (isWildcard(token[0], allowWildcard, wildcard)) {
                mask = 0x0F;
            }
            if (isWildcard(token[1], allowWildcard, wildcard)) {
                mask &= 0xF0;
            }
            entry = {static_cast<std::uint8_t>(digit(token[0]) * 16 + digit(token[1])), mask};
        }
        entries.push_back(entry);
    }
    return entries;
}

HexAnchor findHexAnchor(const std::vector<PatternEntry>& entries) {
    HexAnchor best;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= entries.size(); ++i) {
        if (i < entries.size() && entries[i].mask == 0xFF) {
            continue;
        }
        if (i - runStart > best.length) {
            best = {runStart, i - runStart};
        }
        runStart = i + 1;
    }
    return best;
}
