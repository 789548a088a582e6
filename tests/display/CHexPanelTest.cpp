#include "display/CHexPanel.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "settings/CSettings.h"
#include "tests/display/OpenPanel.h"
#include "tests/support/RecordingGraphics.h"
#include "tests/support/RecordingNativeWindow.h"
#include "tests/support/TempDir.h"

namespace {

using testing::Contains;
using testsupport::RecordingGraphics;

std::string counting(int n) {
    std::string bytes;
    for (int i = 0; i < n; ++i) {
        bytes += static_cast<char>(i & 0xFF);
    }
    return bytes;
}

class CHexPanelTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    testsupport::RecordingNativeWindow window{{1200, 600}};
    std::unique_ptr<CHexPanel> panel;

    void SetUp() override { settings.open(); }

    void open(const std::string& bytes, int lineWidth = 16, int indent = 0, int unit = 1) {
        settings.write(settings::edit::LineBytes, lineWidth);
        settings.write(settings::edit::NullBytes, indent);
        settings.write(settings::edit::UnitBytes, unit);
        panel = testsupport::openPanel(settings, window, dir.file("data.bin"), bytes);
    }

    RecordingGraphics paint() {
        RecordingGraphics graphics({0, 0, 1200, 600});
        panel->paintWindow(graphics);
        return graphics;
    }

    // The texts drawn in `color`, in order.
    static std::vector<std::string> textsIn(const RecordingGraphics& graphics, ColorRef color) {
        std::vector<std::string> found;
        for (const auto& call : graphics.callsOfKind("text")) {
            if (call.color == color) {
                found.push_back(call.text);
            }
        }
        return found;
    }
    static const RecordingGraphics::Call* textCall(const RecordingGraphics& graphics,
                                                   const std::string& text) {
        for (const auto& call : graphics.calls()) {
            if (call.kind == "text" && call.text == text) {
                return &call;
            }
        }
        return nullptr;
    }
};

TEST_F(CHexPanelTest, DrawsAddressesHexAndCharactersLineByLine) {
    open("ABCDEFGHIJKLMNOPQRS");
    const RecordingGraphics graphics = paint();
    const auto addresses = textsIn(graphics, 0xFF0000);
    EXPECT_THAT(addresses, Contains("00000000"));
    EXPECT_THAT(addresses, Contains("00000010"));
    EXPECT_THAT(textsIn(graphics, 0), Contains("41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50"));
    EXPECT_THAT(textsIn(graphics, 0), Contains("51 52 53"));
    EXPECT_THAT(textsIn(graphics, 0), Contains("ABCDEFGHIJKLMNOP"));
    EXPECT_THAT(textsIn(graphics, 0), Contains("QRS"));
    // The header band: "Offset" and the column numbers.
    EXPECT_NE(textCall(graphics, "Offset"), nullptr);
    EXPECT_NE(textCall(graphics, "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"), nullptr);
}

TEST_F(CHexPanelTest, AnIndentShiftsTheFirstLineButNotTheAddresses) {
    open(counting(40), 16, 3);
    const RecordingGraphics graphics = paint();
    const auto addresses = textsIn(graphics, 0xFF0000);
    EXPECT_THAT(addresses, Contains("00000000"));
    EXPECT_THAT(addresses, Contains("00000010"));
    // Line 1 starts with byte 13.
    EXPECT_THAT(textsIn(graphics, 0), Contains("0D 0E 0F 10 11 12 13 14 15 16 17 18 19 1A 1B 1C"));
    EXPECT_THAT(textsIn(graphics, 0), Contains("         00 01 02 03 04 05 06 07 08 09 0A 0B 0C"));
    // The header's numbers over the indent come in their own colour.
    EXPECT_NE(textCall(graphics, "0D 0E 0F                                       "), nullptr);
}

TEST_F(CHexPanelTest, TheHeaderCoversWholeUnits) {
    open(counting(30), 10, 0, 4);
    const RecordingGraphics graphics = paint();
    // The third unit holds two bytes; its header goes on with 00 01.
    EXPECT_NE(textCall(graphics, "00010203 04050607 08090001"), nullptr);
    EXPECT_THAT(textsIn(graphics, 0), Contains("00010203 04050607 0809"));  // line 0's bytes
}

