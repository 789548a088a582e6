#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The command ids of the advanced find's operators; a datamark stores the
// chosen ones.
namespace markop {
inline constexpr int Add = 32849;
inline constexpr int Subtract = 32851;
inline constexpr int Multiply = 32853;
inline constexpr int Divide = 32855;
inline constexpr int Mod = 32859;
inline constexpr int And = 32860;
inline constexpr int Or = 32861;
inline constexpr int Xor = 32862;
inline constexpr int Not = 32863;
inline constexpr int ShiftLeft = 32864;
inline constexpr int ShiftRight = 32865;
inline constexpr int Equal = 32866;
inline constexpr int NotEqual = 32867;
inline constexpr int GreaterOrEqual = 32868;
inline constexpr int LessOrEqual = 32869;
inline constexpr int Greater = 32870;
inline constexpr int Less = 32871;

inline bool isArithmetic(int code) {
    return code >= Add && code <= ShiftRight;
}
inline bool isComparison(int code) {
    return code >= Equal && code <= Less;
}
// The operator's caption ("+", "Mod", "==", ...); empty for another code.
std::string_view text(int code);
}  // namespace markop

// One datamark: a named, commented, levelled marker at a byte offset of a
// file, perhaps defined by an advanced find, with its associations.
struct CBmitemObj {
    std::string filePath;  // empty for a datamark never bound to a file
    std::string name;      // unique within a file, ignoring case; never holds "#"
    std::string comment;
    bool normalDatamark = false;  // clear: defined by advanced find
    std::uint64_t position = 0;
    std::int32_t level = 1;
    std::int32_t arithmeticOperator = markop::Add;
    std::int32_t compareOperator = markop::Equal;
    std::string findString;
    std::string operateString;
    std::string compareString;
    std::string findResultString;
    std::string operateResultString;
    std::vector<std::string> associations;

    bool operator==(const CBmitemObj&) const = default;
};

// The longest name the store keeps (bytes of UTF-8); the name boxes take no more.
inline constexpr std::size_t kMaxDatamarkName = 259;
// The longest of the other strings the store keeps.
inline constexpr std::size_t kMaxDatamarkText = 65535;

// Names, association strings and the names inside them compare ignoring the
// case of Latin letters.
bool sameMarkName(std::string_view a, std::string_view b);
// The name with its Latin letters in lower case: a key for sets and maps.
std::string foldedMarkName(std::string_view name);
// A name the store can keep: not empty, no "#", within the length limit.
bool isUsableDatamarkName(std::string_view name);
