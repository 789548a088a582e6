#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "marks/DatamarkList.h"

// The menu a click on a datamark in the mark panel offers: one entry per
// association that names a datamark, to follow it.
struct AssociationMenuEntry {
    static constexpr int kFirstId = 1001;  // + the association's index

    int id = 0;
    std::string text;
    // This file's datamark the entry leads to; none for another file.
    std::optional<std::size_t> target;
};

// The entries for `datamark`, in association order: another file's
// datamark always; one of this file only when it is in `list`, shown and
// within the data (`dataSize`).
std::vector<AssociationMenuEntry> associationMenu(
    const CBmitemObj& datamark, const DatamarkList& list,
    const std::function<bool(const CBmitemObj&)>& shown, std::uint64_t dataSize);

// An association as the menu shows it: when its "#" stands at character 8
// or later, the first five characters, "..." and the rest from the "#".
std::string shortenedAssociation(std::string_view association);
