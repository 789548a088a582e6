// The caret keys as a table of cases. A case is written as the bytes in hex
// with the caret `|` before the digit it stands on (or after the last byte:
// the end position) and, for extending keys, the selection's moving end `^`.
#include "display/CaretNavigator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using K = CaretNavigator;

struct Layout {
    int width = 16;
    int unit = 1;
    int indent = 0;
    std::int64_t page = 4;
};

struct Case {
    std::uint64_t size = 0;
    CaretPlace caret;
    std::optional<std::uint64_t> end;
};

Case parse(const std::string& text) {
    Case c;
    std::uint64_t digits = 0;
    for (const char ch : text) {
        if (ch == '|') {
            c.caret = {digits / 2, static_cast<int>(digits % 2)};
        } else if (ch == '^') {
            c.end = digits / 2;
        } else if (ch != ' ') {
            ++digits;
        }
    }
    c.size = digits / 2;
    return c;
}

// The bytes of `size` as "00" each, with `mark` put before digit `digit`.
std::string show(std::uint64_t size, std::uint64_t digit, char mark) {
    std::string text;
    for (std::uint64_t d = 0; d <= size * 2; ++d) {
        if (d > 0 && d % 2 == 0 && d < size * 2) {
            text += ' ';
        }
        if (d == digit) {
            text += mark;
        }
        if (d < size * 2) {
            text += '0';
        }
    }
    return text;
}

// Presses `key` on the case and writes down where the caret (or the moving
// end) goes, or "-" when the key changes nothing.
std::string press(const Layout& l, const std::string& before, std::uint32_t key, bool shift = false,
                  bool control = false) {
    const Case c = parse(before);
    const CellGeometry cells(CellGeometry::Panel::Hex, l.width, l.indent, l.unit, c.size);
    const KeyMove move = CaretNavigator(cells, l.page).press(key, shift, control, c.caret, c.end);
    switch (move.kind) {
        case KeyMove::Kind::Move:
            return show(c.size,
                        move.caret.offset * 2 + static_cast<std::uint64_t>(move.caret.nibble), '|');
        case KeyMove::Kind::Extend:
            return show(c.size, move.end * 2, '^');
        case KeyMove::Kind::None:
            break;
    }
    return "-";
}

TEST(CaretNavigatorTest, LeftAndRightWalkTheDigitsAndStopAtBothEnds) {
    const Layout l{4};
    EXPECT_EQ(press(l, "|00 00 00", K::kRight), "0|0 00 00");
    EXPECT_EQ(press(l, "0|0 00 00", K::kRight), "00 |00 00");
    EXPECT_EQ(press(l, "00 00 0|0", K::kRight), "-");  // never past the last byte
    EXPECT_EQ(press(l, "00 |00 00", K::kLeft), "0|0 00 00");
    EXPECT_EQ(press(l, "|00 00 00", K::kLeft), "-");
    // Across lines (4 bytes a line): from the next line's first digit back
    // to this line's last.
    EXPECT_EQ(press(l, "00 00 00 00 |00", K::kLeft), "00 00 00 0|0 00");
    EXPECT_EQ(press(l, "00 00 00 0|0 00", K::kRight), "00 00 00 00 |00");
}

TEST(CaretNavigatorTest, UpAndDownKeepTheDigitAndDownEndsAtTheEndPosition) {
    const Layout l{2};
    EXPECT_EQ(press(l, "00 00 0|0 00", K::kUp), "0|0 00 00 00");
    EXPECT_EQ(press(l, "0|0 00 00 00", K::kDown), "00 00 0|0 00");
    EXPECT_EQ(press(l, "0|0 00", K::kUp), "-");  // the first line
    EXPECT_EQ(press(l, "00 00 |00", K::kDown), "00 00 00|");
}

TEST(CaretNavigatorTest, HomeEndAndThePageKeys) {
    const Layout l{4, 1, 0, 2};
    EXPECT_EQ(press(l, "00 00 00 00 00 |00 00", K::kHome), "00 00 00 00 |00 00 00");
    // End on a last line that is not full goes to the end position.
    EXPECT_EQ(press(l, "00 00 00 00 |00 00 00", K::kEnd), "00 00 00 00 00 00 00|");
    EXPECT_EQ(press(l, "|00 00 00 00 00 00 00", K::kEnd), "00 00 00 |00 00 00 00");
    EXPECT_EQ(press(l, "00 |00 00", K::kEnd, false, true), "00 00 |00");
    EXPECT_EQ(press(l, "00 00 00 |00 00", K::kHome, false, true), "|00 00 00 00 00");
    // Two lines a page: down by two lines while the byte stays in the data.
    EXPECT_EQ(press(l, "0|0 00 00 00 00 00 00 00 00 00", K::kPageDown),
              "00 00 00 00 00 00 00 00 0|0 00");
    // Page Up with an indent of 3: offset 5 is column 0 of line 2; line 0
    // has no byte in column 0, so the caret goes to offset 0.
    const Layout indented{4, 1, 3, 8};
    EXPECT_EQ(press(indented, "00 00 00 00 00 |00 00", K::kPageUp), "|00 00 00 00 00 00 00");
    // With an indent of 1, offset 6 is column 3 of line 1: offset 2 above it.
    EXPECT_EQ(press(Layout{4, 1, 1, 8}, "00 00 00 00 00 00 |00", K::kPageUp),
              "00 00 |00 00 00 00 00");
}

TEST(CaretNavigatorTest, ExtendingKeysMoveTheEndByUnitsAndLines) {
    const Layout l{8, 2};
    EXPECT_EQ(press(l, "|00 00 00 00 00 00", K::kRight, true), "00 00 ^00 00 00 00");
    EXPECT_EQ(press(l, "00 00 00 00 |00^ 00", K::kRight, true), "00 00 00 00 00 00^");
    EXPECT_EQ(press(l, "00 00 00 00 |00^ 00", K::kLeft, true), "00 00 00 ^00 00 00");
    // Less than a unit from 0: the end stays (the first press only anchors).
    EXPECT_EQ(press(l, "0|0^ 00 00", K::kLeft, true), "00 ^00 00");
}

}  // namespace
