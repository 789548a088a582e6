#pragma once

#include "display/CHexPanel.h"
#include "search/FindTool.h"

// The find and replace steps' view of a hex panel.
class PanelSearchView : public SearchView {
  public:
    explicit PanelSearchView(CHexPanel& panel) : panel_(panel) {}

    CEditData& searchedData() override { return panel_.data(); }
    std::uint64_t caretOffset() override { return panel_.caretOffset(); }
    std::optional<std::pair<std::uint64_t, std::uint64_t>> rangeSelection() override {
        return panel_.getSelection();
    }
    bool hasSelection() override { return panel_.hasSelection(); }
    void selectMatch(std::uint64_t offset, std::uint64_t length) override {
        panel_.selectMatch(offset, length);
    }
    void markLineOf(std::uint64_t offset) override {
        panel_.linemarks().add(panel_.lineOf(offset));
    }
    void clearSelection() override { panel_.clearSelection(); }

  private:
    CHexPanel& panel_;
};
