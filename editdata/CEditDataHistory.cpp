// The undo and redo histories and the recording of edits.
#include "editdata/CEditData.h"
#include "editdata/EditActions.h"
#include "settings/CSettings.h"

int CEditData::maxUndoLevel() const {
    return services_.settings.get(settings::edit::MaxUndoLevel);
}

int CEditData::recordAction(std::unique_ptr<CEditAction> action) {
    if (!action || !undoStack_.push(std::move(action))) {
        return -1;
    }
    ++recorded_;
    recomputeChangeMask();
    return undoStack_.count() - 1;
}

bool CEditData::doUndo(int n) {
    if (n < 0 || n >= undoStack_.count()) {
        return false;
    }
    // The mask is made once at the end, not at every window move on the
    // way: a run of n undos costs n steps, not n times the history length.
    maskSuspended_ = true;
    for (int i = 0; i <= n; ++i) {
        std::unique_ptr<CEditAction> action = undoStack_.pop();
        action->undo(*this);
        redoStack_.push(std::move(action));
    }
    maskSuspended_ = false;
    recomputeChangeMask();
    return true;
}

bool CEditData::doRedo(int n) {
    if (n < 0 || n >= redoStack_.count()) {
        return false;
    }
    maskSuspended_ = true;
    for (int i = 0; i <= n; ++i) {
        std::unique_ptr<CEditAction> action = redoStack_.pop();
        action->redo(*this);
        undoStack_.push(std::move(action));  // the undo limit is not applied here
    }
    maskSuspended_ = false;
    recomputeChangeMask();
    return true;
}

bool CEditData::getUndoName(int index, std::string& name) const {
    const CEditAction* action = undoStack_.at(index);
    if (action == nullptr) {
        return false;
    }
    name = action->getName();
    return true;
}

bool CEditData::getRedoName(int index, std::string& name) const {
    const CEditAction* action = redoStack_.at(index);
    if (action == nullptr) {
        return false;
    }
    name = action->getName();
    return true;
}

bool CEditData::removeUndoAction(int index) {
    if (!undoStack_.destroyAt(index)) {
        return false;
    }
    recomputeChangeMask();
    return true;
}

std::unique_ptr<CEditAction> CEditData::takeNewestUndoAction() {
    std::unique_ptr<CEditAction> action = undoStack_.pop();
    if (action) {
        recomputeChangeMask();
    }
    return action;
}

bool CEditData::linkToNewestUndoAction(std::unique_ptr<CEditAction>& linked) {
    CEditAction* newest = undoStack_.count() > 0 ? undoStack_.at(undoStack_.count() - 1) : nullptr;
    if (newest == nullptr || !linked) {
        return false;
    }
    newest->setLinkedAction(std::move(linked));
    recomputeChangeMask();
    return true;
}

void CEditData::clearHistory() {
    undoStack_.clear();
    redoStack_.clear();
    recomputeChangeMask();
}

void CEditData::recordEdit(bool typing, std::uint64_t firstByte,
                           std::unique_ptr<CEditAction> linked, const ActionMaker& make) {
    // The edit is done; if its record cannot be made (no memory for its
    // bytes), the older actions go too: their offsets may no longer match
    // the data, and undoing them would corrupt it.
    const int limit = maxUndoLevel();
    while (undoStack_.count() >= limit) {
        if (!removeUndoAction(0)) {
            clearHistory();
            return;
        }
    }
    const auto caret = caretKeeper_ != nullptr ? caretKeeper_->getCaret() : std::nullopt;
    if (!caret || caret->panel == nullptr) {
        return;
    }
    std::unique_ptr<CEditAction> action =
        make(typing ? *caret : CaretContext{caret->panel, firstByte, 0});
    if (!action) {
        clearHistory();
        return;
    }
    action->setLinkedAction(std::move(linked));
    // A new change makes the redo history meaningless: redoing an action on
    // data that changed after it was undone would corrupt the data.
    redoStack_.clear();
    recordAction(std::move(action));
}
