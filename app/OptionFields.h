#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The numeric fields of the options pages: a text as typed and the range a
// page accepts. Leaving a page checks them in order.
struct NumberField {
    std::string text;
    long long minimum = 0;
    long long maximum = 0;
};

// The text as a whole number (blanks around it allowed), or nothing.
std::optional<long long> wholeNumber(std::string_view text);

// The first field that is not a whole number within its range, and the
// message that says so ("Please enter an integer between %i and %i.").
struct FieldProblem {
    std::size_t index = 0;
    std::string message;
};
std::optional<FieldProblem> firstBadField(std::span<const NumberField> fields);
