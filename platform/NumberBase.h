#pragma once

// The number systems the dialogs read and write numbers in; the value of
// each is its radix.
enum class NumberBase { Decimal = 10, Hexadecimal = 16, Octal = 8 };

inline constexpr int radixOf(NumberBase base) {
    return static_cast<int>(base);
}
