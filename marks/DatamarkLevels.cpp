#include "marks/DatamarkLevels.h"

#include <algorithm>

const CBmlevelObj* DatamarkLevels::level(int number) const {
    return number >= 1 && number <= count() ? &levels_[static_cast<std::size_t>(number - 1)]
                                            : nullptr;
}

bool DatamarkLevels::isShown(const CBmitemObj& datamark) const {
    const CBmlevelObj* shown = level(datamark.level);
    return shown != nullptr && shown->show;
}

int DatamarkLevels::imageOf(int levelNumber) {
    return std::clamp(levelNumber, 1, kImages) - 1;
}
