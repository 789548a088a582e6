#include "search/ByteScan.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace bytescan {

namespace {

// The vector searches of the C library find a needle's first byte far faster
// than memmem finds the whole needle, and on most data a first byte that
// matches is rare. On data where it is not (runs of the needle's own bytes),
// the bytes compared after each candidate are counted; past a few per byte
// of the buffer the rest goes to a search with a linear bound.
std::size_t comparisonBudget(std::size_t size) {
    return 4 * size + 4096;
}

std::ptrdiff_t linearForward(const std::uint8_t* data, std::size_t size, const std::uint8_t* needle,
                             std::size_t length) {
    const void* found = memmem(data, size, needle, length);
    return found != nullptr ? static_cast<const std::uint8_t*>(found) - data : -1;
}

// memmem over the reversed bytes: the last occurrence with a linear bound.
std::ptrdiff_t linearBackward(const std::uint8_t* data, std::size_t size,
                              const std::uint8_t* needle, std::size_t length) {
    std::vector<std::uint8_t> reversed(data, data + size);
    std::vector<std::uint8_t> reversedNeedle(needle, needle + length);
    std::reverse(reversed.begin(), reversed.end());
    std::reverse(reversedNeedle.begin(), reversedNeedle.end());
    const std::ptrdiff_t at = linearForward(reversed.data(), size, reversedNeedle.data(), length);
    return at < 0 ? -1 : static_cast<std::ptrdiff_t>(size - length) - at;
}

}  // namespace

std::ptrdiff_t findForward(const std::uint8_t* data, std::size_t size, const std::uint8_t* needle,
                           std::size_t length) {
    if (length == 0 || length > size) {
        return -1;
    }
    const std::size_t starts = size - length + 1;  // starts lie in [0, starts)
    std::size_t budget = comparisonBudget(size);
    std::size_t from = 0;
    while (from < starts) {
        const void* found = std::memchr(data + from, needle[0], starts - from);
        if (found == nullptr) {
            return -1;
        }
        const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - data);
        if (std::memcmp(data + at + 1, needle + 1, length - 1) == 0) {
            return static_cast<std::ptrdiff_t>(at);
        }
        if (length > budget) {
            const std::ptrdiff_t rest = linearForward(data + at, size - at, needle, length);
            return rest < 0 ? -1 : static_cast<std::ptrdiff_t>(at) + rest;
        }
        budget -= length;
        from = at + 1;
    }
    return -1;
}

std::ptrdiff_t findBackward(const std::uint8_t* data, std::size_t size, const std::uint8_t* needle,
                            std::size_t length) {
    if (length == 0 || length > size) {
        return -1;
    }
    // The needle's first byte found from the end, then the rest compared.
    std::size_t limit = size - length + 1;  // starts lie in [0, limit)
    std::size_t budget = comparisonBudget(size);
    while (limit > 0) {
        const void* found = memrchr(data, needle[0], limit);
        if (found == nullptr) {
            return -1;
        }
        const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - data);
        if (std::memcmp(data + at + 1, needle + 1, length - 1) == 0) {
            return static_cast<std::ptrdiff_t>(at);
        }
        if (length > budget) {
            // Starts below `at` only: the bytes up to at + length - 1.
            return linearBackward(data, at + length - 1, needle, length);
        }
        budget -= length;
        limit = at;
    }
    return -1;
}

void foldAsciiCase(std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = data[i];
        data[i] = static_cast<std::uint8_t>(
            byte - (static_cast<std::uint8_t>(byte - 'a') < 26 ? 0x20 : 0));
    }
}

}  // namespace bytescan
