#include "brisvane/ComTypes.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace com {

std::string GUID::text() const {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  data1, data2, data3, data4[0], data4[1], data4[2], data4[3], data4[4], data4[5],
                  data4[6], data4[7]);
    return buffer;
}

std::optional<GUID> GUID::parse(std::string_view text) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') {
        return std::nullopt;
    }
    std::string hex;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash != (text[i] == '-')) {
            return std::nullopt;
        }
        if (!dash) {
            if (std::strchr("0123456789abcdefABCDEF", text[i]) == nullptr || text[i] == '\0') {
                return std::nullopt;
            }
            hex += text[i];
        }
    }
    const auto value = [&hex](std::size_t at, std::size_t digits) {
        return std::stoul(hex.substr(at, digits), nullptr, 16);
    };
    GUID guid;
    guid.data1 = static_cast<std::uint32_t>(value(0, 8));
    guid.data2 = static_cast<std::uint16_t>(value(8, 4));
    guid.data3 = static_cast<std::uint16_t>(value(12, 4));
    for (std::size_t i = 0; i < 8; ++i) {
        guid.data4[i] = static_cast<std::uint8_t>(value(16 + 2 * i, 2));
    }
    return guid;
}

void ReleaseStgMedium(STGMEDIUM* medium) {
    if (medium != nullptr && medium->release != nullptr) {
        medium->release(medium);
    }
    if (medium != nullptr) {
        *medium = STGMEDIUM{};
    }
}

std::optional<std::vector<std::string>> dropListPaths(const void* memory, std::size_t size) {
    if (memory == nullptr || size < sizeof(DROPFILES)) {
        return std::nullopt;
    }
    DROPFILES header;
    std::memcpy(&header, memory, sizeof header);
    if (header.filesOffset < sizeof(DROPFILES) || header.filesOffset >= size) {
        return std::nullopt;
    }
    const char* bytes = static_cast<const char*>(memory);
    std::vector<std::string> paths;
    std::size_t at = header.filesOffset;
    while (true) {
        const void* end = std::memchr(bytes + at, '\0', size - at);
        if (end == nullptr) {
            return std::nullopt;  // a path runs past the block
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(end) - (bytes + at));
        if (length == 0) {
            return paths;  // the empty path ends the list
        }
        paths.emplace_back(bytes + at, length);
        at += length + 1;
        if (at >= size) {
            return std::nullopt;  // no empty path before the end
        }
    }
}

}  // namespace com
