#pragma once

#include <string>
#include <vector>

// One folder's entries as the workspace shows them: the sub-folders sorted
// by name without case, each knowing whether it holds anything, then the
// other entries sorted the same way. Names keep their bytes.
struct FolderListing {
    struct Entry {
        std::string name;
        bool folder = false;
        bool hasChildren = false;  // a folder that is not empty
    };
    std::vector<Entry> entries;

    // False when the folder cannot be listed (gone, not a folder, no
    // permission); what was read before an error in the middle is kept.
    static bool list(const std::string& path, FolderListing& out);
};

// The order of names in the workspace: without case (ASCII), then by bytes.
bool workspaceNameLess(const std::string& a, const std::string& b);
// `folder` + "/" + `name`, without doubling the slash of "/".
std::string joinPath(const std::string& folder, const std::string& name);
