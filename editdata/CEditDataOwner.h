#pragma once

#include <cstdint>
#include <optional>

class Component;

// Where the caret stood: the display panel that held it, the byte it stood
// on and, in the hex panel, the digit (0 the high nibble, 1 the low one).
// Kept as a byte rather than a cell, so it names the same byte whatever the
// presentation is when it is put back, in a file of any size.
struct CaretContext {
    Component* panel = nullptr;
    std::uint64_t offset = 0;
    int nibble = 0;
};

// What a store asks of the document it belongs to: the document carries the
// modified mark and answers the confirmations (with its dialogs and the
// settings that switch them off).
class CEditDataDocument {
public:
    virtual ~CEditDataDocument() = default;

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

// What a store asks of the view that shows it: where the caret is, to
// record it with each change, and putting it back on undo and redo.
class CaretKeeper {
public:
    virtual ~CaretKeeper() = default;
    // The caret; nullopt when no panel holds it, and then nothing is recorded.
    virtual std::optional<CaretContext> getCaret() = 0;
    // Puts the caret back where an undone or redone action had it.
    virtual void setCaret(const CaretContext& caret) = 0;
};

// Both at once, for the stores that have one owner for both (tests, tools).
class CEditDataOwner : public CEditDataDocument, public CaretKeeper {};
