// The caret stands on one byte and one digit, and every way of moving the
// view (presentation commands, scrolling, undo) leaves the shown caret and
// the byte that changes together.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "display/CHexPanel.h"
#include "settings/CSettings.h"
#include "tests/display/OpenPanel.h"
#include "tests/support/RecordingNativeWindow.h"
#include "tests/support/TempDir.h"

namespace {

constexpr std::uint32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr std::uint32_t kHome = 0x24, kEnd = 0x23, kPageUp = 0x21, kF8 = 0x77;

std::string counting(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i & 0xFF);
    }
    return bytes;
}

class CaretTruthTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    testsupport::RecordingNativeWindow window{{1200, 600}};
    std::unique_ptr<CHexPanel> panel;

    void SetUp() override { settings.open(); }

    void open(int lineBytes, int unit, const std::string& bytes, int indent = 0) {
        settings.write(settings::edit::LineBytes, lineBytes);
        settings.write(settings::edit::UnitBytes, unit);
        settings.write(settings::edit::NullBytes, indent);
        panel = testsupport::openPanel(settings, window, dir.file("data.bin"), bytes);
    }
    void key(std::uint32_t code, bool shift = false, bool control = false) {
        panel->handleKey(eventid::KeyPressed, code, (shift ? 1u : 0u) | (control ? 2u : 0u));
    }
    void typed(char c) { panel->handleKey(eventid::KeyTyped, static_cast<std::uint8_t>(c), 0); }
    std::uint8_t byteAt(std::uint64_t offset) {
        std::uint8_t byte = 0;
        EXPECT_TRUE(panel->data().readByte(byte, offset));
        return byte;
    }
    // Where the hex panel draws the cell of `offset`'s digit, in window pixels.
    Point digitPoint(std::uint64_t offset, int nibble) {
        CShowHexdata& hex = panel->hexPanel();
        const ContentPoint at =
            hex.cellToPoint(hex.cells().byteToCell(offset) + static_cast<std::uint64_t>(nibble));
        return {hex.getBounds().x - panel->state().scrollX + static_cast<int>(at.x),
                static_cast<int>(at.y)};
    }
};

TEST_F(CaretTruthTest, TheCaretKeepsItsByteAndDigitThroughEveryPresentationChange) {
    open(16, 2, counting(200));
    panel->gotoOffset(20);
    key(kRight);  // the low digit of byte 20
    ASSERT_EQ(panel->caretNibble(), 1);
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { panel->increaseIndent(); }, [&] { panel->changeLineWidth(5); },
             [&] { panel->decreaseIndent(); }, [&] { panel->changeLineWidth(-3); },
             [&] { panel->clearIndent(); }}) {
        change();
        EXPECT_EQ(panel->caretOffset(), 20u);
        EXPECT_EQ(panel->caretNibble(), 1);
        EXPECT_EQ(window.caret, digitPoint(20, 1));  // shown where it acts
    }
    panel->increaseIndent();
    typed('A');
    EXPECT_EQ(byteAt(20), 0x1A);  // the byte the caret showed on, low digit
    EXPECT_EQ(byteAt(19), 19);
    // A unit change puts the caret on the first digit of its unit.
    panel->gotoOffset(22);
    panel->changeUnit(4);
    EXPECT_EQ(panel->caretOffset(), 20u);
    EXPECT_EQ(panel->caretNibble(), 0);
    EXPECT_EQ(window.caret, digitPoint(20, 0));
}

TEST_F(CaretTruthTest, TheCaretFollowsScrollingAndLeavesTheWindowWithItsLine) {
    open(16, 1, counting(16 * 200));
    panel->gotoOffset(5 * 16 + 3);
    panel->scrollByLines(2);
    EXPECT_EQ(window.caret, digitPoint(5 * 16 + 3, 0));
    panel->scrollByLines(10);  // line 5 is above the window now
    EXPECT_EQ(window.caret, (Point{32767, 32767}));
    panel->scrollToLine(0);
    EXPECT_EQ(window.caret, digitPoint(5 * 16 + 3, 0));
    typed('f');
    EXPECT_EQ(byteAt(5 * 16 + 3), 0xF3);
}

