#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "marks/DatamarkList.h"

class DatamarkStore;

// The "Clear datamark" confirmation of one view. Its two check boxes keep
// their state for the view's life: once "No Longer Hint" was ticked, the
// state of "Auto Disconnect Associations" answers without asking.
class ClearConfirmation {
  public:
    struct Answer {
        bool ok = false;
        bool noLongerHint = false;
        bool autoDisconnect = false;
    };
    // Shows the dialog with the boxes as given and returns how it closed.
    using Show = std::function<Answer(bool noLongerHint, bool autoDisconnect)>;

    ClearConfirmation(bool autoDisconnect, Show show)
        : autoDisconnect_(autoDisconnect), show_(std::move(show)) {}

    // Whether to disconnect the associations that refer to the datamark.
    bool ask();

  private:
    bool noLongerHint_ = false;
    bool autoDisconnect_;
    Show show_;
};

// Removes the datamark at `index` from the view's list, first disconnecting
// the associations that name it: in the list ("#name", the last such of each
// other datamark) and in the store (path#name, every one, each changed
// datamark saved). Returns true when the datamark had a file path, so the
// document's datamarks are modified. `stored`, when given, stands for the
// store's datamarks of every file (read once by the caller) and is kept in
// step.
bool clearDatamark(DatamarkList& list, std::size_t index, DatamarkStore& store,
                   ClearConfirmation& confirm, std::vector<CBmitemObj>* stored = nullptr);
// Every datamark of the list, last to first, reading the store once.
bool clearAllDatamarks(DatamarkList& list, DatamarkStore& store, ClearConfirmation& confirm);
