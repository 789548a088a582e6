#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text operations of the hex edit box. Each returns the box's new text,
// or nothing when the operation leaves the text as it is.

// n repetitions of "%02x " for the n bytes of a valid, non-empty text.
std::optional<std::string> overwriteHexText(std::string_view text, std::uint8_t value,
                                            bool wildcardAllowed = false, char wildcard = '*');

// Reverses the tokens inside consecutive groups of `groupSize` (1 = all of
// them; a shorter last group is reversed in itself). Tokens are kept as typed,
// each followed by one space.
std::optional<std::string> swapHexTextOrder(std::string_view text, int groupSize,
                                            bool wildcardAllowed = false, char wildcard = '*');

// Tamsorel's paste: appended to a non-empty box with nothing selected (one
// space between unless either side already has one), otherwise the whole new
// text.
std::string appendOrReplaceHexText(std::string_view text, bool hasSelection,
                                   std::string_view pasted);

// What of a pasted text fits in `room` characters: the whole text when it
// fits, else its longest beginning that ends between two tokens, so a byte
// is never cut in half ("ff" never becomes "f"); nothing when not even its
// first token fits.
std::optional<std::string> cutAtTokenBoundary(std::string_view text, std::size_t room);

// What a box does with each change of its text: a text longer than the box's
// limit, or (where the box validates) one that is not hexadecimal text, is
// refused and the last accepted text comes back.
class HexTextValidator {
  public:
    enum class Verdict { Accepted, Invalid, OverLimit };

    HexTextValidator(bool validating, std::size_t limit, char wildcard = '*')
        : validating_(validating), limit_(limit), wildcard_(wildcard) {}

    void setWildcardAllowed(bool allowed) { wildcardAllowed_ = allowed; }
    bool wildcardAllowed() const { return wildcardAllowed_; }
    char wildcard() const { return wildcard_; }
    void setLimit(std::size_t limit) { limit_ = limit; }
    std::size_t limit() const { return limit_; }

    // An accepted text becomes the last valid text.
    Verdict check(std::string_view text);
    // Taken as valid without a check, as when the program sets the text.
    void reset(std::string_view text) { lastValid_ = text; }
    const std::string& lastValid() const { return lastValid_; }

  private:
    bool validating_;
    std::size_t limit_;
    char wildcard_;
    bool wildcardAllowed_ = false;
    std::string lastValid_;
};
