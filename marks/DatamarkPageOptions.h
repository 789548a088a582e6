#pragma once

#include <vector>

#include "marks/DatamarkLevels.h"
#include "marks/DatamarkStore.h"

class CSettings;

// The "Datamark" options page without its widgets: the navigation order,
// the four switches and one row per level.
struct DatamarkPageOptions {
    DatamarkOptions options;
    std::vector<CBmlevelObj> levels;

    static DatamarkPageOptions load(const CSettings& settings, const DatamarkLevels& table);
    // Writes the switches, "Level Number" and the levels as one write.
    bool apply(DatamarkStore& store) const;
};
