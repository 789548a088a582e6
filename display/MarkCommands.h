#pragma once

#include "framework/CommandTarget.h"

class CHexPanel;

// The mark commands of a view: the linemarks' Toggle, Next, Previous and
// Clear All, and (disabled until the view has datamarks) the datamark
// entries of the "&Search" and "Bookmark" menus.
class MarkCommands : public CommandTarget {
  public:
    // `panel` is the active view's, or nullptr when no view is open.
    explicit MarkCommands(CHexPanel* panel) : panel_(panel) {}

    static bool isMarkCommand(int id);
    std::optional<CommandState> state(int id) override;
    bool run(int id) override;

  private:
    CHexPanel* panel_;
};
