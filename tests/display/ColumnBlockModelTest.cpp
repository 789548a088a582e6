#include "display/ColumnBlockModel.h"

#include <gtest/gtest.h>

namespace {

using Corner = ColumnBlockModel::Corner;

// 16 bytes a line in units of 4 (4 unit columns), an indent of 4 (the first
// data column is 1), 50 bytes: 4 lines, the last holding bytes 44..49; the
// last byte's column, counted up as the design counts it, is 2.
const CellGeometry kCells(CellGeometry::Panel::Hex, 16, 4, 4, 50);

TEST(ColumnBlockModelTest, TheMovingCornerIsHeldToTheLayout) {
    ColumnBlockModel block;
    block.start({1, 2});
    EXPECT_EQ(block.moveCorner({9, 9}, kCells), 52u);  // line 3, column 2 (the caret stops at 50)
    EXPECT_EQ(block.corner(), (Corner{3, 2}));
    block.moveCorner({-5, 0}, kCells);
    EXPECT_EQ(block.corner(), (Corner{0, 1}));  // the first line starts after the indent
    EXPECT_EQ(block.anchor(), (Corner{1, 2}));
    const Selection shown = block.selection();
    EXPECT_EQ(shown.firstLine, 0u);
    EXPECT_EQ(shown.lastLine, 1u);
    EXPECT_EQ(shown.firstColumn, 1);
    EXPECT_EQ(shown.lastColumn, 2);
}

TEST(ColumnBlockModelTest, AUnitChangeTakesTheBytePositionsAndAnchorsAtTheTopLeft) {
    ColumnBlockModel block;
    block.start({3, 2});
    block.moveCorner({1, 0}, CellGeometry(CellGeometry::Panel::Hex, 16, 0, 2, 64));
    // Unit 2, columns 0..2 are bytes 0..5; in units of 1 they are columns 0..4.
    block.changeUnit(2, 1, 16);
    EXPECT_EQ(block.anchor(), (Corner{1, 0}));
    EXPECT_EQ(block.corner(), (Corner{3, 4}));
}

}  // namespace
