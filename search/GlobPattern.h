#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The restricted regular expression of the text search, compiled:
//   "?"          any one byte except 0
//   "*"          a run of zero or more bytes, none 0; the shortest run that
//                lets the rest match is taken
//   "[set]"      one byte, not 0, in the set; "[^set]" one not in it; an
//                empty set ("[]", "[^]") matches nothing
//   other        exactly that byte
// A set is a sequence of members up to the next "]": a character, or "-"
// and an end character, a range from the character written before the "-"
// (0 at the set's beginning) through the end. There is no escape. A zero
// byte ends the data, so a match never holds one.
//
// A pattern that cannot match (a set left open, a range ending in "]" or at
// the pattern's end) is kept as such: it matches nowhere and nothing is read
// past its end.
class GlobPattern {
  public:
    GlobPattern() = default;
    explicit GlobPattern(std::string_view pattern);

    // Whether the pattern can match at all.
    bool isMatchable() const { return matchable_; }
    // The bytes every match begins with (the literal characters before the
    // first "?", "*" or set).
    const std::string& literalPrefix() const { return prefix_; }
    bool hasStar() const { return hasStar_; }

    // The length of the match at `data` (the bytes run to a zero byte), or
    // -1 when the pattern does not match there. Backtracks only to the
    // latest "*": the first success of the shortest runs, in linear passes.
    std::ptrdiff_t matchAt(const std::uint8_t* data) const;

    // The highest position of [0, size) where a match starts, or -1. The
    // bytes are data[0..size) with data[size] = 0. Works from the end in
    // one pass per pattern element, never trying each position afresh.
    std::ptrdiff_t lastMatchStart(const std::uint8_t* data, std::size_t size) const;

    // The first position of [from, size) where a match starts, or -1, and
    // its length in `length`.
    std::ptrdiff_t firstMatch(const std::uint8_t* data, std::size_t size, std::size_t from,
                              std::size_t& length) const;

  private:
    // One attempt at `data`; `reachedStar` tells whether it got to a "*".
    std::ptrdiff_t attempt(const std::uint8_t* data, bool& reachedStar) const;

    struct Element {
        enum class Kind { Byte, Any, Star, Set } kind = Kind::Byte;
        std::uint8_t byte = 0;
        std::bitset<256> set;  // for Set: the bytes it takes (never 0)
        bool takes(std::uint8_t b) const {
            switch (kind) {
                case Kind::Byte:
                    return b == byte;
                case Kind::Any:
                    return b != 0;
                case Kind::Set:
                    return set.test(b);
                case Kind::Star:
                    break;
            }
            return false;
        }
    };
    std::vector<Element> elements_;
    std::string prefix_;
    bool matchable_ = false;
    bool hasStar_ = false;
};
