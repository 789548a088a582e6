#include "marks/StoredDatamarkEdits.h"

#include <set>

#include "marks/DatamarkList.h"
#include "marks/DatamarkStore.h"

bool followStoredEdits(DatamarkList& list, const StoredDatamarkEdits& edits,
                       const DatamarkStore& store) {
    if (!edits.changed) {
        return false;
    }
    bool changed = false;
    for (std::size_t i = list.size(); i-- > 0;) {
        const CBmitemObj& datamark = list.at(i);
        for (const auto& gone : edits.deleted) {
            if (datamark.filePath == gone.path && sameMarkName(datamark.name, gone.name)) {
                list.removeAt(i);
                changed = true;
                break;
            }
        }
    }
    for (CBmitemObj& datamark : list.items()) {
        for (const auto& rename : edits.renamed) {
            if (datamark.filePath == rename.path && sameMarkName(datamark.name, rename.oldName)) {
                datamark.name = rename.newName;
                changed = true;
            }
        }
        if (datamark.filePath.empty()) {
            continue;
        }
        if (auto stored = store.reloadDatamark(datamark.filePath, datamark.name)) {
            if (!(*stored == datamark)) {
                datamark = std::move(*stored);
                changed = true;
            }
        }
    }
    return changed;
}

std::vector<InexistentAssociation> findInexistentAssociations(
    const std::vector<CBmitemObj>& stored) {
    std::set<std::pair<std::string, std::string>> existing;
    for (const CBmitemObj& datamark : stored) {
        existing.emplace(datamark.filePath, foldedMarkName(datamark.name));
    }
    std::vector<InexistentAssociation> rows;
    for (const CBmitemObj& source : stored) {
        for (const std::string& association : source.associations) {
            const auto hash = association.rfind('#');
            if (hash == std::string::npos) {
                continue;
            }
            std::string path = association.substr(0, hash);
            if (path.empty()) {
                path = source.filePath;
            }
            const std::string name = association.substr(hash + 1);
            if (existing.count({path, foldedMarkName(name)}) == 0) {
                rows.push_back({path + "#" + name, source.filePath + "#" + source.name});
            }
        }
    }
    return rows;
}
