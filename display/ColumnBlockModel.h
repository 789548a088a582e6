#pragma once

#include <cstdint>

#include "display/CellGeometry.h"
#include "display/ViewState.h"

// A column block as the user makes it: an anchor corner where it began and
// a current corner that moves, each a display line and a unit column. The
// current corner is held to the layout: inside the lines and the unit
// columns, right of the first line's indent, and on the last line left of
// the data's end.
class ColumnBlockModel {
  public:
    struct Corner {
        std::int64_t line = 0;
        std::int64_t column = 0;
        bool operator==(const Corner&) const = default;
    };

    // A block that begins, and for now ends, at `anchor`.
    void start(Corner anchor) { anchor_ = corner_ = anchor; }
    // Takes a block as given (its top-left corner the anchor), as when the
    // view is told its selection.
    void adopt(const Selection& block) {
        anchor_ = {static_cast<std::int64_t>(block.firstLine), block.firstColumn};
        corner_ = {static_cast<std::int64_t>(block.lastLine), block.lastColumn};
    }
    // Moves the current corner (held to the layout of the hex panel's
    // `cells`) and returns the offset of its first byte, where the caret goes.
    std::uint64_t moveCorner(Corner to, const CellGeometry& cells);
    // After a unit change: the columns take their byte positions in the new
    // unit (`width` the line width) and the block is anchored anew at its
    // top-left corner.
    void changeUnit(int oldUnit, int newUnit, int width);

    Corner anchor() const { return anchor_; }
    Corner corner() const { return corner_; }
    // The block normalised, as it is painted and operated on.
    Selection selection() const;

  private:
    Corner anchor_;
    Corner corner_;
};
