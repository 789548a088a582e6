#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// One byte of a hexadecimal find pattern: a data byte d matches when
// (d AND mask) = value. A wildcard nibble has mask bits 0 and value bits 0.
struct PatternEntry {
    std::uint8_t value = 0;
    std::uint8_t mask = 0xFF;

    bool matches(std::uint8_t byte) const { return (byte & mask) == value; }
    bool operator==(const PatternEntry&) const = default;
};

// The number of bytes a hexadecimal string gives: tokens of one or two
// characters, each a hex digit or (when allowed) the wildcard, separated by
// spaces, tabs and line breaks. Nothing when the string is empty or white
// space only, or when a token is longer or holds another character.
std::optional<int> validateHexString(std::string_view text, bool allowWildcard, char wildcard);

// The entries of a hexadecimal string as the engine compiles it: "A" is the
// byte 0x0A; with the wildcard '.', "4." is 0x40..0x4F, ".F" every byte
// ending in F, "." and ".." any byte. Empty when the string is not valid.
std::vector<PatternEntry> compileHexPattern(std::string_view text, bool allowWildcard,
                                            char wildcard);

// Where a pattern of entries is found fast: its longest run of whole bytes
// (mask 0xFF), searched as fixed bytes, is the anchor that the other
// entries are then verified around.
struct HexAnchor {
    std::size_t position = 0;  // of the run within the pattern
    std::size_t length = 0;    // 0: no entry is a whole byte
};
HexAnchor findHexAnchor(const std::vector<PatternEntry>& entries);
