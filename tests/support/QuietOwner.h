#pragma once

#include "editdata/CEditDataOwner.h"

namespace testsupport {

// A document for a byte store that agrees to everything and records nothing
// (no panel holds a caret).
class QuietOwner : public CEditDataOwner {
  public:
    void markModified(bool) override {}
    bool confirmThreshold(std::uint64_t, int) override { return true; }
    bool confirmIrreversible(int) override { return true; }
    std::optional<CaretContext> getCaret() override { return std::nullopt; }
    void setCaret(const CaretContext&) override {}
};

}  // namespace testsupport
