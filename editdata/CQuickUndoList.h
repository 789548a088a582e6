#pragma once

#include <string>
#include <vector>

class CEditData;

// What the quick undo (or redo) pop-up shows and does, without the widget:
// the action names newest first; choosing item k selects items 0..k, and OK
// undoes (or redoes) exactly those k + 1 actions.
class CQuickUndoList {
  public:
    enum class Kind { Undo, Redo };

    // Fills the list from the store's undo (or redo) history, newest first.
    void fill(const CEditData& store, Kind kind);
    void fill(std::vector<std::string> namesNewestFirst, Kind kind);

    Kind kind() const { return kind_; }
    const std::vector<std::string>& items() const { return items_; }

    // Showing selects the first item.
    void show() { select(0); }
    // Selects items 0..k (a k out of range counts as the nearest item).
    void select(int k);
    bool isSelected(int index) const { return index >= 0 && index < selected_; }
    int selectedCount() const { return selected_; }
    // "Undo %i actions" / "Redo %i actions" with the count, or "Cancel".
    const std::string& text() const { return text_; }

    // The n to give undo(n) or redo(n); -1 with nothing to do.
    int confirmedCount() const { return selected_ - 1; }
    // Runs OK on the store: undo or redo of the selected actions.
    bool confirm(CEditData& store) const;
    void cancel();

  private:
    Kind kind_ = Kind::Undo;
    std::vector<std::string> items_;
    int selected_ = 0;
    std::string text_;
};
