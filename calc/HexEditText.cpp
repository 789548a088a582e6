#include "calc/HexEditText.h"

#include <algorithm>
#include <vector>

#include "exchange/HexText.h"

namespace {

constexpr std::string_view kSeparators = " \t\r\n";

std::vector<std::string_view> tokensOf(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = text.find_first_not_of(kSeparators, position);
        if (start == std::string_view::npos) {
            break;
        }
        std::size_t end = text.find_first_of(kSeparators, start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        tokens.push_back(text.substr(start, end - start));
        position = end;
    }
    return tokens;
}

}  // namespace

std::optional<std::string> overwriteHexText(std::string_view text, std::uint8_t value,
                                            bool wildcardAllowed, char wildcard) {
    const int count = countHexTokens(text, wildcardAllowed, wildcard);
    if (count <= 0) {
        return std::nullopt;
    }
    std::string result;
    result.reserve(static_cast<std::size_t>(count) * 3);
    static constexpr char kDigits[] = "0123456789abcdef";
    for (int i = 0; i < count; ++i) {
        result += kDigits[value >> 4];
        result += kDigits[value & 0x0f];
        result += ' ';
    }
    return result;
}

std::optional<std::string> swapHexTextOrder(std::string_view text, int groupSize,
                                            bool wildcardAllowed, char wildcard) {
    if (groupSize < 1 || countHexTokens(text, wildcardAllowed, wildcard) <= 0) {
        return std::nullopt;
    }
    std::vector<std::string_view> tokens = tokensOf(text);
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
