// The data window of the file-backed modes, the modified blocks of an
// in-place file, and every read and single-byte write of the store.
#include <algorithm>
#include <cstring>
#include <new>

#include "editdata/CEditData.h"
#include "editdata/EditActions.h"

namespace {

constexpr std::uint64_t kBlock = CCachedData::kBlockSize;

std::uint64_t alignDown(std::uint64_t value, std::uint64_t step) {
    return value / step * step;
}

}  // namespace

bool CEditData::windowCovers(std::uint64_t offset, std::uint64_t count) const {
    return offset >= windowStart_ && count <= windowLength_ &&
           offset - windowStart_ <= windowLength_ - count;
}

void CEditData::resetWindow() {
    windowStart_ = 0;
    windowLength_ = 0;
    windowDirty_ = false;
    dirtyFirst_ = 0;
    dirtyLast_ = 0;
    recomputeChangeMask();
}

const CCachedData* CEditData::findBlock(std::uint64_t blockOffset) const {
    const auto found = blockIndex_.find(blockOffset);
    return found == blockIndex_.end() ? nullptr : &blocks_[found->second];
}

bool CEditData::storeBlock(std::uint64_t blockOffset, const std::uint8_t* bytes,
                           std::uint32_t length) {
    if (const auto found = blockIndex_.find(blockOffset); found != blockIndex_.end()) {
        return blocks_[found->second].setBlock(blockOffset, length, bytes);
    }
    try {
        CCachedData block;
        if (!block.setBlock(blockOffset, length, bytes)) {
            return false;
        }
        blocks_.push_back(block);
        blockIndex_.emplace(blockOffset, blocks_.size() - 1);
    } catch (const std::bad_alloc&) {
        if (blocks_.size() > blockIndex_.size()) {
            blocks_.pop_back();
        }
        return false;
    }
    return true;
}

void CEditData::freeBlocks() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    blockIndex_.clear();
}

void CEditData::overlayBlocks(std::uint64_t offset, std::uint64_t count,
                              std::uint8_t* target) const {
    if (blocks_.empty() || count == 0) {
        return;
    }
    const std::uint64_t first = alignDown(offset, kBlock);
    const std::uint64_t spanned = (offset + count - first + kBlock - 1) / kBlock;
    // Walk whichever is shorter: the blocks of the range, or the modified blocks.
    if (spanned <= blocks_.size()) {
        for (std::uint64_t block = first; block < offset + count; block += kBlock) {
            if (const CCachedData* cached = findBlock(block)) {
                cached->copyOverlap(offset, count, target);
            }
        }
    } else {
        for (const auto& cached : blocks_) {
            cached.copyOverlap(offset, count, target);
        }
    }
}

bool CEditData::writeBlocksTo(platform::File& file) {
    for (const auto& block : blocks_) {
        if (!file.writeAt(block.data(), block.length(), block.offset())) {
            return failWith(file.lastError());
        }
    }
    return true;
}

bool CEditData::flushWindow() {
    if (!windowDirty_) {
        return true;
    }
    if (mode_ == StorageMode::InPlace) {
        const std::uint64_t firstBlock = alignDown(dirtyFirst_, kBlock);
        for (std::uint64_t block = firstBlock; block <= dirtyLast_ && block < windowLength_;
             block += kBlock) {
            const auto length =
                static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlock, windowLength_ - block));
            if (!storeBlock(windowStart_ + block, window_->data() + block, length)) {
                return false;
            }
        }
    } else if (mode_ == StorageMode::WorkCopy) {
        if (!workFile_.writeAt(window_->data(), windowLength_, windowStart_)) {
            return failWith(workFile_.lastError());
        }
    }
    windowDirty_ = false;
    dirtyFirst_ = 0;
    dirtyLast_ = 0;
    return true;
}

bool CEditData::loadWindow(std::uint64_t offset) {
    if (isMemoryMode()) {
        windowStart_ = alignDown(offset, kWindowAlign);
        windowLength_ = windowStart_ < dataSize_
                            ? static_cast<std::uint32_t>(
                                  std::min<std::uint64_t>(kWindowSize, dataSize_ - windowStart_))
                            : 0;
        recomputeChangeMask();
        return windowLength_ != 0;
    }
    if (!flushWindow()) {
        return false;
    }
    platform::File& file = backingFile();
    const std::uint64_t size = fileDataSize();
    windowStart_ = alignDown(offset, kWindowAlign);
    windowLength_ = 0;
    if (file.isOpen() && windowStart_ < size) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, size - windowStart_));
        const std::int64_t read = file.readAt(window_->data(), wanted, windowStart_);
        if (read < 0) {
            lastError_ = file.lastError();
        } else {
            windowLength_ = static_cast<std::uint32_t>(read);
        }
    }
    if (mode_ == StorageMode::InPlace) {
        overlayBlocks(windowStart_, windowLength_, window_->data());
    }
    recomputeChangeMask();
    return windowLength_ != 0;
}

