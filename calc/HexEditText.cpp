#include "calc/HexEditText.h"

#include <algorithm>
#include <vector>

#include "exchange/HexText.h"

std::optional<std::string> overwriteHexText(std::string_view text, std::uint8_t value,
                                            bool wildcardAllowed, char wildcard) {
    const int count = countHexTokens(text, wildcardAllowed, wildcard);
    if (count <= 0) {
        return std::nullopt;
    }
    return toHexText(std::vector<std::uint8_t>(static_cast<std::size_t>(count), value));
}

std::optional<std::string> swapHexTextOrder(std::string_view text, int groupSize,
                                            bool wildcardAllowed, char wildcard) {
    if (groupSize < 1 || countHexTokens(text, wildcardAllowed, wildcard) <= 0) {
        return std::nullopt;
    }
    std::vector<std::string_view> tokens = hexTokens(text);
    const std::size_t group = groupSize == 1 ? tokens.size() : static_cast<std::size_t>(groupSize);
    for (std::size_t first = 0; first < tokens.size(); first += group) {
        const std::size_t last = std::min(first + group, tokens.size());
        std::reverse(tokens.begin() + static_cast<std::ptrdiff_t>(first),
                     tokens.begin() + static_cast<std::ptrdiff_t>(last));
    }
    std::string result;
    for (std::string_view token : tokens) {
        result += token;
        result += ' ';
    }
    return result;
}

std::string appendOrReplaceHexText(std::string_view text, bool hasSelection,
                                   std::string_view pasted) {
    if (hasSelection || text.empty()) {
        return std::string(pasted);
    }
    std::string result(text);
    if (text.back() != ' ' && !(pasted.empty() || pasted.front() == ' ')) {
        result += ' ';
    }
    result += pasted;
    return result;
}

HexTextValidator::Verdict HexTextValidator::check(std::string_view text) {
    if (text.size() > limit_) {
        return Verdict::OverLimit;
    }
    if (validating_ && countHexTokens(text, wildcardAllowed_, wildcard_) < 0) {
        return Verdict::Invalid;
    }
    lastValid_ = text;
    return Verdict::Accepted;
}

std::optional<std::string> cutAtTokenBoundary(std::string_view text, std::size_t room) {
    if (text.size() <= room) {
        return std::string(text);
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    // The cut goes before a blank, so every token kept is whole.
    std::size_t cut = room;
    while (cut > 0 && !blank(text[cut])) {
        --cut;
    }
    const std::string_view kept = text.substr(0, cut);
    if (std::all_of(kept.begin(), kept.end(), blank)) {
        return std::nullopt;
    }
    return std::string(kept);
}
