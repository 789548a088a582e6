#pragma once

#include <optional>
#include <string>

// The frame's placement as "Settings"/"WindowPos" keeps it: ten numbers
// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d" (flags, show command, minimised x and y,
// maximised x and y, normal left, top, right, bottom).
struct WindowPlacement {
    static constexpr unsigned kRestoreToMaximized = 2;
    static constexpr unsigned kShowNormal = 1;
    static constexpr unsigned kShowMaximized = 3;

    unsigned flags = 0;
    unsigned showCommand = kShowNormal;
    int minX = -1;
    int minY = -1;
    int maxX = -1;
    int maxY = -1;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // nullopt unless the text holds exactly ten numbers.
    static std::optional<WindowPlacement> parse(const std::string& text);
    std::string format() const;
    bool isMaximized() const {
        return showCommand == kShowMaximized || (flags & kRestoreToMaximized) != 0;
    }
};
