#include "editdata/CEditAction.h"

#include <algorithm>
#include <cstring>

#include "editdata/CEditData.h"
#include "editdata/EditActions.h"

KESTRANE_DEFINE_CLASS(CEditAction, Object, 1)

std::string CEditAction::getName() const { return "EditAction"; }

bool CEditAction::markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                              std::uint8_t* mask) const {
    if (!linked_ || linked_->changesSize()) {
        return false;
    }
    return linked_->markChanges(windowStart, windowLength, mask);
}

bool CEditAction::setContext(const CaretContext& caret) {
    caret_ = caret;
    return true;
}

bool CEditAction::changesSize() const { return isKindOf(CChangeSizeAction::classRecord); }

bool CEditAction::undoLinked(CEditData& store) { return !linked_ || linked_->undo(store); }

bool CEditAction::redoLinked(CEditData& store) { return !linked_ || linked_->redo(store); }

void CEditAction::restoreCaret(CEditData& store) const {
    if (store.caretKeeper() != nullptr && caret_.panel != nullptr) {
        store.caretKeeper()->setCaret(caret_);
    }
}

bool markRange(std::uint64_t windowStart, std::uint32_t windowLength, std::uint8_t* mask,
               std::uint64_t offset, std::uint64_t count) {
    const std::uint64_t begin = std::max(offset, windowStart);
    const std::uint64_t end = std::min(offset + count, windowStart + windowLength);
    if (count == 0 || begin >= end) {
        return false;
    }
    std::memset(mask + (begin - windowStart), 0xFF, static_cast<std::size_t>(end - begin));
    return true;
}
