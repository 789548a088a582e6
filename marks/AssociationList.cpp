#include "marks/AssociationList.h"

#include <algorithm>

#include "marks/DatamarkList.h"

bool AssociationList::add(std::string association) {
    if (std::any_of(entries_.begin(), entries_.end(),
                    [&](const std::string& entry) { return sameMarkName(entry, association); })) {
        return false;
    }
    entries_.push_back(std::move(association));
    return true;
}

void AssociationList::remove(std::size_t index) {
    if (index < entries_.size()) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

std::size_t AssociationList::move(std::size_t index, int direction) {
    const std::size_t n = entries_.size();
    if (index >= n || n < 2) {
        return index;
    }
    std::string entry = std::move(entries_[index]);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    std::size_t to = 0;
    if (direction < 0) {
        to = index == 0 ? n - 1 : index - 1;
    } else {
        to = index == n - 1 ? 0 : index + 1;
    }
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(to), std::move(entry));
    return to;
}

std::string associationFor(std::string_view chosenPath, std::string_view name,
                           std::string_view ownPath) {
    if (chosenPath.empty() || chosenPath == ownPath) {
        return "#" + std::string(name);
    }
    return std::string(chosenPath) + "#" + std::string(name);
}

std::vector<ChooserGroup> chooserContents(const DatamarkList& current, std::string_view currentPath,
                                          std::string_view editedName,
                                          const std::vector<CBmitemObj>& stored, bool acrossFiles) {
    std::vector<ChooserGroup> groups(1);
    for (const CBmitemObj& datamark : current.items()) {
        if (!sameMarkName(datamark.name, editedName)) {
            groups.front().datamarks.push_back(datamark);
        }
    }
    if (!acrossFiles) {
        return groups;
    }
    for (const CBmitemObj& datamark : stored) {
        if (datamark.filePath == currentPath) {
            continue;
        }
        if (groups.size() == 1 || groups.back().path != datamark.filePath) {
            groups.push_back({datamark.filePath, {}});
        }
        groups.back().datamarks.push_back(datamark);
    }
    return groups;
}
