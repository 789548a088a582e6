#pragma once

#include <string>
#include <vector>

#include "marks/CBmitemObj.h"

class DatamarkList;
class DatamarkStore;

// What the Edit Datamarks window changed in the store: deletions and
// renames, by path and name, so open views' lists can follow.
struct StoredDatamarkEdits {
    struct Deleted {
        std::string path;
        std::string name;
    };
    struct Renamed {
        std::string path;
        std::string oldName;
        std::string newName;
    };
    std::vector<Deleted> deleted;
    std::vector<Renamed> renamed;
    bool changed = false;
};

// An open view's list after the window closed with changes: deleted
// datamarks leave it, renamed ones take their new names, and every datamark
// is read again from the store (by path and name). True when anything in
// the list changed.
bool followStoredEdits(DatamarkList& list, const StoredDatamarkEdits& edits,
                       const DatamarkStore& store);

// One row of the consistency check: an association to a datamark that is
// not stored ("path#name" of the target and of the source).
struct InexistentAssociation {
    std::string target;
    std::string source;
    bool operator==(const InexistentAssociation&) const = default;
};
// Every association holding "#" whose target no stored datamark is: the
// target path is the text before the last "#" (the source's own path when
// that is empty), the name the text after it.
std::vector<InexistentAssociation> findInexistentAssociations(
    const std::vector<CBmitemObj>& stored);
