#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The two private clipboard formats of the suite, byte for byte (all header
// integers 32-bit little-endian), and the plain text put beside a range.

inline constexpr const char* kHexDataFormat = "Kestrane HEX-Data";
inline constexpr const char* kHexBlockFormat = "Kestrane HEX-Block";

// "Kestrane HEX-Data": data start address, source offset, n, then n bytes.
struct HexDataContent {
    std::uint32_t dataStartAddress = 0;
    std::uint32_t sourceOffset = 0;
    std::vector<std::uint8_t> bytes;
};
std::vector<std::uint8_t> encodeHexData(const HexDataContent& content);
// Nothing for a buffer shorter than its header says.
std::optional<HexDataContent> decodeHexData(std::span<const std::uint8_t> raw);

// "Kestrane HEX-Block": data start address, offset of the first byte, rows,
// columns, then rows x columns bytes row after row.
struct HexBlockContent {
    std::uint32_t dataStartAddress = 0;
    std::uint32_t sourceOffset = 0;
    std::uint32_t rows = 0;
    std::uint32_t columns = 0;
    std::vector<std::uint8_t> bytes;  // rows x columns
};
std::vector<std::uint8_t> encodeHexBlock(const HexBlockContent& content);
std::optional<HexBlockContent> decodeHexBlock(std::span<const std::uint8_t> raw);

// The plain text beside a copied range: its bytes up to the first zero
// byte; empty (no text is placed) when the first byte is zero.
std::string leadingText(std::span<const std::uint8_t> bytes);
