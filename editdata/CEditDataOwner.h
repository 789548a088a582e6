#pragma once

#include <cstdint>
#include <optional>

class Component;

// Where the caret was when an action was recorded: the display panel that
// held it and its cell index there.
struct CaretContext {
    Component* panel = nullptr;
    std::int32_t cell = -1;
};

// What a store asks of the panel that shows it. The panel answers the
// warnings with its dialogs (and the settings that switch them off), carries
// the document's modified mark, and knows the caret.
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

    // The caret panel and cell; nullopt when no panel holds the caret, and
    // then nothing is recorded.
    virtual std::optional<CaretContext> getCaretCell() = 0;
    // The cell of the byte at `offset` in `panel`.
    virtual std::int32_t cellOfByte(Component* panel, std::uint64_t offset) = 0;
    // Puts the caret back where an undone or redone action had it.
    virtual void setCaret(Component* panel, std::int32_t cell) = 0;
};
