#include "editdata/EditActions.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "editdata/CEditData.h"
#include "editdata/EditDataStrings.h"

KESTRANE_DEFINE_CLASS(CChangeSizeAction, CEditAction, 1)
KESTRANE_DEFINE_CLASS(CWriteByteAction, CEditAction, 1)
KESTRANE_DEFINE_CLASS(CWriteDataAction, CEditAction, 1)
KESTRANE_DEFINE_CLASS(CWriteBlockAction, CEditAction, 1)
KESTRANE_DEFINE_CLASS(CSwapDataAction, CEditAction, 1)
KESTRANE_DEFINE_CLASS(CDeleteDataAction, CChangeSizeAction, 1)
KESTRANE_DEFINE_CLASS(CInsertDataAction, CChangeSizeAction, 1)
KESTRANE_DEFINE_CLASS(CDeleteBlockAction, CChangeSizeAction, 1)
KESTRANE_DEFINE_CLASS(CInsertBlockAction, CChangeSizeAction, 1)

namespace {

constexpr std::uint64_t kOffsetLimit = std::uint64_t{1} << 63;

// Copies `count` bytes into `buffer`; an allocation failure leaves it empty.
bool copyBytes(std::vector<std::uint8_t>& buffer, const std::uint8_t* source, std::uint64_t count) {
    try {
        buffer.assign(source, source + count);
    } catch (const std::bad_alloc&) {
        buffer.clear();
        return false;
    }
    return true;
}

std::uint64_t blockBytes(const ColumnBlock& geometry) {
    return static_cast<std::uint64_t>(geometry.rows()) *
           static_cast<std::uint64_t>(geometry.columns());
}

bool validGeometry(const ColumnBlock& geometry) {
    return geometry.lineWidth > 0 && geometry.rows() > 0 && geometry.columns() > 0 &&
           geometry.firstColumn >= 0 && geometry.firstLine >= 0;
}

}  // namespace

bool RangeRecord::set(const std::uint8_t* source, std::uint64_t bytes, std::uint64_t at) {
    if (source == nullptr || bytes == 0 || at >= kOffsetLimit || !copyBytes(buffer, source, bytes)) {
        return false;
    }
    count = bytes;
    offset = at;
    return true;
}

bool BlockRecord::set(const std::uint8_t* source, const ColumnBlock& block) {
    if (source == nullptr || !validGeometry(block) || !copyBytes(buffer, source, blockBytes(block))) {
        return false;
    }
    geometry = block;
    return true;
}

// ------------------------------------------------------------ write byte

bool CWriteByteAction::setData(const CaretContext& caret, std::uint8_t byte,
                               std::uint64_t offset) {
    if (offset >= kOffsetLimit) {
        return false;
    }
    setContext(caret);
    byte_ = byte;
    offset_ = offset;
    return true;
}

std::string CWriteByteAction::getName() const { return editDataText(editstrings::kTypingName); }

bool CWriteByteAction::exchange(CEditData& store) {
    auto byte = static_cast<std::uint8_t>(byte_);
    if (!store.writeByte(byte, offset_, false)) {
        return false;
    }
    byte_ = byte;
    return true;
}

bool CWriteByteAction::undo(CEditData& store) {
    const bool done = exchange(store);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CWriteByteAction::redo(CEditData& store) {
    redoLinked(store);
    const bool done = exchange(store);
    restoreCaret(store);
    return done;
}

bool CWriteByteAction::markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                                   std::uint8_t* mask) const {
    const bool linked = CEditAction::markChanges(windowStart, windowLength, mask);
    return markRange(windowStart, windowLength, mask, offset_, 1) || linked;
}

// ------------------------------------------------------------ write data

bool CWriteDataAction::setData(const CaretContext& caret,
                               const std::uint8_t* oldBytes, std::uint64_t count,
                               std::uint64_t offset) {
    setContext(caret);
    return record_.set(oldBytes, count, offset);
}

std::string CWriteDataAction::getName() const { return editDataText(editstrings::kOverwriteDataName); }

