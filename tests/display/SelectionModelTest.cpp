// The selection as values. A range is written over the bytes with `[` or
// `<` at its start and `]` or `>` at its end; the angle marks the end that
// moves (the other is the anchor): "00 [11 22> 33" is anchored at 1 with
// its moving end at 3.
#include "display/SelectionModel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Written {
    std::uint64_t size = 0;
    std::optional<std::uint64_t> start, end;
    bool startMoves = false;
};

Written parse(const std::string& text) {
    Written w;
    std::uint64_t digits = 0;
    for (const char ch : text) {
        if (ch == '[' || ch == '<') {
            w.start = digits / 2;
            w.startMoves = ch == '<';
        } else if (ch == ']' || ch == '>') {
            w.end = digits / 2;
        } else if (ch != ' ') {
            ++digits;
        }
    }
    w.size = digits / 2;
    return w;
}

// The model's range over `size` bytes written as above.
std::string show(const SelectionModel& model, std::uint64_t size) {
    const auto range = model.range();
    const auto anchor = model.anchor();
    std::string text;
    for (std::uint64_t byte = 0; byte <= size; ++byte) {
        if (range && byte == range->second) {
            text += anchor == range->first ? '>' : ']';
        }
        if (byte == size) {
            break;
        }
        if (byte > 0) {
            text += ' ';
        }
        if (range && byte == range->first) {
            text += anchor == range->first ? '[' : '<';
        }
        text += "00";
    }
    return text;
}

// A model holding the range written in `text`.
struct Model {
    explicit Model(const std::string& text) {
        const Written w = parse(text);
        size = w.size;
        if (w.start && w.end) {
            model.anchorRange(w.startMoves ? *w.end : *w.start, w.startMoves ? *w.start : *w.end);
        }
    }
    std::string shown() const { return show(model, size); }
    Selection painted;
    SelectionModel model{painted};
    std::uint64_t size = 0;
};

TEST(SelectionModelTest, ARangeExtendsFromItsAnchorOnEitherSide) {
    Model m("00 00 00 00 00 00");
    EXPECT_FALSE(m.model.extendRange(3));  // nothing anchored
    m.model.anchorRange(2, 2);
    EXPECT_EQ(m.model.movingEnd(), 2u);
    m.model.extendRange(4);
    EXPECT_EQ(m.shown(), "00 00 [00 00> 00 00");
    m.model.extendRange(0);
    EXPECT_EQ(m.shown(), "<00 00] 00 00 00 00");
    EXPECT_EQ(m.model.movingEnd(), 0u);
    // What the view paints is the normalised range.
    EXPECT_EQ(m.painted.start, 0u);
    EXPECT_EQ(m.painted.end, 2u);
    EXPECT_TRUE(m.model.clear());
    EXPECT_FALSE(m.model.clear());
    EXPECT_EQ(m.model.movingEnd(), std::nullopt);
}

TEST(SelectionModelTest, AUnitChangeRoundsTheRangeAndKeepsItsAnchoredEnd) {
    Model right("00 [00 00 00 00 00> 00 00");
    right.model.changeUnit(1, 2, 16);
    EXPECT_EQ(right.shown(), "[00 00 00 00 00 00> 00 00");

    // Anchored at its end: the next extending key still moves the start.
    Model left("00 <00 00 00 00 00] 00 00");
    left.model.changeUnit(1, 4, 16);
    EXPECT_EQ(left.shown(), "<00 00 00 00] 00 00 00 00");
    EXPECT_EQ(left.model.movingEnd(), 0u);

    // Within one unit nothing is left.
    Model inside("00 [00 00> 00");
    inside.model.changeUnit(1, 4, 16);
    EXPECT_TRUE(inside.model.isEmpty());
}

TEST(SelectionModelTest, AnAdoptedSelectionIsAnchoredAtItsStartOrTopLeft) {
    Model m("00 00 00 00 00");
    m.model.adopt(Selection::range(1, 3));
    EXPECT_EQ(m.shown(), "00 [00 00> 00 00");
    m.model.adopt(Selection::block(2, 5, 3, 1));
    EXPECT_TRUE(m.model.isBlock());
    EXPECT_EQ(m.model.blockAnchor(), (SelectionModel::Corner{2, 3}));
    EXPECT_EQ(m.model.blockCorner(), (SelectionModel::Corner{5, 1}));
    EXPECT_EQ(m.model.range(), std::nullopt);
    EXPECT_EQ(m.model.movingEnd(), std::nullopt);
}

TEST(SelectionModelTest, ABlockMeasuresItsBytesWithinTheLine) {
    Selection painted;
    SelectionModel model(painted);
    // 10 bytes a line in units of 4: unit columns 0..2, the last holding
    // only bytes 8 and 9. An indent of 2.
    const CPresentation layout(10, 2, 4);
    const CellGeometry cells(CellGeometry::Panel::Hex, 10, 2, 4, 100);
    model.startBlock({1, 1});
    EXPECT_EQ(model.moveBlockCorner({3, 2}, cells), 36u);  // line 3, byte 8, less the indent
    EXPECT_EQ(painted.kind, Selection::Kind::Block);
    // Rows 1..3, bytes 4..9 of each line: 3 x 6.
    EXPECT_EQ(model.length(layout), 18u);
    const auto geometry = model.blockGeometry(layout);
    ASSERT_TRUE(geometry);
    EXPECT_EQ(geometry->firstColumn, 4);
    EXPECT_EQ(geometry->lastColumn, 9);
    EXPECT_EQ(geometry->count, 18u);
    // It starts at line 1, byte 4 of the line: offset 12 less the indent.
    EXPECT_EQ(model.extent(layout), (std::pair<std::uint64_t, std::uint64_t>{12, 18}));
    EXPECT_FALSE(model.isVoid(cells));

    // A range's extent is where it starts and its length.
    model.anchorRange(30, 20);
    EXPECT_EQ(model.extent(layout), (std::pair<std::uint64_t, std::uint64_t>{20, 10}));
    EXPECT_EQ(model.blockGeometry(layout), std::nullopt);
    model.anchorRange(7, 7);
    EXPECT_TRUE(model.isVoid(cells));
}

}  // namespace
