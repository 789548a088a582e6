#include "app/WindowPlacement.h"

#include <cstdio>

std::optional<WindowPlacement> WindowPlacement::parse(const std::string& text) {
    WindowPlacement p;
    int consumed = 0;
    const int read = std::sscanf(text.c_str(), "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d%n", &p.flags,
                                 &p.showCommand, &p.minX, &p.minY, &p.maxX, &p.maxY, &p.left,
                                 &p.top, &p.right, &p.bottom, &consumed);
    if (read != 10 || static_cast<std::size_t>(consumed) != text.size()) {
        return std::nullopt;
    }
    return p;
}

std::string WindowPlacement::format() const {
    char text[160];
    std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", flags, showCommand, minX,
                  minY, maxX, maxY, left, top, right, bottom);
    return text;
}
