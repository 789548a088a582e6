#pragma once

#include <atomic>
#include <cstdint>

// Unsigned integers of any length held as big-endian byte strings (the first
// byte is the most significant). Every operation takes its inputs as
// (pointer, length) and an output buffer with its capacity, checks them
// first, and on failure writes nothing. The output must not overlap an
// input. Results are those of exact integer arithmetic.
//
// Multiply and DivMod may take long on large operands; a caller running them
// off the user-interface thread passes a flag it sets to stop them early
// (the call then fails like any other failure).
namespace multibyte {

using Length = std::int64_t;
using CancelFlag = std::atomic<bool>;

// 1 when a > b, -1 when a < b, 0 when equal (leading zero bytes ignored);
// 0 also for a missing or empty input.
int compare(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB);

// The sum right-aligned in max(lengthA, lengthB) bytes, returning that
// length; `carry` tells whether the sum needs one byte more (a 01 in front).
// Fails (-1) when the capacity is below either length.
Length add(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
           std::uint8_t* result, Length capacity, bool& carry);

// a - b without leading zero bytes; length 0 when a = b. Fails (-1) when a is
// zero, a < b, or the capacity is below either length.
Length subtract(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
                std::uint8_t* result, Length capacity);

// The product without leading zero bytes, a single 00 when either input is
// zero. Fails (-1) when the capacity is below 2 x lengthA or 2 x lengthB.
Length multiply(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
                std::uint8_t* result, Length capacity, const CancelFlag* cancel = nullptr);

// The quotient without leading zero bytes (00 when zero) and the remainder:
// empty (length 0) when a is zero or a = b, a itself without leading zero
// bytes when a < b, otherwise without leading zero bytes and 00 when zero.
// Fails when b is zero or a capacity is below lengthA (quotient) or lengthB
// (remainder).
struct DivModLengths {
    Length quotient = -1;
    Length remainder = -1;
};
bool divMod(const std::uint8_t* a, Length lengthA, const std::uint8_t* b, Length lengthB,
            std::uint8_t* quotient, Length quotientCapacity, std::uint8_t* remainder,
            Length remainderCapacity, DivModLengths& lengths, const CancelFlag* cancel = nullptr);

// result[i] = a[i] op b[i] for the first n bytes of both; the caller pads the
// shorter operand. Return n, or -1 when the capacity is below n.
Length bitAnd(const std::uint8_t* a, const std::uint8_t* b, Length n, std::uint8_t* result,
              Length capacity);
Length bitOr(const std::uint8_t* a, const std::uint8_t* b, Length n, std::uint8_t* result,
             Length capacity);
Length bitXor(const std::uint8_t* a, const std::uint8_t* b, Length n, std::uint8_t* result,
              Length capacity);

// Every byte complemented; returns lengthA, -1 when the capacity is below it.
Length bitNot(const std::uint8_t* a, Length lengthA, std::uint8_t* result, Length capacity);

// a shifted by `bits` as a lengthA-byte number: bits shifted past either end
// are lost. Returns lengthA; -1 when bits < 0 or the capacity is below lengthA.
Length shiftLeft(const std::uint8_t* a, Length lengthA, std::int64_t bits, std::uint8_t* result,
                 Length capacity);
Length shiftRight(const std::uint8_t* a, Length lengthA, std::int64_t bits, std::uint8_t* result,
                  Length capacity);

}  // namespace multibyte
