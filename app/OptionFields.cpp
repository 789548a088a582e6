#include "app/OptionFields.h"

#include <charconv>

#include "platform/NumberText.h"

std::optional<long long> wholeNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<FieldProblem> firstBadField(std::span<const NumberField> fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto value = wholeNumber(fields[i].text);
        if (!value || *value < fields[i].minimum || *value > fields[i].maximum) {
            return FieldProblem{i, rangeMessage(fields[i].minimum, fields[i].maximum)};
        }
    }
    return std::nullopt;
}
