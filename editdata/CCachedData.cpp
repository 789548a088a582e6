#include "editdata/CCachedData.h"

#include <algorithm>
#include <cstring>

bool CCachedData::setBlock(std::uint64_t offset, std::uint32_t length, const std::uint8_t* source) {
    if (source == nullptr || length == 0) {
        return false;
    }
    length_ = std::min(length, kBlockSize);
    offset_ = offset;
    empty_ = false;
    std::memcpy(data_.data(), source, length_);
    return true;
}

bool CCachedData::coversRange(std::uint64_t offset, std::uint64_t count) const {
    return !empty_ && offset >= offset_ && count <= length_ && offset - offset_ <= length_ - count;
}

bool CCachedData::copyOverlap(std::uint64_t offset, std::uint64_t count,
                              std::uint8_t* target) const {
    if (empty_ || target == nullptr) {
        return false;
    }
    const std::uint64_t begin = std::max(offset, offset_);
    const std::uint64_t end = std::min(offset + count, offset_ + length_);
    if (begin >= end) {
        return false;
    }
    std::memcpy(target + (begin - offset), data_.data() + (begin - offset_), end - begin);
    return true;
}

bool CCachedData::readByte(std::uint64_t offset, std::uint8_t& byte) const {
    if (!coversRange(offset, 1)) {
        return false;
    }
    byte = data_[offset - offset_];
    return true;
}