bool CEditData::getDataPointer(const std::uint8_t** data, const std::uint8_t** mask,
                               std::uint32_t& count, std::uint64_t offset, bool reload) {
    if (count == 0) {
        count = kMaxPointerCount;
    }
    if (count > kMaxPointerCount || data == nullptr || mask == nullptr) {
        return false;
    }
    if (isMemoryMode()) {
        if (!windowCovers(offset, count)) {
            loadWindow(offset);
            if (!windowCovers(offset, 1)) {
                return false;
            }
            count = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(count, windowStart_ + windowLength_ - offset));
        }
        *data = memory_.get() + offset;
        *mask = mask_->data() + (offset - windowStart_);
        return true;
    }
    if (!isFileMode()) {
        return false;
    }
    if (reload || !windowCovers(offset, count)) {
        if (!loadWindow(offset) || !windowCovers(offset, 1)) {
            return false;
        }
        count = static_cast<std::uint32_t>(windowStart_ + windowLength_ - offset);
    }
    *data = window_->data() + (offset - windowStart_);
    *mask = mask_->data() + (offset - windowStart_);
    return true;
}

bool CEditData::readData(std::uint8_t* buffer, std::uint64_t count, std::uint64_t& countRead,
                         std::uint64_t offset) {
    countRead = 0;
    if (buffer == nullptr) {
        return false;
    }
    if (isMemoryMode()) {
        if (offset > dataSize_ || count > dataSize_ - offset) {
            return false;
        }
        std::memcpy(buffer, memory_.get() + offset, static_cast<std::size_t>(count));
        countRead = count;
        return true;
    }
    if (!isFileMode() || !flushWindow()) {
        return false;
    }
    platform::File& file = backingFile();
    if (!file.isOpen()) {
        return false;
    }
    const std::int64_t read = file.readAt(buffer, static_cast<std::size_t>(count), offset);
    if (read < 0) {
        return failWith(file.lastError());
    }
    countRead = static_cast<std::uint64_t>(read);
    if (mode_ == StorageMode::InPlace) {
        overlayBlocks(offset, countRead, buffer);
    }
    return true;
}

bool CEditData::readByte(std::uint8_t& byte, std::uint64_t offset) {
    if (isMemoryMode()) {
        if (offset >= dataSize_) {
            return false;
        }
        byte = memory_[offset];
        return true;
    }
    if (!isFileMode() || offset >= fileDataSize()) {
        return false;
    }
    // Any byte of the file: the window moves there, as for a write, and
    // brings the modified blocks over the file's bytes with it.
    if (!windowCovers(offset, 1) && (!loadWindow(offset) || !windowCovers(offset, 1))) {
        return false;
    }
    byte = (*window_)[offset - windowStart_];
    return true;
}

bool CEditData::doWriteByte(std::uint8_t& byte, std::uint64_t offset, bool record,
                            std::unique_ptr<CEditAction> linked) {
    if (document_ == nullptr || (accessMode_ & kGenericWrite) == 0) {
        return false;
    }
    if (isMemoryMode()) {
        if (offset >= dataSize_) {
            return false;
        }
        std::swap(byte, memory_[offset]);
        setModified(true);
    } else if (isFileMode()) {
        if (!windowCovers(offset, 1) && (!loadWindow(offset) || !windowCovers(offset, 1))) {
            return false;
        }
        const auto position = static_cast<std::uint32_t>(offset - windowStart_);
        if (!windowDirty_) {
            setModified(true);
            windowDirty_ = true;
            dirtyFirst_ = position;
            dirtyLast_ = position;
        } else {
            dirtyFirst_ = std::min(dirtyFirst_, position);
            dirtyLast_ = std::max(dirtyLast_, position);
        }
        std::swap(byte, (*window_)[position]);
    } else {
        return false;
    }
    if (record) {
        const std::uint8_t old = byte;
        recordEdit(true, offset, std::move(linked), [&](const CaretContext& caret) {
            auto action = std::make_unique<CWriteByteAction>();
            return action->setData(caret, old, offset) ? std::move(action) : nullptr;
        });
    }
    return true;
}
