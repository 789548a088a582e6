#include "display/CellGeometry.h"

#include <gtest/gtest.h>

namespace {

using Panel = CellGeometry::Panel;

TEST(CellGeometryTest, IndentShiftsTheFirstLine) {
    const CellGeometry chars(Panel::Character, 24, 3, 1, 1000);
    const CellGeometry hex(Panel::Hex, 24, 3, 1, 1000);
    EXPECT_EQ(chars.byteToCell(0), 3u);
    EXPECT_EQ(hex.byteToCell(0), 9u);  // three cells per byte with unit 1
    EXPECT_EQ(chars.byteToCell(21), static_cast<std::uint64_t>(chars.cellsPerLine()));
    EXPECT_EQ(chars.cellToByte(chars.cellsPerLine()), 21u);
    EXPECT_EQ(chars.cellToByte(0), 0u);  // a cell over the indent gives the first byte

    const CellGeometry sixteen(Panel::Character, 16, 3, 1, 100);
    EXPECT_EQ(sixteen.cellToByte(static_cast<std::uint64_t>(sixteen.cellsPerLine())), 13u);
}

TEST(CellGeometryTest, APartialLastUnitCountsItsCells) {
    const CellGeometry hex(Panel::Hex, 10, 0, 4, 100);
    const CellGeometry chars(Panel::Character, 10, 0, 4, 100);
    EXPECT_EQ(hex.unitsPerLine(), 3);
    EXPECT_EQ(hex.cellsPerUnit(), 9);
    EXPECT_EQ(hex.cellsPerLine(), 26);
    EXPECT_EQ(chars.cellsPerLine(), 12);
    EXPECT_EQ(hex.usedCellsPerLine(), 26 - (9 - 9 * 2 / 4));
    EXPECT_EQ(chars.usedCellsPerLine(), 10);
    // The last unit holds bytes 8 and 9; byte 10 starts the next line.
    EXPECT_EQ(hex.byteToCell(8), 18u);
    EXPECT_EQ(hex.byteToCell(9), 20u);
    EXPECT_EQ(hex.byteToCell(10), 26u);
}

TEST(CellGeometryTest, ASeparatorCellGivesTheNextUnitsFirstByte) {
    const CellGeometry hex(Panel::Hex, 16, 0, 4, 100);
    EXPECT_EQ(hex.cellToByte(8), 4u);  // the blank after the first unit
    EXPECT_EQ(hex.cellToByte(7), 3u);
    EXPECT_EQ(hex.cellToByte(6), 3u);
    EXPECT_EQ(hex.visibleCell(8), 7u);  // the caret never stands on a blank
    EXPECT_EQ(hex.unitStartCell(8), 0u);
    EXPECT_EQ(hex.unitStartCell(9), 9u);
    for (std::uint64_t offset = 0; offset < 100; ++offset) {
        EXPECT_EQ(hex.cellToByte(hex.byteToCell(offset)), offset);
    }
}

TEST(CellGeometryTest, LinesOfEmptyAndFullFiles) {
    EXPECT_EQ(CellGeometry(Panel::Hex, 16, 0, 1, 0).lineCount(), 0u);
    EXPECT_EQ(CellGeometry(Panel::Hex, 16, 2, 1, 0).lineCount(), 1u);
    EXPECT_EQ(CellGeometry(Panel::Hex, 16, 0, 1, 16).lineCount(), 1u);
    EXPECT_EQ(CellGeometry(Panel::Hex, 16, 1, 1, 16).lineCount(), 2u);
    // An empty file keeps the caret at offset 0 whatever the indent.
    EXPECT_EQ(CellGeometry(Panel::Hex, 16, 5, 1, 0).cellToByte(15), 5u);
    // Lines of a 100 GiB file do not fit 32 bits.
    const CellGeometry huge(Panel::Hex, 8, 0, 1, 100ull << 30);
    EXPECT_EQ(huge.lineCount(), (100ull << 30) / 8);
    const std::uint64_t last = (100ull << 30) - 1;
    EXPECT_EQ(huge.cellToByte(huge.byteToCell(last)), last);
    const PixelGeometry pixels;
    EXPECT_EQ(cellToPoint(huge, pixels, huge.byteToCell(last)).y,
              4 + static_cast<std::int64_t>(last / 8) * 16);
}

TEST(CellGeometryTest, PixelsMapToCellsUnitsAndLines) {
    const CellGeometry hex(Panel::Hex, 16, 0, 2, 1000);
    const PixelGeometry pixels;  // margins 8/4, line 16, character 8
    EXPECT_EQ(cellToPoint(hex, pixels, 0).x, 8);
    const std::uint64_t secondLine = static_cast<std::uint64_t>(hex.cellsPerLine()) + 3;
    EXPECT_EQ(cellToPoint(hex, pixels, secondLine).x, 8 + 3 * 8);
    EXPECT_EQ(cellToPoint(hex, pixels, secondLine).y, 4 + 16);
    EXPECT_EQ(pointToCell(hex, pixels, {7, 10}), -1);
    EXPECT_EQ(pointToCell(hex, pixels, {10, 3}), -1);
    EXPECT_EQ(pointToCell(hex, pixels, {8 + 3 * 8 + 2, 4 + 16 + 5}),
              static_cast<std::int64_t>(secondLine));
    EXPECT_EQ(pointToUnitColumn(hex, pixels, 8 + 5 * 8 * 2 + 1, 400), 2);
    EXPECT_EQ(pointToUnitColumn(hex, pixels, 395, 400), -1);
    EXPECT_EQ(pointToLine(pixels, 4 + 16 * 7, 1000), 7);
    EXPECT_EQ(pointToLine(pixels, 990, 1000), -1);
}

TEST(CellGeometryTest, ColumnBlockCoordinates) {
    const CellGeometry chars(Panel::Character, 16, 3, 4, 100);
    const auto at = chars.offsetToColumnLine(13);  // p = 16: line 1, column 0
    EXPECT_EQ(at.line, 1u);
    EXPECT_EQ(at.column, 0);
    EXPECT_EQ(chars.offsetToColumnLine(2).column, 2);  // p = 5 rounds up to unit column 2
    EXPECT_EQ(chars.columnLineToOffset(1, 2), 2 * 16 + 4 - 3);
    EXPECT_FALSE(chars.isValidBlock(0, 1, 0, 1));  // starts over the indent
    EXPECT_TRUE(chars.isValidBlock(0, 1, 1, 2));
    EXPECT_FALSE(chars.isValidBlock(1, 7, 0, 3));  // ends past the data
}

}  // namespace
