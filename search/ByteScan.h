#pragma once

#include <cstddef>
#include <cstdint>

// Finding fixed bytes in a buffer, both ways, at the speed of the C library.
namespace bytescan {

// The first position of `needle` in the `size` bytes at `data`, or -1.
std::ptrdiff_t findForward(const std::uint8_t* data, std::size_t size, const std::uint8_t* needle,
                           std::size_t length);
// The last position of `needle` wholly inside the `size` bytes, or -1.
std::ptrdiff_t findBackward(const std::uint8_t* data, std::size_t size, const std::uint8_t* needle,
                            std::size_t length);
// Turns "a".."z" into "A".."Z" in place; every other byte stays.
void foldAsciiCase(std::uint8_t* data, std::size_t size);

}  // namespace bytescan
