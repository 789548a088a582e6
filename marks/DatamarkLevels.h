#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "marks/CBmitemObj.h"

// One level of datamarks: its name, its image and whether its datamarks show.
struct CBmlevelObj {
    std::string name;
    int image = 0;  // 0..8: levels 1 to 8 have their own, 9 and above share the ninth
    bool show = true;

    bool operator==(const CBmlevelObj&) const = default;
};

// The application's level table: N levels, N the "Level Number" setting
// held to 8..32.
class DatamarkLevels {
  public:
    static constexpr int kMinLevels = 8;
    static constexpr int kMaxLevels = 32;
    static constexpr int kImages = 9;

    DatamarkLevels() = default;
    explicit DatamarkLevels(std::vector<CBmlevelObj> levels) : levels_(std::move(levels)) {}

    int count() const { return static_cast<int>(levels_.size()); }
    // By level number, 1-based; nullptr outside 1..count().
    const CBmlevelObj* level(int number) const;
    const std::vector<CBmlevelObj>& all() const { return levels_; }

    // 1 <= level <= N and the level is shown.
    bool isShown(const CBmitemObj& datamark) const;
    static int imageOf(int levelNumber);
    // The colour (0x00BBGGRR) and label of each of the nine level images.
    static std::uint32_t imageColour(int image);
    static std::string imageLabel(int image);

  private:
    std::vector<CBmlevelObj> levels_;
};
