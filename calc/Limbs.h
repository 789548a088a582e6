#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "calc/Multibyte.h"

// The multibyte engine's inside: numbers as little-endian arrays of 64-bit
// limbs (limb 0 the least significant), products formed in 128 bits.
namespace multibyte::limbs {

using Limb = std::uint64_t;
using Limbs = std::vector<Limb>;

// Thrown inside the engine when the caller's cancel flag is set; the public
// functions catch it and fail.
struct Cancelled {};

// The value of a big-endian byte string, without high zero limbs (zero is
// the empty array).
Limbs fromBytes(const std::uint8_t* bytes, Length length);
// Bytes the value needs (0 for zero).
Length significantBytes(const Limb* limbs, std::size_t count);
// The value's last `length` bytes, big-endian.
void toBytes(const Limb* limbs, std::size_t count, std::uint8_t* out, Length length);

// r[0 .. na + nb) = a * b, na >= 1, nb >= 1; r must not overlap a or b.
void multiply(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
              const CancelFlag* cancel);
// The schoolbook product alone, for operands below the Karatsuba threshold.
void multiplyBasecase(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb);

// a = q * b + r, 0 <= r < b, for b without high zero limbs (b not zero);
// q gets na - nb + 1 limbs (or one when na < nb), r gets nb limbs.
void divide(const Limbs& a, const Limbs& b, Limbs& q, Limbs& r, const CancelFlag* cancel);

// Below this many limbs of the shorter operand, schoolbook beats Karatsuba.
inline constexpr std::size_t kKaratsubaThreshold = 40;

}  // namespace multibyte::limbs
