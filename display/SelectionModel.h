#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "display/CPresentation.h"
#include "display/CellGeometry.h"
#include "display/ColumnBlockModel.h"
#include "display/ViewState.h"
#include "editdata/EditDataTypes.h"

// The selection of a view as the user makes it: nothing, a byte range with
// the end where it was anchored, or a column block with its anchor corner.
// It shapes the selection the view paints (`shown`) and answers what the
// commands ask of it: the range, the block as the store's geometry, the
// bytes it holds. Positions and layout come in as values; the caret is the
// view's.
class SelectionModel {
  public:
    using Corner = ColumnBlockModel::Corner;

    explicit SelectionModel(Selection& shown) : shown_(shown) {}
    SelectionModel(const SelectionModel&) = delete;
    SelectionModel& operator=(const SelectionModel&) = delete;

    const Selection& current() const { return shown_; }
    bool isRange() const { return shown_.kind == Selection::Kind::Range; }
    bool isBlock() const { return shown_.kind == Selection::Kind::Block; }
    bool isEmpty() const { return shown_.kind == Selection::Kind::None; }

    // Nothing selected. True when something was.
    bool clear();

    // ------------------------------------------------------------ ranges
    // A range anchored at `anchor` whose other end is `end` (the two may be
    // equal: a selection being started).
    void anchorRange(std::uint64_t anchor, std::uint64_t end);
    // Moves the free end of the anchored range; false when no range is anchored.
    bool extendRange(std::uint64_t end);
    // The anchored end of the range, when a range was anchored.
    std::optional<std::uint64_t> anchor() const;
    // The end of the range that an extending key moves.
    std::optional<std::uint64_t> movingEnd() const;
    // The range [start, end), when the selection is a range.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> range() const;

    // ------------------------------------------------------------ blocks
    // A block that begins, and for now ends, at `at`.
    void startBlock(Corner at);
    // Moves the block's current corner, held to the layout of `cells`;
    // returns the offset where the caret goes.
    std::uint64_t moveBlockCorner(Corner to, const CellGeometry& cells);
    Corner blockAnchor() const { return block_.anchor(); }
    Corner blockCorner() const { return block_.corner(); }

    // Takes a selection as given; a block is anchored at its top-left corner.
    void adopt(const Selection& selection);

    // After the data unit changed from `oldUnit` to `newUnit` (`width` the
    // line width): a range and its anchor are rounded down to units (an
    // empty range goes); a block takes the columns of its byte positions in
    // the new unit and is anchored anew at its top-left corner.
    void changeUnit(int oldUnit, int newUnit, int width);

    // ------------------------------------------------------------ measures
    // The bytes selected, as the "Len:" field shows them: a range's length,
    // or a block's rows times the bytes of a row within the line.
    std::uint64_t length(const CPresentation& layout) const;
    // The block as the store's geometry: byte columns from the first unit's
    // first byte to the last unit's last byte (within the line).
    std::optional<::ColumnBlock> blockGeometry(const CPresentation& layout) const;
    // Where the selection starts and how many bytes deleting it removes.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> extent(
        const CPresentation& layout) const;
    // A range without bytes, or a block that holds no data, is not kept when
    // a mouse selection ends.
    bool isVoid(const CellGeometry& cells) const;

  private:
    Selection& shown_;
    std::optional<std::uint64_t> anchor_;  // the anchored end of a range
    ColumnBlockModel block_;
};
