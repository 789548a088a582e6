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

std::uint32_t DatamarkLevels::imageColour(int image) {
    static constexpr std::uint32_t kColours[kImages] = {
        0x000000E0, 0x000080FF, 0x0000C0C0, 0x0000A000, 0x00C0A000,
        0x00FF4000, 0x00C000A0, 0x00808080, 0x00404040,
    };
    return kColours[std::clamp(image, 0, kImages - 1)];
}

std::string DatamarkLevels::imageLabel(int image) {
    return image >= kImages - 1 ? "+" : std::to_string(image + 1);
}
