#include "editdata/CEditAction.h"

bool CEditAction::markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                              std::uint8_t* mask) const {
    if (!linked_ || linked_->changesSize()) {
        return false;
    }
    return linked_->markChanges(windowStart, windowLength, mask);
}
