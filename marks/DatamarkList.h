#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "marks/CBmitemObj.h"

// The datamarks of one view's file, in definition order, with the one last
// navigated to and whether the list was loaded for a path.
class DatamarkList {
  public:
    const std::vector<CBmitemObj>& items() const { return items_; }
    std::vector<CBmitemObj>& items() { return items_; }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const CBmitemObj& at(std::size_t index) const { return items_.at(index); }
    CBmitemObj& at(std::size_t index) { return items_.at(index); }

    void append(CBmitemObj datamark) { items_.push_back(std::move(datamark)); }
    // Removes the datamark at `index`; the current datamark follows its record.
    void removeAt(std::size_t index);
    void clear();
    // The index of the datamark with this name (ignoring case).
    std::optional<std::size_t> find(std::string_view name) const;

    std::optional<std::size_t> currentDatamark() const { return current_; }
    void setCurrentDatamark(std::optional<std::size_t> index) { current_ = index; }

    bool loaded() const { return loaded_; }
    void setLoaded(bool loaded) { loaded_ = loaded; }

  private:
    std::vector<CBmitemObj> items_;
    std::optional<std::size_t> current_;
    bool loaded_ = false;
};
