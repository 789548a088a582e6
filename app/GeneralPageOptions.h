#pragma once

#include <cstdint>
#include <string>

class CSettings;

// The "General" options page without its widgets: four switches and the
// work and temporary folders.
struct GeneralPageOptions {
    bool multipleInstances = true;
    bool autoReleaseClipboard = false;
    bool ignoreFloppyDrives = true;
    bool monitorFileChanges = false;
    std::string workFolder;
    // Empty while the system temporary folder is used; it is shown then,
    // and stays empty unless the user picks a folder.
    std::string tempFolder;
    // A stored work folder that was empty or gone is shown as the current
    // folder, and the page counts as changed.
    bool changedOnLoad = false;

    static GeneralPageOptions load(const CSettings& settings, const std::string& currentFolder);
    // Writes the switches, and each folder that is not empty.
    void store(CSettings& settings) const;
};

// What the page shows under a folder: "File System: %s" (1456) and
// "Free Space: %i MB" (1457); and whether files may be kept there.
struct FolderFacts {
    std::string fileSystemText;
    std::string freeSpaceText;
    bool usable = false;
};
FolderFacts folderFacts(const std::string& folder);