TEST_F(CHexPanelTest, AddressesFrom4GiBWidenTheAddressColumn) {
    open(counting(64));
    const int narrow = panel->addressPanel().getBounds().width;
    panel->setDataStartAddress(0xFFFFFFF0u);  // line 1 is at 0x100000000
    const int wide = panel->addressPanel().getBounds().width;
    EXPECT_EQ(wide, narrow + 8);  // one more digit
    EXPECT_EQ(panel->hexPanel().getBounds().x, panel->addressPanel().getBounds().right() + 4);
    const RecordingGraphics graphics = paint();
    EXPECT_THAT(textsIn(graphics, 0xFF0000), Contains("0FFFFFFF0"));
    EXPECT_THAT(textsIn(graphics, 0xFF0000), Contains("100000000"));
}

TEST_F(CHexPanelTest, TheCharacterPanelShows7FAndEscapes80) {
    open(std::string("\x7F\x80\x1F z", 5));
    EXPECT_THAT(textsIn(paint(), 0), Contains(std::string("\x7F.. z")));
}

TEST_F(CHexPanelTest, ModifiedBytesAreDrawnAgainInTheirColour) {
    open(counting(32));
    std::uint8_t byte = 0xEE;
    ASSERT_TRUE(panel->data().writeByte(byte, 17, true));
    panel->loadVisibleData();
    const auto modified = textsIn(paint(), 224);
    ASSERT_EQ(modified.size(), 2u);
    EXPECT_EQ(modified[0], "   EE                                          ");
    EXPECT_EQ(modified[1], " ." + std::string(14, ' '));  // 0xEE shows as the escape character
}

TEST_F(CHexPanelTest, EveryLineOfATallWindowIsDrawnWhateverTheLineWidth) {
    window.setClientSize({2000, 2000});
    open(counting(99 * 200), 99);
    panel->doLayout();
    RecordingGraphics graphics({0, 0, 2000, 2000});
    panel->paintWindow(graphics);
    int addressLines = 0;
    int dataLines = 0;
    for (const auto& call : graphics.callsOfKind("text")) {
        addressLines += call.color == 0xFF0000 && call.text.size() == 8 ? 1 : 0;
        dataLines += call.color == 0 && call.text.size() == 99 * 3 - 1 ? 1 : 0;
    }
    const int expected = static_cast<int>((2000 - 28 - 4 + 15) / 16);
    EXPECT_GE(addressLines, expected);
    EXPECT_GE(dataLines, expected);  // far more than 4096 bytes' worth of lines
}

TEST_F(CHexPanelTest, HiddenPanelsTakeTheirPartnersWithThem) {
    open(counting(32));
    const int widthAll = panel->getSize().width;
    panel->toggleAddressPanel();
    EXPECT_FALSE(panel->addressPanel().isVisible());
    EXPECT_FALSE(panel->borderPanel().isVisible());
    panel->toggleCharacterPanel();
    EXPECT_FALSE(panel->charPanel().isVisible());
    EXPECT_FALSE(panel->handlePanel().isVisible());
    EXPECT_TRUE(panel->hexPanel().isVisible());
    EXPECT_LT(panel->getSize().width, widthAll);
    const RecordingGraphics graphics = paint();
    EXPECT_THAT(textsIn(graphics, 0xFF0000), testing::Not(Contains("00000000")));
}

TEST_F(CHexPanelTest, DataScrollSidewaysUnderTheFixedColumns) {
    window.setClientSize({300, 600});
    open(counting(64), 32);
    panel->doLayout();
    const RecordingGraphics before = paint();
    const std::string firstLine =
        "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D "
        "1E 1F";
    const int hexX = textCall(before, firstLine)->bounds.x;
    const int addressX = textCall(before, "00000000")->bounds.x;
    panel->scrollToX(80);
    EXPECT_EQ(panel->state().scrollX, 80);
    const RecordingGraphics after = paint();
    EXPECT_EQ(textCall(after, firstLine)->bounds.x, hexX - 80);
    EXPECT_EQ(textCall(after, "00000000")->bounds.x, addressX);
    // The fixed columns are painted last, over the data scrolled beneath them.
    const auto& calls = after.calls();
    const auto addressAt = std::find_if(calls.begin(), calls.end(),
                                        [](const auto& c) { return c.text == "00000000"; });
    const auto hexAt = std::find_if(calls.begin(), calls.end(),
                                    [&](const auto& c) { return c.text == firstLine; });
    EXPECT_GT(addressAt, hexAt);
    EXPECT_EQ(panel->panelAt(addressX + 2, 100), &panel->addressPanel());
}

