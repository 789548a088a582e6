#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// One argument of a message text. Integers keep whether they were narrower
// than 64 bits, so "%x" of a negative int prints eight digits as it always has,
// while 64-bit offsets are never cut to 32 bits.
class FormatArg {
  public:
    enum class Kind { Signed, Unsigned, Real, Text };

    template <std::signed_integral T>
    FormatArg(T value)  // NOLINT(google-explicit-constructor)
        : kind_(Kind::Signed), signed_(value), narrow_(sizeof(T) < 8) {}
    template <std::unsigned_integral T>
    FormatArg(T value)  // NOLINT(google-explicit-constructor)
        : kind_(Kind::Unsigned), unsigned_(value), narrow_(sizeof(T) < 8) {}
    FormatArg(double value) : kind_(Kind::Real), real_(value) {}                 // NOLINT
    FormatArg(std::string_view text) : kind_(Kind::Text), text_(text) {}         // NOLINT
    FormatArg(const char* text) : kind_(Kind::Text), text_(text ? text : "") {}  // NOLINT
    FormatArg(const std::string& text) : kind_(Kind::Text), text_(text) {}       // NOLINT

    Kind kind() const { return kind_; }
    std::int64_t asSigned() const;
    std::uint64_t asUnsigned() const;
    double asReal() const;
    std::string asText() const;

  private:
    Kind kind_;
    std::int64_t signed_ = 0;
    std::uint64_t unsigned_ = 0;
    double real_ = 0.0;
    std::string_view text_;
    bool narrow_ = false;
};

// Formats a message text the way the string resources are written: the
// printf conversions d i u x X o c s f e g and %%, with flags, width,
// precision and length modifiers (which are accepted and need not match the
// argument). A conversion without an argument, or an unknown one, is copied
// as it stands, so a bad resource never reads past its arguments.
std::string formatPrintf(std::string_view format, std::initializer_list<FormatArg> args);

}  // namespace platform
