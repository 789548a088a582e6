#include "display/CellGeometry.h"

#include <algorithm>

int CellGeometry::usedCellsPerLine() const {
    const int remainder = lineWidth_ % unit_;
    if (remainder == 0) {
        return cellsPerLine();
    }
    return cellsPerLine() - (cellsPerUnit() - cellsPerUnit() * remainder / unit_);
}

std::uint64_t CellGeometry::lineCount() const {
    const std::uint64_t span = dataSize_ + static_cast<std::uint64_t>(indent_);
    return (span + static_cast<std::uint64_t>(lineWidth_) - 1) /
           static_cast<std::uint64_t>(lineWidth_);
}

std::uint64_t CellGeometry::byteToCell(std::uint64_t offset) const {
    const std::uint64_t p = offset + static_cast<std::uint64_t>(indent_);
    const std::uint64_t line = p / static_cast<std::uint64_t>(lineWidth_);
    const auto k = static_cast<std::uint64_t>(p % static_cast<std::uint64_t>(lineWidth_));
    const auto unit = static_cast<std::uint64_t>(unit_);
    return line * static_cast<std::uint64_t>(cellsPerLine()) +
           static_cast<std::uint64_t>(cellsPerUnit()) * (k / unit) +
           static_cast<std::uint64_t>(byteStep()) * (k % unit);
}

std::uint64_t CellGeometry::cellToByte(std::uint64_t cell) const {
    const auto perLine = static_cast<std::uint64_t>(cellsPerLine());
    const auto perUnit = static_cast<std::uint64_t>(cellsPerUnit());
    const std::uint64_t line = cell / perLine;
    const std::uint64_t e = cell % perLine;
    const std::uint64_t within = (e % perUnit) / static_cast<std::uint64_t>(byteStep());
    const std::uint64_t b = static_cast<std::uint64_t>(unit_) * (e / perUnit) + within;
    const std::uint64_t result = static_cast<std::uint64_t>(lineWidth_) * line +
                                 std::min<std::uint64_t>(static_cast<std::uint64_t>(lineWidth_), b);
    // With an empty file the indent is not taken off.
    if (dataSize_ == 0) {
        return result;
    }
    const auto indent = static_cast<std::uint64_t>(indent_);
    return result < indent ? 0 : result - indent;
}

std::uint64_t CellGeometry::visibleCell(std::uint64_t cell) const {
    const auto perLine = static_cast<std::uint64_t>(cellsPerLine());
    const auto perUnit = static_cast<std::uint64_t>(cellsPerUnit());
    if (panel_ == Panel::Hex && cell % perLine % perUnit == perUnit - 1 && cell > 0) {
        return cell - 1;
    }
    return cell;
}

std::uint64_t CellGeometry::unitStartCell(std::uint64_t cell) const {
    const auto perLine = static_cast<std::uint64_t>(cellsPerLine());
    const auto perUnit = static_cast<std::uint64_t>(cellsPerUnit());
    return perLine * (cell / perLine) + perUnit * ((cell % perLine) / perUnit);
}

CellGeometry::ColumnLine CellGeometry::offsetToColumnLine(std::uint64_t offset) const {
    const std::uint64_t p = offset + static_cast<std::uint64_t>(indent_);
    const auto width = static_cast<std::uint64_t>(lineWidth_);
    const auto k = static_cast<std::int64_t>(p % width);
    return {(k + unit_ - 1) / unit_, p / width};
}

std::int64_t CellGeometry::columnLineToOffset(std::int64_t column, std::uint64_t line) const {
    return static_cast<std::int64_t>(line) * lineWidth_ + unit_ * column - indent_;
}

bool CellGeometry::isValidBlock(std::uint64_t firstLine, std::uint64_t lastLine,
                                std::int64_t firstColumn, std::int64_t lastColumn) const {
    const std::int64_t topLeft =
        static_cast<std::int64_t>(firstLine) * lineWidth_ + firstColumn * unit_;
    const std::int64_t bottomRight =
        static_cast<std::int64_t>(lastLine) * lineWidth_ + lastColumn * unit_;
    return topLeft >= indent_ && bottomRight <= static_cast<std::int64_t>(dataSize_);
}

ContentPoint cellToPoint(const CellGeometry& cells, const PixelGeometry& pixels,
                         std::uint64_t cell) {
    const auto perLine = static_cast<std::uint64_t>(cells.cellsPerLine());
    return {pixels.left + static_cast<std::int64_t>(cell % perLine) * pixels.charWidth,
            pixels.top + static_cast<std::int64_t>(cell / perLine) * pixels.lineHeight};
}

std::int64_t pointToCell(const CellGeometry& cells, const PixelGeometry& pixels,
                         ContentPoint point) {
    if (point.x < pixels.left || point.y < pixels.top) {
        return -1;
    }
    return ((point.y - pixels.top) / pixels.lineHeight) * cells.cellsPerLine() +
           (point.x - pixels.left) / pixels.charWidth;
}

int pointToUnitColumn(const CellGeometry& cells, const PixelGeometry& pixels, std::int64_t x,
                      int panelWidth) {
    if (x < pixels.left || x >= panelWidth - pixels.right) {
        return -1;
    }
    return static_cast<int>((x - pixels.left) / (cells.cellsPerUnit() * pixels.charWidth));
}

std::int64_t pointToLine(const PixelGeometry& pixels, std::int64_t y, std::int64_t contentHeight) {
    if (y < pixels.top || y >= contentHeight - pixels.bottom) {
        return -1;
    }
    return (y - pixels.top) / pixels.lineHeight;
}
