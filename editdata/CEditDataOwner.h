#pragma once

#include <cstdint>

// What a store asks of the panel that shows it. The panel answers the
// warnings with its dialogs (and the settings that switch them off) and
// carries the document's modified mark.
class CEditDataOwner {
  public:
    virtual ~CEditDataOwner() = default;

    // The document's modified mark; the store calls it on every change and
    // on save. The document appends or removes " *" when the state changes.
    virtual void markModified(bool modified) = 0;
    // A recorded delete, overwrite or insert of `amount` bytes in memory:
    // true to go on. Strings 3031 (delete), 3032 (overwrite), 3033 (insert).
    virtual bool confirmThreshold(std::uint64_t amount, int stringId) = 0;
    // The first operation that makes an in-place file a work copy cannot be
    // undone: true to go on. Strings 3034..3037.
    virtual bool confirmIrreversible(int stringId) = 0;
};