TEST_F(CHexPanelTest, ARangeSelectionIsInvertedFromItsFirstToItsLastCell) {
    open(counting(64));
    panel->setSelection(Selection::range(14, 18));  // bytes 14..17 across a line end
    const RecordingGraphics graphics = paint();
    std::vector<Rectangles> inverted;
    for (const auto& call : graphics.callsOfKind("invert")) {
        inverted.push_back(call.bounds);
        EXPECT_EQ(call.color, 6208u);
    }
    // Hex panel: cells 42..46 of line 0 and 0..4 of line 1; character panel likewise.
    const int hexLeft = panel->hexPanel().getBounds().x + 8;
    EXPECT_THAT(inverted, Contains(Rectangles(hexLeft + 42 * 8, 28 + 4, (47 - 42) * 8, 16)));
    EXPECT_THAT(inverted, Contains(Rectangles(hexLeft, 28 + 4 + 16, 5 * 8, 16)));
    const int charLeft = panel->charPanel().getBounds().x + 8;
    EXPECT_THAT(inverted, Contains(Rectangles(charLeft + 14 * 8, 32, 2 * 8, 16)));
    EXPECT_THAT(inverted, Contains(Rectangles(charLeft, 48, 2 * 8, 16)));
}

TEST_F(CHexPanelTest, AColumnBlockIsInvertedAcrossItsLines) {
    open(counting(64), 16, 0, 2);
    panel->setSelection(Selection::block(1, 2, 1, 2));
    const RecordingGraphics graphics = paint();
    const int hexLeft = panel->hexPanel().getBounds().x + 8;
    std::vector<Rectangles> inverted;
    for (const auto& call : graphics.callsOfKind("invert")) {
        inverted.push_back(call.bounds);
    }
    // Units of 5 cells: columns 1..2 are cells 5..14 (no trailing blank).
    EXPECT_THAT(inverted, Contains(Rectangles(hexLeft + 5 * 8, 48, 9 * 8, 16)));
    EXPECT_THAT(inverted, Contains(Rectangles(hexLeft + 5 * 8, 64, 9 * 8, 16)));
}

TEST_F(CHexPanelTest, LineWidthCommandsKeepTheBoundsAndTheIndent) {
    open(counting(64), 24, 20);
    EXPECT_TRUE(panel->changeLineWidth(-100));
    EXPECT_EQ(panel->state().presentation.lineWidth(), 8);
    EXPECT_EQ(panel->state().presentation.indent(), 0);
    EXPECT_FALSE(panel->changeLineWidth(-1));
    panel->handleLineWidthMessage(1000);
    EXPECT_EQ(panel->state().presentation.lineWidth(), 99);
    // The handle: less than one unit's width changes nothing.
    EXPECT_EQ(panel->handlePanel().candidateWidth(100, 100 + 23, 8, 99), 99);
    panel->changeLineWidth(-83);
    EXPECT_EQ(panel->handlePanel().candidateWidth(100, 100 + 23, 8, 99), 16);
    EXPECT_EQ(panel->handlePanel().candidateWidth(100, 100 + 24, 8, 99), 17);
    EXPECT_EQ(panel->handlePanel().candidateWidth(100, 100 + 24000, 8, 99), 99);
}

TEST_F(CHexPanelTest, AUnitChangeMovesCaretAndSelectionToUnitStarts) {
    open(counting(64));
    panel->setCaretOffset(7);
    panel->setSelection(Selection::range(3, 10));
    ASSERT_TRUE(panel->changeUnit(4));
    EXPECT_EQ(panel->caretOffset(), 4u);
    EXPECT_EQ(panel->state().selection.start, 0u);
    EXPECT_EQ(panel->state().selection.end, 8u);
    panel->setSelection(Selection::range(5, 6));
    ASSERT_TRUE(panel->changeUnit(8));
    EXPECT_EQ(panel->state().selection.kind, Selection::Kind::None);
}

