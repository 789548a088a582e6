#include "search/ByteScan.h"

#include <cstring>

namespace bytescan {

std::ptrdiff_t findForward(const std::uint8_t* data, std::size_t size, const std::uint8_t* needle,
                           std::size_t length) {
    if (length == 0 || length > size) {
        return -1;
    }
    const void* found =
        length == 1 ? std::memchr(data, needle[0], size) : memmem(data, size, needle, length);
    return found != nullptr ? static_cast<const std::uint8_t*>(found) - data : -1;
}

std::ptrdiff_t findBackward(const std::uint8_t* data, std::size_t size, const std::uint8_t* needle,
                            std::size_t length) {
    if (length == 0 || length > size) {
        return -1;
    }
    // The needle's first byte found from the end, then the rest compared.
    std::size_t limit = size - length + 1;  // starts lie in [0, limit)
    while (limit > 0) {
        const void* found = memrchr(data, needle[0], limit);
        if (found == nullptr) {
            return -1;
        }
        const auto at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - data);
        if (std::memcmp(data + at + 1, needle + 1, length - 1) == 0) {
            return static_cast<std::ptrdiff_t>(at);
        }
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
