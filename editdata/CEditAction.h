#pragma once

#include <cstdint>
#include <memory>
#include <string>

class CEditData;

// The record of one undoable change. The store keeps these on its undo and
// redo stacks; each knows how to undo and redo itself through the store and
// which bytes it changed, so the display can colour them.
class CEditAction {
  public:
    virtual ~CEditAction() = default;

    virtual std::string getName() const { return "EditAction"; }
    virtual bool undo(CEditData& /*store*/) { return false; }
    virtual bool redo(CEditData& /*store*/) { return false; }
    // Sets the mask bytes (0xFF) of the bytes this action changed inside the
    // window [windowStart, windowStart + windowLength); true when it marked
    // any. The base marks what the linked action marks, unless that one
    // changed the data size.
    virtual bool markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                             std::uint8_t* mask) const;
    // Whether the action inserted or removed bytes: offsets recorded before
    // it no longer match the data.
    virtual bool changesSize() const { return false; }

    CEditAction* linkedAction() const { return linked_.get(); }
    void setLinkedAction(std::unique_ptr<CEditAction> linked) { linked_ = std::move(linked); }

  private:
    std::unique_ptr<CEditAction> linked_;
};
