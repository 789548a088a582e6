#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/OptionFields.h"

class CSettings;

// The "Edit" options page without its widgets.
struct EditPageOptions {
    bool showProgress = true;
    bool overwriteWarn = true;
    bool isInsert = false;
    bool useRand = false;
    int writeType = 0;  // "Write bytes to source" .. "Not source data"
    // The fields as shown: "Max Undo Level", "Max Copy Size", "Overwrite
    // Size", "Init Length", "Init Data", with their ranges.
    std::array<NumberField, 5> fields;
    // A stored "Write Type" above 5 was shown as the first entry.
    bool changedOnLoad = false;

    static EditPageOptions load(const CSettings& settings);
    // Writes every value; the fields must have passed firstBadField.
    void store(CSettings& settings) const;
};

// The "File" options page without its widgets.
struct FilePageOptions {
    bool dragDrop = true;
    bool maximizeFrame = true;
    bool openReadOnly = false;
    bool createAtStartup = false;
    bool createDirectly = false;
    int addressType = 0;  // "Default Address", "Display Address", "Data Address"
    // "Number of MRFs on File Menu" (4..16), "Maximal Direct Edit Size(KB)"
    // (1024..1048576), "Data Length" (0..1024000000), "Initial Byte" (0..255).
    std::array<NumberField, 4> fields;

    static FilePageOptions load(const CSettings& settings);
    // Writes the values; the recent-file count only when within 4..10, the
    // direct edit size in bytes.
    void store(CSettings& settings) const;
};
