#pragma once

#include <cstddef>
#include <string_view>

// Texts counted in characters rather than bytes, so a cut never splits a
// UTF-8 sequence. A byte that continues a sequence is not a character.

// The number of characters in `text`.
std::size_t utf8Length(std::string_view text);
// The bytes the first `characters` characters of `text` take (all of it
// when it has fewer).
std::size_t utf8PrefixBytes(std::string_view text, std::size_t characters);
