#include "platform/PrintfFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace platform {
namespace {

// A real number as an integer: cut toward zero and held to the integer's
// range (NaN gives 0), where a plain conversion would be undefined.
template <typename Integer>
Integer clampedToInteger(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr auto lowest = static_cast<double>(std::numeric_limits<Integer>::lowest());
    constexpr auto highest = static_cast<double>(std::numeric_limits<Integer>::max());
    if (value <= lowest) {
        return std::numeric_limits<Integer>::lowest();
    }
    if (value >= highest) {
        return std::numeric_limits<Integer>::max();
    }
    return static_cast<Integer>(value);
}

}  // namespace

std::int64_t FormatArg::asSigned() const {
    switch (kind_) {
        case Kind::Signed:
            return signed_;
        case Kind::Unsigned:
            return static_cast<std::int64_t>(unsigned_);
        case Kind::Real:
            return clampedToInteger<std::int64_t>(real_);
        case Kind::Text:
            return std::strtoll(std::string(text_).c_str(), nullptr, 10);
    }
    return 0;
}

std::uint64_t FormatArg::asUnsigned() const {
    switch (kind_) {
        case Kind::Signed:
            // A narrow negative number shows as its 32-bit pattern.
            return narrow_ ? static_cast<std::uint32_t>(signed_)
                           : static_cast<std::uint64_t>(signed_);
        case Kind::Unsigned:
            return unsigned_;
        case Kind::Real:
            return clampedToInteger<std::uint64_t>(real_);
        case Kind::Text:
            return std::strtoull(std::string(text_).c_str(), nullptr, 10);
    }
    return 0;
}

double FormatArg::asReal() const {
    switch (kind_) {
        case Kind::Signed:
            return static_cast<double>(signed_);
        case Kind::Unsigned:
            return static_cast<double>(unsigned_);
        case Kind::Real:
            return real_;
        case Kind::Text:
            return std::strtod(std::string(text_).c_str(), nullptr);
    }
    return 0.0;
}

std::string FormatArg::asText() const {
    switch (kind_) {
        case Kind::Signed:
            return std::to_string(signed_);
        case Kind::Unsigned:
            return std::to_string(unsigned_);
        case Kind::Real:
            return std::to_string(real_);
        case Kind::Text:
            return std::string(text_);
    }
    return {};
}

namespace {

// One conversion, already split into its parts.
struct Spec {
    std::string flagsWidthPrecision;  // e.g. "-08.3"
    char conversion = 0;
    std::size_t length = 0;  // characters from the % to the conversion letter
};

// Widths and precisions above this are taken as this: no text needs more,
// and a format string from the registry must not make gigabytes.
constexpr long kMaxFieldWidth = 512;

// Reads the digits at format[i] and appends them, held to kMaxFieldWidth.
void appendWidth(std::string_view format, std::size_t& i, std::string& out) {
    long value = 0;
    bool any = false;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        value = std::min(value * 10 + (format[i++] - '0'), kMaxFieldWidth);
        any = true;
    }
    if (any) {
        out += std::to_string(value);
    }
}

// Parses the conversion that starts at format[start] == '%'; a zero
// conversion means it is not one we know.
Spec parseSpec(std::string_view format, std::size_t start) {
    Spec spec;
    std::size_t i = start + 1;
    while (i < format.size() &&
           std::string_view("-+ #0").find(format[i]) != std::string_view::npos) {
        spec.flagsWidthPrecision += format[i++];
    }
    appendWidth(format, i, spec.flagsWidthPrecision);
    if (i < format.size() && format[i] == '.') {
        spec.flagsWidthPrecision += format[i++];
        appendWidth(format, i, spec.flagsWidthPrecision);
    }
    while (i < format.size() &&
           std::string_view("hlLqjzt").find(format[i]) != std::string_view::npos) {
        ++i;
    }
    if (i < format.size() &&
        std::string_view("diuxXocsfFeEgG%").find(format[i]) != std::string_view::npos) {
        spec.conversion = format[i];
        spec.length = i + 1 - start;
    }
    return spec;
}

std::string render(const std::string& printfFormat, auto value) {
    const int size = std::snprintf(nullptr, 0, printfFormat.c_str(), value);
    if (size <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::snprintf(buffer.data(), buffer.size(), printfFormat.c_str(), value);
    return std::string(buffer.data(), static_cast<std::size_t>(size));
}

std::string convert(const Spec& spec, const FormatArg& arg) {
    const std::string head = "%" + spec.flagsWidthPrecision;
    switch (spec.conversion) {
        case 'd':
        case 'i':
            return render(head + "lld", static_cast<long long>(arg.asSigned()));
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            return render(head + "ll" + spec.conversion,
                          static_cast<unsigned long long>(arg.asUnsigned()));
        case 'c':
            return render(head + "c", static_cast<int>(static_cast<unsigned char>(arg.asSigned())));
        case 's':
            return render(head + "s", arg.asText().c_str());
        default:
            return render(head + spec.conversion, arg.asReal());
    }
}

}  // namespace

std::string formatPrintf(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        const std::size_t percent = format.find('%', i);
        if (percent == std::string_view::npos) {
            out.append(format.substr(i));
            break;
        }
        out.append(format.substr(i, percent - i));
        const Spec spec = parseSpec(format, percent);
        if (spec.conversion == '%') {
            out += '%';
        } else if (spec.conversion == 0 || next == args.end()) {
            // Unknown or without an argument: keep the text as written.
            const std::size_t length = spec.conversion == 0 ? 1 : spec.length;
            out.append(format.substr(percent, length));
            i = percent + length;
            continue;
        } else {
            out += convert(spec, *next++);
        }
        i = percent + spec.length;
    }
    return out;
}

}  // namespace platform