bool CWriteDataAction::exchange(CEditData& store) {
    std::vector<std::uint8_t> current;
    try {
        current.resize(record_.count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::uint64_t read = 0;
    if (!store.readData(current.data(), record_.count, read, record_.offset) ||
        read != record_.count ||
        !store.overwriteData(record_.buffer.data(), record_.count, record_.offset, false)) {
        return false;
    }
    record_.buffer.swap(current);
    return true;
}

bool CWriteDataAction::undo(CEditData& store) {
    const bool done = exchange(store);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CWriteDataAction::redo(CEditData& store) {
    if (!redoLinked(store)) {
        return false;
    }
    const bool done = exchange(store);
    restoreCaret(store);
    return done;
}

bool CWriteDataAction::markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                                   std::uint8_t* mask) const {
    const bool linked = CEditAction::markChanges(windowStart, windowLength, mask);
    return markRange(windowStart, windowLength, mask, record_.offset, record_.count) || linked;
}

// ----------------------------------------------------------- write block

bool CWriteBlockAction::setData(const CaretContext& caret,
                                const std::uint8_t* oldBytes, const ColumnBlock& geometry) {
    setContext(caret);
    return record_.set(oldBytes, geometry);
}

std::string CWriteBlockAction::getName() const {
    return editDataText(editstrings::kOverwriteBlockName);
}

bool CWriteBlockAction::exchange(CEditData& store) {
    std::vector<std::uint8_t> current;
    if (!store.readBlock(current, record_.geometry) ||
        !store.overwriteBlock(record_.buffer.data(), record_.geometry, false)) {
        return false;
    }
    record_.buffer.swap(current);
    return true;
}

bool CWriteBlockAction::undo(CEditData& store) {
    const bool done = exchange(store);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CWriteBlockAction::redo(CEditData& store) {
    if (!redoLinked(store)) {
        return false;
    }
    const bool done = exchange(store);
    restoreCaret(store);
    return done;
}

bool CWriteBlockAction::markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                                    std::uint8_t* mask) const {
    bool marked = CEditAction::markChanges(windowStart, windowLength, mask);
    const ColumnBlock& g = record_.geometry;
    for (std::int64_t line = g.firstLine; line <= g.lastLine; ++line) {
        const std::int64_t rowStart = line * g.lineWidth + g.firstColumn - g.indent;
        if (rowStart + g.columns() <= 0) {
            continue;
        }
        const std::int64_t begin = std::max<std::int64_t>(rowStart, 0);
        marked = markRange(windowStart, windowLength, mask, static_cast<std::uint64_t>(begin),
                           static_cast<std::uint64_t>(rowStart + g.columns() - begin)) ||
                 marked;
    }
    return marked;
}

// ------------------------------------------------------------------ swap

bool CSwapDataAction::setData(const CaretContext& caret,
                              const SwapParameters& parameters) {
    if (parameters.count == 0 || parameters.start >= kOffsetLimit) {
        return false;
    }
    setContext(caret);
    parameters_ = parameters;
    return true;
}

std::string CSwapDataAction::getName() const { return editDataText(editstrings::kSwapDataName); }

bool CSwapDataAction::swap(CEditData& store) const {
    return store.swapData(parameters_.count, parameters_.start, parameters_.chunk,
                          parameters_.unit, parameters_.shift, false);
}

bool CSwapDataAction::undo(CEditData& store) {
    const bool done = swap(store);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CSwapDataAction::redo(CEditData& store) {
    if (!redoLinked(store)) {
        return false;
    }
    const bool done = swap(store);
    restoreCaret(store);
    return done;
}

bool CSwapDataAction::markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                                  std::uint8_t* mask) const {
    const bool linked = CEditAction::markChanges(windowStart, windowLength, mask);
    return markRange(windowStart, windowLength, mask, parameters_.start, parameters_.count) ||
           linked;
}

// ------------------------------------------------------------ delete data

bool CDeleteDataAction::setData(const CaretContext& caret,
                                const std::uint8_t* removed, std::uint64_t count,
                                std::uint64_t offset) {
    setContext(caret);
    return record_.set(removed, count, offset);
}

std::string CDeleteDataAction::getName() const { return editDataText(editstrings::kDeleteDataName); }

bool CDeleteDataAction::undo(CEditData& store) {
    const bool done = store.insertData(record_.buffer.data(), record_.count, record_.offset, false);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CDeleteDataAction::redo(CEditData& store) {
    redoLinked(store);
    const bool done = store.deleteData(record_.count, record_.offset, false);
    restoreCaret(store);
    return done;
}

// ------------------------------------------------------------ insert data

bool CInsertDataAction::setData(const CaretContext& caret,
                                const std::uint8_t* inserted, std::uint64_t count,
                                std::uint64_t offset) {
    setContext(caret);
    return record_.set(inserted, count, offset);
}

std::string CInsertDataAction::getName() const { return editDataText(editstrings::kInsertDataName); }

bool CInsertDataAction::undo(CEditData& store) {
    const bool done = store.deleteData(record_.count, record_.offset, false);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CInsertDataAction::redo(CEditData& store) {
    redoLinked(store);
    const bool done = store.insertData(record_.buffer.data(), record_.count, record_.offset, false);
    restoreCaret(store);
    return done;
}

// ----------------------------------------------------------- delete block

bool CDeleteBlockAction::setData(const CaretContext& caret,
                                 const std::uint8_t* removedRows, const ColumnBlock& geometry,
                                 std::uint64_t removed) {
    if (removed == 0 || removed > blockBytes(geometry)) {
        return false;
    }
    setContext(caret);
    removed_ = removed;
    return record_.set(removedRows, geometry);
}

std::string CDeleteBlockAction::getName() const {
    return editDataText(editstrings::kDeleteBlockName);
}

bool CDeleteBlockAction::undo(CEditData& store) {
    const bool done = store.restoreDeletedBlock(record_.buffer.data(), record_.geometry, removed_);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CDeleteBlockAction::redo(CEditData& store) {
    redoLinked(store);
    const bool done = store.deleteBlock(record_.geometry, false);
    restoreCaret(store);
    return done;
}

// ----------------------------------------------------------- insert block

bool CInsertBlockAction::setData(const CaretContext& caret,
                                 const std::uint8_t* inserted, const ColumnBlock& geometry,
                                 std::uint64_t sizeBefore) {
    setContext(caret);
    sizeBefore_ = sizeBefore;
    return record_.set(inserted, geometry);
}

std::string CInsertBlockAction::getName() const {
    return editDataText(editstrings::kInsertBlockName);
}

bool CInsertBlockAction::undo(CEditData& store) {
    const bool done = store.removeInsertedBlock(record_.geometry, sizeBefore_);
    restoreCaret(store);
    undoLinked(store);
    return done;
}

bool CInsertBlockAction::redo(CEditData& store) {
    redoLinked(store);
    const bool done = store.insertBlock(record_.buffer.data(), record_.geometry, false);
    restoreCaret(store);
    return done;
}