TEST_F(CaretTruthTest, UpAndDownKeepTheDigitAndPageUpStopsOnTheFirstLine) {
    open(16, 2, counting(100));
    panel->gotoOffset(40);
    key(kRight);
    key(kDown);
    EXPECT_EQ(panel->caretOffset(), 56u);
    EXPECT_EQ(panel->caretNibble(), 1);
    key(kUp);
    key(kUp);
    EXPECT_EQ(panel->caretOffset(), 24u);
    EXPECT_EQ(panel->caretNibble(), 1);

    // Indent 3 on 16-byte lines: offset 29 is column 0 of line 2, and line
    // 0 has no byte in column 0, so Page Up goes to offset 0.
    open(16, 1, counting(100), 3);
    panel->gotoOffset(29);
    key(kPageUp);
    EXPECT_EQ(panel->caretOffset(), 0u);
    panel->gotoOffset(40);  // column 11 of line 2
    key(kPageUp);
    EXPECT_EQ(panel->caretOffset(), 8u);  // column 11 of line 0
}

TEST_F(CaretTruthTest, AnExtendedSelectionPutsTheCaretOnTheStartOfItsEndsUnit) {
    // 10 bytes a line in units of 4: line 1 holds the units 10..13, 14..17
    // and 18..19.
    open(10, 4, counting(40));
    panel->gotoOffset(12);
    key(kRight, true);  // anchors
    key(kRight, true);  // the end to 16, inside the unit 14..17
    const Selection& s = panel->state().selection;
    ASSERT_EQ(s.kind, Selection::Kind::Range);
    EXPECT_EQ(s.end, 16u);
    EXPECT_EQ(panel->caretOffset(), 14u);  // the caret is where it is drawn
    EXPECT_EQ(window.caret, digitPoint(14, 0));
}

TEST_F(CaretTruthTest, HomeAndEndScrollFullyAcross) {
    window.setClientSize({300, 600});
    open(64, 1, counting(64 * 20));
    ASSERT_GT(panel->maxScrollX(), 0);
    // Scroll positions are whole characters: fully right is the last one.
    const int fullyRight = panel->maxScrollX() / 8 * 8;
    panel->gotoOffset(64 * 3 + 10);
    key(kEnd);
    EXPECT_EQ(panel->state().scrollX, fullyRight);
    key(kHome);
    EXPECT_EQ(panel->state().scrollX, 0);
    key(kEnd, false, true);
    EXPECT_EQ(panel->state().scrollX, fullyRight);
    EXPECT_EQ(panel->caretOffset(), 64u * 20 - 1);
    key(kHome, false, true);
    EXPECT_EQ(panel->state().scrollX, 0);
    EXPECT_EQ(panel->state().firstLine, 0);
    // Walking right along a line keeps the caret in the window.
    for (int i = 0; i < 60; ++i) {
        key(kRight);
    }
    const Point shown = window.caret;
    EXPECT_GT(shown.x, 0);
    EXPECT_LT(shown.x, 300);
    EXPECT_EQ(shown, digitPoint(30, 0));
}

TEST_F(CaretTruthTest, AColumnBlockSurvivesAPressAndFollowsAUnitChange) {
    open(16, 2, counting(100));
    key(kF8, true, true);
    key(kRight);
    key(kDown);
    ASSERT_EQ(panel->state().selection.kind, Selection::Kind::Block);
    EXPECT_EQ(panel->state().selection.lastColumn, 1);
    // A press in the same panel moves the caret and keeps the block.
    CShowHexdata& hex = panel->hexPanel();
    const Point at = digitPoint(70, 0);
    panel->handleMouse(
        {NativeMouseMessage::Kind::LeftDown, at.x + 2, at.y + 4, modifier::LeftButton, true});
    panel->handleMouse({NativeMouseMessage::Kind::LeftUp, at.x + 2, at.y + 4, 0, true});
    ASSERT_EQ(panel->state().selection.kind, Selection::Kind::Block);
    EXPECT_EQ(panel->caretOffset(), 70u);
    (void)hex;
    // Unit 1: the block's byte columns 0..2 become unit columns 0..2, and
    // the next Down grows it from there.
    panel->changeUnit(1);
    const Selection& block = panel->state().selection;
    ASSERT_EQ(block.kind, Selection::Kind::Block);
    EXPECT_EQ(block.firstColumn, 0);
    EXPECT_EQ(block.lastColumn, 2);
    key(kDown);
    EXPECT_EQ(block.firstColumn, 0);
    EXPECT_EQ(block.lastColumn, 2);
    EXPECT_EQ(block.lastLine, 2u);
}

