// The public operations that change a store, each announcing its change to
// the listeners once it is done.
#include <algorithm>

#include "editdata/CEditData.h"

void CEditData::addListener(DataChangeListener* listener) {
    if (listener != nullptr &&
        std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
    }
}

void CEditData::removeListener(DataChangeListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void CEditData::announce(const DataChange& change) {
    // A copy: a listener may leave the list while it hears the change.
    const std::vector<DataChangeListener*> listeners = listeners_;
    for (DataChangeListener* listener : listeners) {
        listener->dataChanged(change);
    }
}

DataChange CEditData::wholeData(DataChange::Kind kind, std::uint64_t sizeBefore) const {
    const std::uint64_t now = getDataSize();
    return {kind, 0, sizeBefore == kNoDataSize ? 0 : sizeBefore, now == kNoDataSize ? 0 : now};
}

template <typename Body>
bool CEditData::announced(const DataChange& change, Body&& body) {
    ++operationDepth_;
    const bool done = body();
    --operationDepth_;
    if (done && operationDepth_ == 0) {
        announce(change);
    }
    return done;
}

template <typename Body>
bool CEditData::announcedWhole(DataChange::Kind kind, Body&& body) {
    // The change is known only once it is made: the whole data, before and after.
    const std::uint64_t before = getDataSize();
    ++operationDepth_;
    const bool done = body();
    --operationDepth_;
    if (done && operationDepth_ == 0) {
        announce(wholeData(kind, before));
    }
    return done;
}

bool CEditData::save(const std::string& path) {
    // Saved bytes are no longer modified: the change marks go.
    const std::uint64_t size = getDataSize();
    return announced({DataChange::Kind::Reload, 0, size, size}, [&] { return doSave(path); });
}

bool CEditData::replaceContent(const std::string& path) {
    return announcedWhole(DataChange::Kind::Replace, [&] { return doReplaceContent(path); });
}

bool CEditData::writeByte(std::uint8_t& byte, std::uint64_t offset, bool record,
                          std::unique_ptr<CEditAction> linked) {
    return announced({DataChange::Kind::Edit, offset, 1, 1},
                     [&] { return doWriteByte(byte, offset, record, std::move(linked)); });
}

bool CEditData::deleteData(std::uint64_t count, std::uint64_t offset, bool record,
                           std::unique_ptr<CEditAction> linked) {
    return announced({DataChange::Kind::Edit, offset, count, 0},
                     [&] { return doDeleteData(count, offset, record, std::move(linked)); });
}

bool CEditData::overwriteData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                              bool record, std::unique_ptr<CEditAction> linked) {
    return announced({DataChange::Kind::Edit, offset, count, count}, [&] {
        return doOverwriteData(source, count, offset, record, std::move(linked));
    });
}

bool CEditData::insertData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                           bool record, std::unique_ptr<CEditAction> linked) {
    return announced({DataChange::Kind::Edit, offset, 0, count}, [&] {
        return doInsertData(source, count, offset, record, std::move(linked));
    });
}

namespace {

// A block's first byte and the bytes from there to the data's end it may touch.
DataChange blockChange(const ColumnBlock& block, std::uint64_t size) {
    const std::int64_t first =
        std::int64_t{block.firstLine} * block.lineWidth + block.firstColumn - block.indent;
    const std::uint64_t offset = first < 0 ? 0 : std::min(static_cast<std::uint64_t>(first), size);
    return {DataChange::Kind::Edit, offset, size - offset, size - offset};
}

}  // namespace

bool CEditData::deleteBlock(const ColumnBlock& block, bool record,
                            std::unique_ptr<CEditAction> linked) {
    return announced(blockChange(block, getDataSize()),
                     [&] { return doDeleteBlock(block, record, std::move(linked)); });
}

bool CEditData::overwriteBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                               std::unique_ptr<CEditAction> linked) {
    return announced(blockChange(block, getDataSize()),
                     [&] { return doOverwriteBlock(source, block, record, std::move(linked)); });
}

bool CEditData::insertBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                            std::unique_ptr<CEditAction> linked) {
    return announced(blockChange(block, getDataSize()),
                     [&] { return doInsertBlock(source, block, record, std::move(linked)); });
}

bool CEditData::swapData(std::uint64_t count, std::uint64_t start, std::int32_t chunk,
                         std::int32_t unit, std::int32_t shift, bool record,
                         std::unique_ptr<CEditAction> linked) {
    return announced({DataChange::Kind::Edit, start, count, count}, [&] {
        return doSwapData(count, start, chunk, unit, shift, record, std::move(linked));
    });
}

bool CEditData::undo(int n) {
    return announcedWhole(DataChange::Kind::Undo, [&] { return doUndo(n); });
}

bool CEditData::redo(int n) {
    return announcedWhole(DataChange::Kind::Redo, [&] { return doRedo(n); });
}
