#include "search/HexPattern.h"

#include "exchange/HexText.h"

namespace {

bool isWildcard(char c, bool allowWildcard, char wildcard) {
    return allowWildcard && c == wildcard;
}

}  // namespace

std::optional<int> validateHexString(std::string_view text, bool allowWildcard, char wildcard) {
    const int count = countHexTokens(text, allowWildcard, wildcard);
    return count > 0 ? std::optional(count) : std::nullopt;
}

std::vector<PatternEntry> compileHexPattern(std::string_view text, bool allowWildcard,
                                            char wildcard) {
    if (!validateHexString(text, allowWildcard, wildcard)) {
        return {};
    }
    std::vector<PatternEntry> entries;
    for (const std::string_view token : hexTokens(text)) {
        const auto digit = [&](char c) {
            return isWildcard(c, allowWildcard, wildcard) ? 0 : hexDigitValue(c);
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
