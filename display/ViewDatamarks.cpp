#include "display/ViewDatamarks.h"

bool ViewDatamarks::isShown(const CBmitemObj& datamark) const {
    if (levels_ != nullptr) {
        return levels_->isShown(datamark);
    }
    return datamark.level >= 1 && datamark.level <= DatamarkLevels::kMinLevels;
}

std::vector<ViewState::DatamarkImage> ViewDatamarks::images() const {
    std::vector<ViewState::DatamarkImage> images;
    images.reserve(list_.size());
    for (const CBmitemObj& datamark : list_.items()) {
        images.push_back({datamark.position,
                          viewimage::kDatamarkLevelBase + DatamarkLevels::imageOf(datamark.level),
                          isShown(datamark)});
    }
    return images;
}
