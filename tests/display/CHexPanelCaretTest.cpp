#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "display/CHexPanel.h"
#include "settings/CSettings.h"
#include "tests/display/OpenPanel.h"
#include "tests/support/RecordingNativeWindow.h"
#include "tests/support/TempDir.h"

namespace {

using Kind = NativeMouseMessage::Kind;

constexpr std::uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr std::uint32_t kHome = 0x24, kEnd = 0x23;

// A 40-byte file at 16 bytes a line in units of 2.
class CHexPanelCaretTest : public testsupport::PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        openWith(std::string(40, 'x'), 16, 2);
    }

    void key(std::uint32_t code, bool shift = false, bool control = false) {
        panel->handleKey(eventid::KeyPressed, code, (shift ? 1u : 0u) | (control ? 2u : 0u));
    }
    std::uint64_t cell() { return panel->caret().second; }
    const Selection& selection() { return panel->state().selection; }
    // A point over the hex panel's cell `c` of display line `line`.
    std::pair<int, int> hexPoint(int c, int line) {
        const int x = panel->hexPanel().getBounds().x + 8 + c * 8 + 2;
        return {x, 28 + 4 + line * 16 + 5};
    }
};

TEST_F(CHexPanelCaretTest, RightWalksTheDigitsOverTheBlanksAndAcrossLines) {
    EXPECT_EQ(cell(), 0u);
    key(kRight);
    EXPECT_EQ(cell(), 1u);
    key(kRight);
    EXPECT_EQ(cell(), 2u);
    key(kRight);
    key(kRight);
    EXPECT_EQ(cell(), 5u);  // cell 4 is the blank after the first unit
    EXPECT_EQ(panel->caretOffset(), 2u);
    for (int i = 0; i < 40; ++i) {
        key(kRight);
    }
    // 16 bytes a line in units of 2: 8 units of 5 cells, 39 cells a line.
    EXPECT_EQ(cell() / 39, 1u);
    key(kLeft);
    key(kHome);
    EXPECT_EQ(panel->caretOffset(), 16u);
    key(kLeft);
    EXPECT_EQ(cell(), 38u);  // the low digit of line 0's last byte
}

TEST_F(CHexPanelCaretTest, TheCaretStopsAtBothEnds) {
    key(kLeft);
    EXPECT_EQ(cell(), 0u);
    key(kUp);
    EXPECT_EQ(panel->caretOffset(), 0u);
    key(kDown);
    key(kDown);
    key(kDown);
    EXPECT_EQ(panel->caretOffset(), 40u);  // the end position
    key(kEnd, false, true);
    EXPECT_EQ(panel->caretOffset(), 39u);
    key(kRight);
    EXPECT_EQ(panel->caretOffset(), 39u);  // never onto a cell past the data
    key(kHome, false, true);
    EXPECT_EQ(panel->caretOffset(), 0u);
    key(kEnd);
    EXPECT_EQ(panel->caretOffset(), 15u);
}

TEST_F(CHexPanelCaretTest, ShiftAnchorsFirstThenExtendsByUnits) {
    key(kRight, true);
    EXPECT_EQ(selection().kind, Selection::Kind::Range);
    EXPECT_EQ(selection().start, selection().end);  // anchored, not moved
    key(kRight, true);
    key(kRight, true);
    EXPECT_EQ(selection().end, 4u);
    key(kDown, true);
    EXPECT_EQ(selection().end, 20u);
    key(kLeft);  // a plain move clears the selection
    EXPECT_EQ(selection().kind, Selection::Kind::None);
}

TEST_F(CHexPanelCaretTest, AfterAUnitChangeShiftStillMovesTheEndAwayFromTheAnchor) {
    panel->selectRange(2, 14);  // anchored at 2, in units of 2
    ASSERT_TRUE(panel->changeUnit(4));
    EXPECT_EQ(selection().start, 0u);
    EXPECT_EQ(selection().end, 12u);
    key(kRight, true);
    EXPECT_EQ(selection().start, 0u);
    EXPECT_EQ(selection().end, 16u);
}

TEST_F(CHexPanelCaretTest, SelectAllAndSelectLine) {
    key('A', false, true);
    EXPECT_EQ(selection().start, 0u);
    EXPECT_EQ(selection().end, 40u);
    key(kHome, false, true);
    key(kDown);
    key('L', false, true);
    EXPECT_EQ(selection().start, 16u);
    EXPECT_EQ(selection().end, 32u);
}

TEST_F(CHexPanelCaretTest, AMouseDragSelectsWholeUnits) {
    const auto [x0, y0] = hexPoint(6, 0);  // inside the second unit
    panel->handleMouse({Kind::LeftDown, x0, y0, modifier::LeftButton, true});
    EXPECT_EQ(panel->caretOffset(), 2u);    // aligned to its unit
    const auto [x1, y1] = hexPoint(18, 1);  // the last digit of bytes 6-7: rounds up to 8
    panel->handleMouse({Kind::Move, x1, y1, modifier::LeftButton, true});
    panel->handleMouse({Kind::LeftUp, x1, y1, 0, true});
    EXPECT_EQ(selection().kind, Selection::Kind::Range);
    EXPECT_EQ(selection().start, 2u);
    EXPECT_EQ(selection().end, 16u + 8u);

    // A click without a drag leaves no selection.
    panel->handleMouse({Kind::LeftDown, x0, y0, modifier::LeftButton, true});
    panel->handleMouse({Kind::LeftUp, x0, y0, 0, true});
    EXPECT_EQ(selection().kind, Selection::Kind::None);
}

