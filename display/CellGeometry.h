#pragma once

#include <cstdint>

// The layout of bytes in display lines of one data panel: line width bytes
// per line, grouped into units, the first line shifted right by the indent.
// A position in a panel is a cell index counted row by row from the first
// cell of the first line; the hex panel has two cells per byte and one
// separator cell after each unit, the character panel one cell per byte.
// Offsets, cells and lines are 64-bit, so a file of any size is reachable.
class CellGeometry {
  public:
    enum class Panel { Hex, Character };

    CellGeometry(Panel panel, int lineWidth, int indent, int unit, std::uint64_t dataSize)
        : panel_(panel), lineWidth_(lineWidth), indent_(indent), unit_(unit), dataSize_(dataSize) {}

    Panel panel() const { return panel_; }
    int lineWidth() const { return lineWidth_; }
    int indent() const { return indent_; }
    int unit() const { return unit_; }
    std::uint64_t dataSize() const { return dataSize_; }
    // Whether the parameters can be drawn at all (a panel refuses the others).
    bool isUsable() const {
        return lineWidth_ > 0 && unit_ > 0 && unit_ <= lineWidth_ && indent_ >= 0 &&
               indent_ < lineWidth_;
    }

    int unitsPerLine() const { return (lineWidth_ + unit_ - 1) / unit_; }
    int cellsPerUnit() const { return panel_ == Panel::Hex ? 2 * unit_ + 1 : unit_; }
    // The hex panel's last separator is not counted.
    int cellsPerLine() const {
        return cellsPerUnit() * unitsPerLine() - (panel_ == Panel::Hex ? 1 : 0);
    }
    // Cells per line without the empty tail of a partial last unit.
    int usedCellsPerLine() const;
    int byteStep() const { return panel_ == Panel::Hex ? 2 : 1; }
    // Display lines: ceil((data size + indent) / line width).
    std::uint64_t lineCount() const;

    std::uint64_t byteToCell(std::uint64_t offset) const;
    // A unit's separator cell gives the first byte of the next unit.
    std::uint64_t cellToByte(std::uint64_t cell) const;
    // The cell the caret shows on: a separator cell shows on the cell before it.
    std::uint64_t visibleCell(std::uint64_t cell) const;
    // The first cell of the unit that holds `cell`.
    std::uint64_t unitStartCell(std::uint64_t cell) const;

    // Column blocks, in unit columns and display lines.
    struct ColumnLine {
        std::int64_t column;
        std::uint64_t line;
    };
    ColumnLine offsetToColumnLine(std::uint64_t offset) const;
    std::int64_t columnLineToOffset(std::int64_t column, std::uint64_t line) const;
    // Valid when the top-left display position is not below the indent and
    // the bottom-right one does not pass the data size.
    bool isValidBlock(std::uint64_t firstLine, std::uint64_t lastLine, std::int64_t firstColumn,
                      std::int64_t lastColumn) const;

  private:
    Panel panel_;
    int lineWidth_;
    int indent_;
    int unit_;
    std::uint64_t dataSize_;
};

// Where cells are drawn: the panel's margins, line height and character width.
struct PixelGeometry {
    int left = 8;
    int top = 4;
    int right = 8;
    int bottom = 16;
    int lineHeight = 16;
    int charWidth = 8;
};

// A point in a panel's content: x in pixels, y in pixels from the first
// line (64-bit, since lines x line height passes 31 bits for large files).
struct ContentPoint {
    std::int64_t x;
    std::int64_t y;
};

ContentPoint cellToPoint(const CellGeometry& cells, const PixelGeometry& pixels,
                         std::uint64_t cell);
// -1 left of the left margin or above the top margin.
std::int64_t pointToCell(const CellGeometry& cells, const PixelGeometry& pixels,
                         ContentPoint point);
// The unit column under x; -1 outside [left, panelWidth - right).
int pointToUnitColumn(const CellGeometry& cells, const PixelGeometry& pixels, std::int64_t x,
                      int panelWidth);
// The line under y; -1 outside [top, contentHeight - bottom).
std::int64_t pointToLine(const PixelGeometry& pixels, std::int64_t y, std::int64_t contentHeight);
