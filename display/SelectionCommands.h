#pragma once

#include "framework/CommandTarget.h"

class CHexPanel;

// The selection and position commands of a view: Select All, Select Line,
// and the state of Select Range, Select Column Block and Go To, whose
// dialogs run them. All are available while a file is shown and no worker
// has its store.
class SelectionCommands : public CommandTarget {
  public:
    // `panel` is the active view's, or nullptr when no view is open.
    explicit SelectionCommands(CHexPanel* panel) : panel_(panel) {}

    static bool isSelectionCommand(int id);
    std::optional<CommandState> state(int id) override;
    // Runs Select All and Select Line; false for the commands with a dialog.
    bool run(int id) override;

  private:
    CHexPanel* panel_;
};
