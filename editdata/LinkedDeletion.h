#pragma once

#include <cstdint>
#include <memory>

#include "editdata/CEditAction.h"
#include "editdata/CEditData.h"

// A deletion that opens a user step whose change follows it (typing or a
// paste over a selection, a replacement): taken off the history when it was
// recorded as one action, then linked to the change, so that one undo takes
// back both.
class LinkedDeletion {
  public:
    // Right after the deletion; `recordedBefore` is the store's
    // recordedCount() from before it.
    void take(CEditData& data, std::uint64_t recordedBefore) {
        if (data.recordedCount() == recordedBefore + 1) {
            deletion_ = data.takeNewestUndoAction();
        }
    }
    // The change is done (`recordedBefore` counted before it): the deletion
    // goes with it, or back to the history as a step of its own when the
    // change was not recorded.
    void keepWith(CEditData& data, std::uint64_t recordedBefore) {
        if (deletion_ &&
            (data.recordedCount() == recordedBefore || !data.linkToNewestUndoAction(deletion_))) {
            data.recordAction(std::move(deletion_));
        }
    }
    // The change failed: the deletion is taken back.
    void abandon(CEditData& data) {
        if (deletion_) {
            deletion_->undo(data);
            deletion_.reset();
        }
    }

  private:
    std::unique_ptr<CEditAction> deletion_;
};
