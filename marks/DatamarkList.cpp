#include "marks/DatamarkList.h"

void DatamarkList::removeAt(std::size_t index) {
    if (index >= items_.size()) {
        return;
    }
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    if (current_ == index) {
        current_.reset();
    } else if (current_ && *current_ > index) {
        --*current_;
    }
}

void DatamarkList::clear() {
    items_.clear();
    current_.reset();
}

std::optional<std::size_t> DatamarkList::find(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (sameMarkName(items_[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}
