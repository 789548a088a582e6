#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "marks/CBmitemObj.h"

class DatamarkList;

// The association list of the Define Datamark and Datamark Properties
// dialogs: strings added once (ignoring case), removed, and moved one place
// with wrap-around.
class AssociationList {
  public:
    // Shown when the chosen datamark is associated already.
    static constexpr int kAlreadyAssociated = 2002;

    explicit AssociationList(std::vector<std::string> entries = {})
        : entries_(std::move(entries)) {}
    const std::vector<std::string>& entries() const { return entries_; }

    // Appends; false when an equal entry (ignoring case) is there.
    bool add(std::string association);
    void remove(std::size_t index);
    // One place up (direction < 0) or down; the first goes up to the end and
    // the last down to the start. Returns the entry's new index.
    std::size_t move(std::size_t index, int direction);

  private:
    std::vector<std::string> entries_;
};

// The association string for a chosen datamark: "#" + name for the
// datamark's own file (no path, or `ownPath`), else path + "#" + name.
std::string associationFor(std::string_view chosenPath, std::string_view name,
                           std::string_view ownPath);

// What the association chooser lists: the current file's datamarks, then
// (across files) every other stored file's, each group in store order; the
// datamark being edited is left out.
struct ChooserGroup {
    std::string path;  // empty for "Current Editing File"
    std::vector<CBmitemObj> datamarks;
};
std::vector<ChooserGroup> chooserContents(const DatamarkList& current, std::string_view currentPath,
                                          std::string_view editedName,
                                          const std::vector<CBmitemObj>& stored, bool acrossFiles);
