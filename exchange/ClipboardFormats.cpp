#include "exchange/ClipboardFormats.h"

#include <algorithm>

namespace {

constexpr std::size_t kDataHeader = 12;
constexpr std::size_t kBlockHeader = 16;

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t get32(std::span<const std::uint8_t> raw, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | raw[at + static_cast<std::size_t>(i)];
    }
    return value;
}

}  // namespace

std::vector<std::uint8_t> encodeHexData(const HexDataContent& content) {
    std::vector<std::uint8_t> out;
    out.reserve(kDataHeader + content.bytes.size());
    put32(out, content.dataStartAddress);
    put32(out, content.sourceOffset);
    put32(out, static_cast<std::uint32_t>(content.bytes.size()));
    out.insert(out.end(), content.bytes.begin(), content.bytes.end());
    return out;
}

std::optional<HexDataContent> decodeHexData(std::span<const std::uint8_t> raw) {
    if (raw.size() < kDataHeader) {
        return std::nullopt;
    }
    const std::uint32_t n = get32(raw, 8);
    if (raw.size() - kDataHeader < n) {
        return std::nullopt;
    }
    HexDataContent content{get32(raw, 0), get32(raw, 4), {}};
    const auto first = raw.begin() + static_cast<std::ptrdiff_t>(kDataHeader);
    content.bytes.assign(first, first + n);
    return content;
}

std::vector<std::uint8_t> encodeHexBlock(const HexBlockContent& content) {
    const std::size_t size = std::size_t{content.rows} * content.columns;
    std::vector<std::uint8_t> out;
    out.reserve(kBlockHeader + size);
    put32(out, content.dataStartAddress);
    put32(out, content.sourceOffset);
    put32(out, content.rows);
    put32(out, content.columns);
    // Zero-filled where the rows were not all there.
    out.resize(kBlockHeader + size, 0);
    std::copy_n(content.bytes.begin(), std::min(size, content.bytes.size()),
                out.begin() + static_cast<std::ptrdiff_t>(kBlockHeader));
    return out;
}

std::optional<HexBlockContent> decodeHexBlock(std::span<const std::uint8_t> raw) {
    if (raw.size() < kBlockHeader) {
        return std::nullopt;
    }
    HexBlockContent content{get32(raw, 0), get32(raw, 4), get32(raw, 8), get32(raw, 12), {}};
    const std::uint64_t size = std::uint64_t{content.rows} * content.columns;
    if (raw.size() - kBlockHeader < size) {
        return std::nullopt;
    }
    const auto first = raw.begin() + static_cast<std::ptrdiff_t>(kBlockHeader);
    content.bytes.assign(first, first + static_cast<std::ptrdiff_t>(size));
    return content;
}

std::string leadingText(std::span<const std::uint8_t> bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), zero);
}
