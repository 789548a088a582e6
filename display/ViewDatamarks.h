#pragma once

#include <vector>

#include "display/ViewState.h"
#include "marks/DatamarkLevels.h"
#include "marks/DatamarkList.h"

// The datamarks of one view as its mark panel keeps them: the list of the
// file, and the application's level table that decides which show.
class ViewDatamarks {
  public:
    DatamarkList& list() { return list_; }
    const DatamarkList& list() const { return list_; }

    // The table is the main frame's; nullptr draws levels 1..8 shown.
    void setLevels(const DatamarkLevels* levels) { levels_ = levels; }
    const DatamarkLevels* levels() const { return levels_; }
    bool isShown(const CBmitemObj& datamark) const;

    // One image per datamark of the list, in list order.
    std::vector<ViewState::DatamarkImage> images() const;

  private:
    DatamarkList list_;
    const DatamarkLevels* levels_ = nullptr;
};
