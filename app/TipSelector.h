#pragma once

#include <cstddef>
#include <vector>

// Which tip of the day comes next: from a random start, the first tip not yet
// shown at or after it, else the nearest not shown before it; when every tip
// has been shown they all count as unshown again.
class TipSelector {
  public:
    explicit TipSelector(std::size_t count) : shown_(count, false) {}

    // The index of the tip to show for a start index, marked as shown.
    std::size_t next(std::size_t start);
    std::size_t count() const { return shown_.size(); }

  private:
    std::vector<bool> shown_;
};