TEST_F(CaretTruthTest, AnEmptyFileHasNoColumnBlock) {
    open(16, 1, "");
    key(kF8, true, true);
    EXPECT_EQ(panel->state().selection.kind, Selection::Kind::None);
    panel->setColumnBlock(0, 0, 0, 0);
    EXPECT_EQ(panel->state().selection.kind, Selection::Kind::None);
}

TEST_F(CaretTruthTest, TheScrollLimitShowsTheLastLineWhole) {
    open(16, 1, counting(16 * 1000));
    const std::int64_t whole = panel->state().wholeLines();
    EXPECT_EQ(panel->maxFirstLine(), 1000 - whole);
    // The scroll bar's last position is the scroll limit.
    EXPECT_EQ(window.verticalMaximum - window.verticalPage, panel->maxFirstLine());
    panel->scrollToLine(1 << 20);
    const std::int64_t lastY = panel->state().lineY(999);
    EXPECT_LE(lastY + 16, 600 - panel->state().pixels.bottom);
}

TEST_F(CaretTruthTest, SavedBytesAreNoLongerDrawnAsModified) {
    open(16, 1, counting(64));
    typed('7');
    ASSERT_TRUE(panel->state().visibleModified);
    ASSERT_TRUE(panel->saveFile(dir.file("data.bin")));
    EXPECT_FALSE(panel->state().visibleModified);
}

TEST_F(CaretTruthTest, TypingInPlaceReachesTheCaretWhateverThePaintingRead) {
    settings.write(settings::general::MaxFileSize, 4194304);
    window.setClientSize({1400, 1200});
    open(99, 1, std::string(5 * 1048576, 'p'));
    ASSERT_EQ(panel->data().storageMode(), StorageMode::InPlace);
    ASSERT_GT(panel->state().visible.size(), 4096u);  // more than one data window shown
    typed('3');
    typed('1');
    EXPECT_EQ(byteAt(0), 0x31);
    EXPECT_EQ(byteAt(1), 'p');
    EXPECT_EQ(panel->caretOffset(), 1u);
}

TEST_F(CaretTruthTest, UndoPutsTheCaretBackFarIntoALargeFile) {
    settings.write(settings::general::MaxFileSize, 4194304);
    const std::string path = dir.file("sparse.bin");
    {
        // A sparse file of 1.5 GiB and a page: nothing is written but the size.
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 0x60001000), 0);
        ::close(fd);
    }
    settings.write(settings::edit::LineBytes, 24);
    panel = std::make_unique<CHexPanel>(settings, CEditDataServices{settings, nullptr, nullptr});
    panel->setNativeWindow(&window);
    panel->setFontMetrics(8, 16);
    ASSERT_TRUE(panel->openFile(path, kGenericRead | kGenericWrite));
    panel->gotoOffset(0x60000000);
    key(kRight);
    typed('c');
    EXPECT_EQ(byteAt(0x60000000), 0x0C);
    key(kHome, false, true);
    ASSERT_TRUE(panel->data().undo(0));
    EXPECT_EQ(byteAt(0x60000000), 0);
    EXPECT_EQ(panel->caretOffset(), 0x60000000u);
    EXPECT_EQ(panel->caretNibble(), 1);
    typed('d');
    EXPECT_EQ(byteAt(0x60000000), 0x0D);
}

}  // namespace
