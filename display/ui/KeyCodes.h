#pragma once

#include <cstdint>

// The virtual-key code the framework's key events carry for a Qt key, or 0
// when the key has none.
std::uint32_t virtualKeyOf(int qtKey);
