#pragma once

#include <span>

#include "framework/CommandTarget.h"

class CHexPanel;

// The presentation commands of a view by command id, with their update
// rules: the current data unit is checked and disabled, Clear Indent needs
// an indent, the line width and page height stop at their limits, the panel
// and tip toggles carry check marks, and everything is disabled without an
// open view. "Multibytes..." runs through its dialog, with the unit chosen.
class PresentationCommands : public CommandTarget {
  public:
    // `panel` is the active view's, or nullptr when no view is open.
    explicit PresentationCommands(CHexPanel* panel) : panel_(panel) {}

    static bool isPresentationCommand(int id);
    // Every presentation command, in the order of the "&View" menu.
    static std::span<const int> ids();
    bool isEnabled(int id) const;
    bool isChecked(int id) const;
    // The panel and tip toggles and the unit commands carry check marks.
    static bool isCheckable(int id);
    // Runs a command without a dialog; false when it needs one or is disabled.
    bool run(int id) override;
    std::optional<CommandState> state(int id) override;

  private:
    CHexPanel* panel_;
};
