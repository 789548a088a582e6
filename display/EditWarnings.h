#pragma once

#include <cstdint>

class CSettings;

namespace platform {
class MessageService;
}

// The "Data Overwrite Warning" that guards large and irreversible changes:
// the message with its "No Longer Warning" check box, OK and Cancel. Ticking
// the box turns the warning off ("Overwrite Warn" = 0) whichever button
// closes it; only OK goes on.
class EditWarnings {
  public:
    EditWarnings(CSettings& settings, platform::MessageService& messages)
        : settings_(settings), messages_(messages) {}

    // A recorded change of `amount` bytes: asks from "Overwrite Size" on.
    bool confirmThreshold(std::uint64_t amount, int stringId);
    // A change that cannot be undone: asks whatever its size.
    bool confirmIrreversible(int stringId);

  private:
    CSettings& settings_;
    platform::MessageService& messages_;
};