TEST_F(CHexPanelTest, AUnitChangeReanchorsAColumnBlockAndDropsTheIndent) {
    open(counting(128), 16, 2, 1);
    panel->setSelection(Selection::block(1, 3, 5, 9));  // byte columns 5..9
    ASSERT_TRUE(panel->changeUnit(4));
    EXPECT_EQ(panel->state().presentation.indent(), 0);
    EXPECT_EQ(panel->state().selection.firstLine, 1u);
    EXPECT_EQ(panel->state().selection.lastLine, 3u);
    EXPECT_EQ(panel->state().selection.firstColumn, 1);       // 5 / 4
    EXPECT_EQ(panel->state().selection.lastColumn, 2);        // 9 / 4
    EXPECT_EQ(panel->state().presentation.pageHeight(), 48);  // nothing else changes
    EXPECT_TRUE(panel->increaseIndent());
    EXPECT_EQ(panel->state().selection.kind,
              Selection::Kind::None);  // indent commands clear blocks
}

TEST_F(CHexPanelTest, ANewLineWidthKeepsTheSameBytesNearTheTop) {
    open(counting(16 * 1000), 16);
    panel->scrollToLine(500);
    ASSERT_TRUE(panel->changeLineWidth(16));  // 32 bytes a line
    EXPECT_EQ(panel->state().firstLine, 250);
}

TEST_F(CHexPanelTest, TheLastLineOfAHugeFileIsReachable) {
    const std::string path = dir.file("huge");
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(20ull << 30)), 0);  // 2.7e9 lines at 8 bytes
    ASSERT_EQ(pwrite(fd, "LAST", 4, static_cast<off_t>((20ull << 30) - 4)), 4);
    ::close(fd);
    settings.write(settings::edit::LineBytes, 8);
    panel = std::make_unique<CHexPanel>(settings, CEditDataServices{settings, nullptr, nullptr});
    panel->setNativeWindow(&window);
    panel->setFontMetrics(8, 16);
    ASSERT_TRUE(panel->openFile(path, kGenericRead));
    ASSERT_GT(panel->state().lineCount(), 1ull << 31);
    panel->scrollToLine(INT64_MAX);
    EXPECT_EQ(panel->state().firstLine, panel->maxFirstLine());
    EXPECT_EQ(window.verticalPosition, panel->maxFirstLine());
    const RecordingGraphics graphics = paint();
    EXPECT_THAT(textsIn(graphics, 0xFF0000), Contains("4FFFFFFF8"));
    EXPECT_THAT(textsIn(graphics, 0), Contains("00 00 00 00 4C 41 53 54"));
}

TEST_F(CHexPanelTest, TheMarkPanelDrawsPageMarksLinemarksAndShownDatamarks) {
    open(counting(16 * 100), 16, 3);
    panel->linemarks().add(2);
    const_cast<ViewState&>(panel->state()).datamarks = {{13, 101, true}, {40, 102, false}};
    const RecordingGraphics graphics = paint();
    const int top = 28 + 4;
    std::vector<std::pair<int, int>> images;  // image id, line
    for (const auto& call : graphics.callsOfKind("image")) {
        images.emplace_back(call.imageId, (call.bounds.y - top) / 16);
    }
    EXPECT_THAT(images, Contains(std::make_pair(viewimage::kPageMark, 0)));
    EXPECT_THAT(images, Contains(std::make_pair(101, 1)));                // (13 + 3) / 16
    EXPECT_THAT(images, testing::Not(Contains(std::make_pair(102, 2))));  // a hidden level
    const auto rounded = graphics.callsOfKind("roundRect");
    ASSERT_EQ(rounded.size(), 1u);
    EXPECT_EQ((rounded[0].bounds.y - top) / 16, 2);
    EXPECT_EQ(rounded[0].background, 0xFFFF80u);
}

TEST_F(CHexPanelTest, ClosingStoresThePresentationForTheNextView) {
    open(counting(8), 16, 0, 1);
    panel->changeLineWidth(4);
    panel->toggleHeader();
    panel->closeFile();
    EXPECT_EQ(settings.get(settings::edit::LineBytes), 20);
    EXPECT_EQ(settings.get(settings::view::HexdataTitle), 0);
}

}  // namespace