TEST_F(CHexPanelCaretTest, ADoubleClickSelectsTheUnitUnderThePointer) {
    const auto [x, y] = hexPoint(11, 0);  // the third unit, bytes 4 and 5
    panel->handleMouse({Kind::LeftDoubleClick, x, y, modifier::LeftButton, true});
    EXPECT_EQ(selection().start, 4u);
    EXPECT_EQ(selection().end, 6u);
    EXPECT_EQ(panel->caretOffset(), 6u);
}

TEST_F(CHexPanelCaretTest, CtrlShiftF8TurnsARangeIntoAColumnBlockThatKeysExtend) {
    constexpr std::uint32_t kF8 = 0x77;
    key(kRight, true);  // anchor
    key(kRight, true);
    key(kRight, true);  // range 0..4
    key(kF8, true, true);
    ASSERT_EQ(selection().kind, Selection::Kind::Block);
    EXPECT_EQ(selection().firstColumn, 0);
    EXPECT_EQ(selection().lastColumn, 2);  // offset 4 is unit column 2
    key(kDown);                            // any key extends a block
    EXPECT_EQ(selection().lastLine, 1u);
    key(kLeft);
    EXPECT_EQ(selection().lastColumn, 1);
    // Two rows of unit columns 0..1: 2 x 4 bytes.
    EXPECT_EQ(panel->selectionLength(), 8u);
    key(kEnd);
    EXPECT_EQ(selection().lastColumn, 7);
    key(kF8, true, true);
    EXPECT_EQ(selection().kind, Selection::Kind::None);
}

TEST_F(CHexPanelCaretTest, AltDragSelectsAColumnBlockHeldOnTheData) {
    const auto [x0, y0] = hexPoint(5, 0);  // unit column 1 of line 0
    panel->handleMouse({Kind::LeftDown, x0, y0, modifier::LeftButton | modifier::Alt, true});
    ASSERT_EQ(selection().kind, Selection::Kind::Block);
    const auto [x1, y1] = hexPoint(16, 1);  // unit column 3 of line 1
    panel->handleMouse({Kind::Move, x1, y1, modifier::LeftButton | modifier::Alt, true});
    panel->handleMouse({Kind::LeftUp, x1, y1, modifier::Alt, true});
    ASSERT_EQ(selection().kind, Selection::Kind::Block);
    EXPECT_EQ(selection().firstLine, 0u);
    EXPECT_EQ(selection().lastLine, 1u);
    EXPECT_EQ(selection().firstColumn, 1);
    EXPECT_EQ(selection().lastColumn, 3);

    // Onto the short last line past the data's end: the corner is held at the
    // data's end (bytes 32..39 make unit column 4 the end), so the block stays.
    // (A press while a block exists only moves the caret: Ctrl+Shift+F8 ends it first.)
    key(0x77, true, true);
    ASSERT_EQ(selection().kind, Selection::Kind::None);
    panel->handleMouse({Kind::LeftDown, x0, y0, modifier::LeftButton | modifier::Alt, true});
    const auto [x2, y2] = hexPoint(35, 2);
    panel->handleMouse({Kind::Move, x2, y2, modifier::LeftButton | modifier::Alt, true});
    panel->handleMouse({Kind::LeftUp, x2, y2, modifier::Alt, true});
    ASSERT_EQ(selection().kind, Selection::Kind::Block);
    EXPECT_EQ(selection().lastLine, 2u);
    EXPECT_EQ(selection().lastColumn, 4);
}

TEST_F(CHexPanelCaretTest, TheCaretIsAWindowBlockWhileTheViewHasTheFocus) {
    panel->handleFocus(true);
    EXPECT_THAT(window.log, testing::Contains("caret create 8x16"));
    EXPECT_THAT(window.log, testing::Contains("caret show"));
    key(kRight);
    const int hexLeft = panel->hexPanel().getBounds().x + 8;
    EXPECT_THAT(window.log, testing::Contains("caret at " + std::to_string(hexLeft + 8) + ",32"));
    panel->handleFocus(false);
    EXPECT_EQ(window.log.back(), "caret destroy");
}

}  // namespace

namespace {

// A 16000-byte file (1000 lines) in a 200-pixel window: ten lines or so show.
class CHexPanelDragScrollTest : public CHexPanelCaretTest {
  protected:
    testsupport::RecordingNativeWindow small{{1200, 200}};
    std::vector<bool> timer;

