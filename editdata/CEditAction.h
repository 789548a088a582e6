#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Object.h"
#include "editdata/CEditDataOwner.h"

class CEditData;
class Component;

// The record of one undoable change. The store keeps these on its undo and
// redo stacks; each undoes and redoes itself through the store's own
// operations (never recording), remembers where the caret was, and marks the
// bytes it changed so the display can colour them. A linked action is an
// earlier action of the same user step (the deleted selection that typing or
// a paste replaced); it is owned, and undone and redone together.
class CEditAction : public Object {
    KESTRANE_DECLARE_CLASS(CEditAction)
public:
    // The action's name as the history lists show it.
    virtual std::string getName() const;
    virtual bool undo(CEditData&) { return false; }
    virtual bool redo(CEditData&) { return false; }
    // Sets mask bytes to 0xFF for the bytes this action changed inside
    // [windowStart, windowStart + windowLength); true when it marked any.
    // The base marks what the linked action marks, unless that one changed
    // the data size.
    virtual bool markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                             std::uint8_t* mask) const;
    virtual bool setContext(const CaretContext& caret);

    // Whether the action inserted or removed bytes: offsets recorded before
    // it no longer match the data.
    bool changesSize() const;

    Component* panel() const { return caret_.panel; }
    const CaretContext& caret() const { return caret_; }
    CEditAction* linkedAction() const { return linked_.get(); }
    void setLinkedAction(std::unique_ptr<CEditAction> linked) { linked_ = std::move(linked); }

protected:
    bool undoLinked(CEditData& store);
    bool redoLinked(CEditData& store);
    // Puts the caret back through the store's owner, when both exist.
    void restoreCaret(CEditData& store) const;

private:
    CaretContext caret_;
    std::unique_ptr<CEditAction> linked_;
};

// Marks the part of [offset, offset + count) that lies in the window.
bool markRange(std::uint64_t windowStart, std::uint32_t windowLength, std::uint8_t* mask,
               std::uint64_t offset, std::uint64_t count);
