#include "display/ColumnBlockModel.h"

#include <algorithm>

std::uint64_t ColumnBlockModel::moveCorner(Corner to, const CellGeometry& cells) {
    const auto lines = static_cast<std::int64_t>(cells.lineCount());
    const std::int64_t firstDataColumn = cells.indent() / cells.unit();
    to.line = std::clamp<std::int64_t>(to.line, 0, std::max<std::int64_t>(0, lines - 1));
    to.column = std::clamp<std::int64_t>(to.column, 0, cells.unitsPerLine() - 1);
    if (to.line == 0) {
        to.column = std::max(to.column, firstDataColumn);
    }
    if (to.line == lines - 1 && cells.dataSize() > 0) {
        // On the last line the column stays on data.
        to.column = std::min(to.column, cells.offsetToColumnLine(cells.dataSize() - 1).column);
    }
    corner_ = to;
    const std::int64_t offset =
        cells.columnLineToOffset(corner_.column, static_cast<std::uint64_t>(corner_.line));
    return static_cast<std::uint64_t>(std::max<std::int64_t>(0, offset));
}

void ColumnBlockModel::changeUnit(int oldUnit, int newUnit, int width) {
    const Selection block = selection();
    const auto column = [&](int old) {
        return static_cast<std::int64_t>(std::min(oldUnit * old, width - 1) / newUnit);
    };
    const std::int64_t first = column(block.firstColumn);
    const std::int64_t last = column(block.lastColumn);
    anchor_ = {static_cast<std::int64_t>(block.firstLine), std::min(first, last)};
    corner_ = {static_cast<std::int64_t>(block.lastLine), std::max(first, last)};
}

Selection ColumnBlockModel::selection() const {
    return Selection::block(static_cast<std::uint64_t>(std::min(anchor_.line, corner_.line)),
                            static_cast<std::uint64_t>(std::max(anchor_.line, corner_.line)),
                            static_cast<int>(std::min(anchor_.column, corner_.column)),
                            static_cast<int>(std::max(anchor_.column, corner_.column)));
}
