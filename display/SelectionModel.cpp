#include "display/SelectionModel.h"

#include <algorithm>

bool SelectionModel::clear() {
    anchor_.reset();
    if (shown_.kind == Selection::Kind::None) {
        return false;
    }
    shown_ = {};
    return true;
}

void SelectionModel::anchorRange(std::uint64_t anchor, std::uint64_t end) {
    anchor_ = anchor;
    shown_ = Selection::range(anchor, end);
}

bool SelectionModel::extendRange(std::uint64_t end) {
    if (!anchor_) {
        return false;
    }
    shown_ = Selection::range(*anchor_, end);
    return true;
}

std::optional<std::uint64_t> SelectionModel::anchor() const {
    return isRange() ? anchor_ : std::nullopt;
}

std::optional<std::uint64_t> SelectionModel::movingEnd() const {
    if (!isRange() || !anchor_) {
        return std::nullopt;
    }
    return *anchor_ == shown_.start ? shown_.end : shown_.start;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> SelectionModel::range() const {
    if (!isRange()) {
        return std::nullopt;
    }
    return std::pair{shown_.start, shown_.end};
}

void SelectionModel::startBlock(Corner at) {
    anchor_.reset();
    block_.start(at);
    shown_ = block_.selection();
}

std::uint64_t SelectionModel::moveBlockCorner(Corner to, const CellGeometry& cells) {
    const std::uint64_t offset = block_.moveCorner(to, cells);
    shown_ = block_.selection();
    return offset;
}

void SelectionModel::adopt(const Selection& selection) {
    shown_ = selection;
    anchor_.reset();
    if (selection.kind == Selection::Kind::Block) {
        block_.adopt(selection);
    } else if (selection.kind == Selection::Kind::Range) {
        anchor_ = selection.start;
    }
}

void SelectionModel::changeUnit(int oldUnit, int newUnit, int width) {
    const auto unit = static_cast<std::uint64_t>(newUnit);
    if (isRange()) {
        const std::uint64_t start = shown_.start / unit * unit;
        const std::uint64_t end = shown_.end / unit * unit;
        if (start == end) {
            clear();
            return;
        }
        // The anchor stays the end it was, so the next extending key moves the other.
        const bool anchoredAtStart = !anchor_ || *anchor_ == shown_.start;
        shown_ = Selection::range(start, end);
        anchor_ = anchoredAtStart ? start : end;
    } else if (isBlock()) {
        block_.changeUnit(oldUnit, newUnit, width);
        shown_ = block_.selection();
    }
}

std::uint64_t SelectionModel::length(const CPresentation& layout) const {
    if (isRange()) {
        return shown_.end - shown_.start;
    }
    if (!isBlock()) {
        return 0;
    }
    const std::int64_t unit = layout.unit();
    const std::int64_t width = layout.lineWidth();
    const std::int64_t bytes =
        std::min(unit * (shown_.lastColumn + 1) - 1, width - 1) - unit * shown_.firstColumn + 1;
    return (shown_.lastLine - shown_.firstLine + 1) *
           static_cast<std::uint64_t>(std::max<std::int64_t>(bytes, 0));
}

std::optional<::ColumnBlock> SelectionModel::blockGeometry(const CPresentation& layout) const {
    if (!isBlock()) {
        return std::nullopt;
    }
    const int unit = layout.unit();
    const int width = layout.lineWidth();
    ::ColumnBlock block;
    block.lineWidth = width;
    block.indent = layout.indent();
    block.firstLine = static_cast<std::int32_t>(shown_.firstLine);
    block.lastLine = static_cast<std::int32_t>(shown_.lastLine);
    block.firstColumn = shown_.firstColumn * unit;
    block.lastColumn = std::min((shown_.lastColumn + 1) * unit - 1, width - 1);
    block.count = length(layout);
    return block;
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> SelectionModel::extent(
    const CPresentation& layout) const {
    if (const auto selected = range()) {
        return std::pair{selected->first, selected->second - selected->first};
    }
    if (const auto block = blockGeometry(layout)) {
        const std::int64_t first =
            std::int64_t{block->firstLine} * block->lineWidth + block->firstColumn - block->indent;
        return std::pair{static_cast<std::uint64_t>(std::max<std::int64_t>(first, 0)),
                         length(layout)};
    }
    return std::nullopt;
}

bool SelectionModel::isVoid(const CellGeometry& cells) const {
    return (isRange() && shown_.start == shown_.end) ||
           (isBlock() && !cells.isValidBlock(shown_.firstLine, shown_.lastLine, shown_.firstColumn,
                                             shown_.lastColumn));
}