    void SetUp() override {
        CHexPanelCaretTest::SetUp();
        const std::string path = dir.file("long.bin");
        testsupport::writeFile(path, std::string(16000, 'y'));
        panel->closeFile();
        panel->setNativeWindow(&small);
        ASSERT_TRUE(panel->openFile(path, kGenericRead));
        panel->setDragTimer([this](bool running) { timer.push_back(running); });
    }
};

TEST_F(CHexPanelDragScrollTest, DraggingBelowTheWindowMovesTheEndByAWindowPerTick) {
    const auto [x0, y0] = hexPoint(0, 1);
    panel->handleMouse({Kind::LeftDown, x0, y0, modifier::LeftButton, true});
    EXPECT_EQ(timer, std::vector<bool>{true});
    const std::int64_t window = panel->state().visibleLines();
    ASSERT_GT(window, 1);
    panel->handleMouse({Kind::Move, x0, 400, modifier::LeftButton, true});
    const std::uint64_t step = static_cast<std::uint64_t>(window) * 16;
    EXPECT_EQ(selection().start, 16u);
    EXPECT_EQ(selection().end, 16u + step);
    panel->dragTimerTick();
    EXPECT_EQ(selection().end, 16u + 2 * step);
    // The view follows the moving end.
    const auto endLine = static_cast<std::int64_t>((16 + 2 * step) / 16);
    EXPECT_GE(endLine, panel->state().firstLine);
    EXPECT_LT(endLine, panel->state().firstLine + window + 1);
    // Above the data it comes back, clamped at 0.
    for (int i = 0; i < 5; ++i) {
        panel->handleMouse({Kind::Move, x0, 2, modifier::LeftButton, true});
    }
    EXPECT_EQ(selection().start, 0u);
    EXPECT_EQ(selection().end, 16u);
    panel->handleMouse({Kind::LeftUp, x0, 2, 0, true});
    EXPECT_EQ(timer, (std::vector<bool>{true, false}));
    panel->dragTimerTick();  // a tick after the release changes nothing
    EXPECT_EQ(selection().end, 16u);
}

}  // namespace

namespace {

TEST_F(CHexPanelCaretTest, SelectionOperationsForOtherPartsKeepTheirRules) {
    struct Counter : CaretListener {
        int moves = 0;
        void caretMoved(CHexPanel&) override { ++moves; }
    } counter;
    panel->addCaretListener(&counter);
    key(kRight);
    EXPECT_GE(counter.moves, 1);
    panel->removeCaretListener(&counter);
    key(kRight);
    const int heard = counter.moves;
    key(kRight);
    EXPECT_EQ(counter.moves, heard);

    // A range begun without the timer, extended backwards, then ended.
    panel->beginSelection(10, true, false);
    ASSERT_TRUE(panel->getSelection().has_value());
    EXPECT_EQ(*panel->getSelection(), (std::pair<std::uint64_t, std::uint64_t>{10, 10}));
    panel->extendSelection(4);
    ASSERT_TRUE(panel->getSelection().has_value());
    EXPECT_EQ(*panel->getSelection(), (std::pair<std::uint64_t, std::uint64_t>{4, 10}));
    EXPECT_EQ(panel->caretOffset(), 4u);
    panel->endSelection();
    EXPECT_TRUE(panel->getSelection().has_value());
    // An empty one goes on the end.
    panel->beginSelection(6, true, false);
    panel->endSelection();
    EXPECT_FALSE(panel->getSelection().has_value());

    // A block reports its corners raw (anchor first) or normalised.
    panel->beginSelection(36, true, true, {1, 0});  // anchor: unit column 2 of line 2
    const auto raw = panel->getColumnBlock(false);
    const auto normal = panel->getColumnBlock(true);
    ASSERT_TRUE(raw && normal);
    EXPECT_EQ(raw->firstLine, 2);
    EXPECT_EQ(raw->lastLine, 0);
    EXPECT_EQ(normal->firstLine, 0);
    EXPECT_EQ(normal->lastLine, 2);
    EXPECT_EQ(normal->firstColumn, 1);
    EXPECT_EQ(normal->lastColumn, 2);

    // gotoLine stops on the last line.
    panel->gotoLine(99);
    EXPECT_EQ(panel->caretOffset(), 32u);
}

}  // namespace

namespace {

constexpr std::uint32_t kPageDown = 0x22;

TEST_F(CHexPanelCaretTest, HomeAndEndOnAnIndentedFirstLine) {
    ASSERT_TRUE(panel->increaseIndent());
    const int indent = panel->state().presentation.indent();
    ASSERT_GT(indent, 0);
    panel->gotoOffset(3);
    key(kEnd);
    EXPECT_EQ(panel->caretOffset(), static_cast<std::uint64_t>(16 - indent - 1));
    key(kHome);
    EXPECT_EQ(panel->caretOffset(), 0u);
}

TEST_F(CHexPanelCaretTest, PageDownNearTheEndStopsOnTheLastLineThatHasTheColumn) {
    // Lines hold bytes 0-15, 16-31 and 32-39; the window shows all of them.
    panel->gotoOffset(2);
    key(kPageDown);
    EXPECT_EQ(panel->caretOffset(), 34u);
    panel->gotoOffset(10);
    key(kPageDown);
    EXPECT_EQ(panel->caretOffset(), 26u);  // byte 42 is past the data
}

}  // namespace
