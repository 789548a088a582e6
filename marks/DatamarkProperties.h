#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "marks/CBmitemObj.h"

class CEditData;
class DatamarkList;
class DatamarkStore;

// The Datamark Properties dialog's fields and rules for one datamark,
// opened from a view (the validity check, the view's list for names) or
// from Edit Datamarks (the store for names).
class DatamarkProperties {
  public:
    explicit DatamarkProperties(const CBmitemObj& datamark);

    // The fields the dialog edits.
    bool normal;
    std::string name;
    std::string comment;
    int level;
    std::vector<std::string> associations;

    const CBmitemObj& original() const { return original_; }
    // A normal datamark cannot become an advanced one.
    bool normalEditable() const { return !original_.normalDatamark; }

    // Valid in the data: its position lies in the file, and a normal one
    // just marks it, an advanced one still finds its bytes there. `found`
    // gets the range to select (empty for a normal one).
    struct Validity {
        bool valid = false;
        std::uint64_t length = 0;
    };
    Validity validate(CEditData& data) const;

    // The checks of OK: the id of the message that refuses it, or 0.
    // `list` (opened from a view, the datamark itself at `self`) or `store`
    // (opened from Edit Datamarks) answers whether a new name is taken.
    int checkFromView(const DatamarkList& list, std::size_t self) const;
    int checkFromStore(const DatamarkStore& store) const;

    // The datamark with the fields copied back (a datamark made normal loses
    // its advanced-find strings).
    CBmitemObj accepted() const;
    bool renamed() const { return !sameMarkName(name, original_.name); }

  private:
    int checkCommon() const;
    CBmitemObj original_;
};
