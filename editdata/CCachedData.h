#pragma once

#include <array>
#include <cstdint>

// One modified 1024-byte block of an in-place file. Blocks start at offsets
// that are multiples of 1024 and cover up to 1024 bytes from there (the last
// block of a file may be shorter).
class CCachedData {
  public:
    static constexpr std::uint32_t kBlockSize = 1024;

    // Copies `length` bytes (1..1024) from `source` as the block at `offset`.
    bool setBlock(std::uint64_t offset, std::uint32_t length, const std::uint8_t* source);
    // Whether the block covers all of [offset, offset + count).
    bool coversRange(std::uint64_t offset, std::uint64_t count) const;
    // Copies the part of the block that overlaps [offset, offset + count) to
    // the matching place of `target` (which holds that range); false when
    // they do not overlap.
    bool copyOverlap(std::uint64_t offset, std::uint64_t count, std::uint8_t* target) const;
    // The block's byte at `offset`, when it covers it.
    bool readByte(std::uint64_t offset, std::uint8_t& byte) const;

    bool isEmpty() const { return empty_; }
    std::uint64_t offset() const { return offset_; }
    std::uint32_t length() const { return length_; }
    const std::uint8_t* data() const { return data_.data(); }

  private:
    std::uint32_t length_ = 0;
    std::uint64_t offset_ = 0;
    bool empty_ = true;
    std::array<std::uint8_t, kBlockSize> data_{};
};
