#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "display/CHexPanel.h"
#include "display/MarkCommands.h"
#include "marks/MarkCommandIds.h"
#include "settings/CSettings.h"
#include "tests/display/OpenPanel.h"
#include "tests/support/RecordingNativeWindow.h"
#include "tests/support/TempDir.h"

namespace {

using Kind = NativeMouseMessage::Kind;

class CHexPanelPointerTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    testsupport::RecordingNativeWindow window{{1400, 600}};
    std::unique_ptr<CHexPanel> panel;

    void SetUp() override {
        settings.open();
        settings.write(settings::edit::LineBytes, 16);
        panel = testsupport::openPanel(settings, window, dir.file("data.bin"),
                                       std::string(16 * 200, 'x'));
    }

    void mouse(Kind kind, int x, int y, std::uint32_t modifiers = 0) {
        panel->handleMouse({kind, x, y, modifiers, true});
    }
    int handleX() const { return panel->handlePanel().getBounds().x + 2; }
};

TEST_F(CHexPanelPointerTest, DraggingTheHandleChangesTheWidthInWholeUnits) {
    const int unitPixels = 3 * 8;  // two digits and a blank with unit 1
    mouse(Kind::LeftDown, handleX(), 100, modifier::LeftButton);
    mouse(Kind::Move, handleX() + unitPixels * 4 + 5, 100, modifier::LeftButton);
    EXPECT_TRUE(panel->handlePanel().isDragging());
    EXPECT_EQ(panel->handlePanel().candidate(), 20);
    EXPECT_EQ(panel->handlePanel().dragTipText(), "Line Width: 14");  // hexadecimal addresses
    mouse(Kind::LeftUp, handleX() + unitPixels * 4 + 5, 100);
    EXPECT_EQ(panel->state().presentation.lineWidth(), 20);
}

TEST_F(CHexPanelPointerTest, LessThanAUnitOrTheRightButtonChangesNothing) {
    mouse(Kind::LeftDown, handleX(), 100, modifier::LeftButton);
    mouse(Kind::Move, handleX() + 20, 100, modifier::LeftButton);
    mouse(Kind::LeftUp, handleX() + 20, 100);
    EXPECT_EQ(panel->state().presentation.lineWidth(), 16);

    mouse(Kind::LeftDown, handleX(), 100, modifier::LeftButton);
    mouse(Kind::Move, handleX() + 500, 100, modifier::LeftButton);
    mouse(Kind::RightUp, handleX() + 500, 100);
    mouse(Kind::LeftUp, handleX() + 500, 100);
    EXPECT_EQ(panel->state().presentation.lineWidth(), 16);
}

TEST_F(CHexPanelPointerTest, TheHandlePostsItsMessageThroughTheWindow) {
    std::vector<std::pair<int, int>> posted;
    panel->setMessagePoster(
        [&](int message, int parameter) { posted.emplace_back(message, parameter); });
    mouse(Kind::LeftDown, handleX(), 100, modifier::LeftButton);
    mouse(Kind::Move, handleX() - 3 * 8 * 2, 100, modifier::LeftButton);
    mouse(Kind::LeftUp, handleX() - 3 * 8 * 2, 100);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], std::make_pair(CHexPanel::kLineWidthMessage, -2));
    EXPECT_EQ(panel->state().presentation.lineWidth(), 16);  // until the message is handled
}

TEST_F(CHexPanelPointerTest, CursorsFollowThePanelUnderThePointer) {
    const auto x = [&](const CHexShow& shown) { return shown.getBounds().x + 2; };
    EXPECT_EQ(panel->cursorAt(x(panel->hexPanel()), 100), CHexPanel::Cursor::IBeam);
    EXPECT_EQ(panel->cursorAt(x(panel->charPanel()), 100), CHexPanel::Cursor::IBeam);
    EXPECT_EQ(panel->cursorAt(x(panel->addressPanel()), 100), CHexPanel::Cursor::Arrow);
    EXPECT_EQ(panel->cursorAt(x(panel->borderPanel()), 100), CHexPanel::Cursor::Arrow);
    EXPECT_EQ(panel->cursorAt(x(panel->markPanel()), 100), CHexPanel::Cursor::Mark);
    EXPECT_EQ(panel->cursorAt(handleX(), 100), CHexPanel::Cursor::Sizing);
}

TEST_F(CHexPanelPointerTest, TheMarkPanelTellsPageMarksAndLinemarks) {
    const Rectangles mark = panel->markPanel().getBounds();
    const int centre = mark.x + mark.width / 2;
    const int line48 = 28 + 4 + 48 * 16 + 8;  // the middle of line 48
    panel->scrollToLine(40);
    const int shown48 = line48 - 40 * 16;
    EXPECT_EQ(panel->markTipAt(centre, shown48), "Page: 2");
    EXPECT_EQ(panel->markTipAt(centre, shown48 + 16), "");
    panel->linemarks().add(49);
    EXPECT_EQ(panel->markTipAt(centre, shown48 + 16), "Linemark (temp bookmark)");
    panel->togglePageTips();
    EXPECT_EQ(panel->markTipAt(centre, shown48), "");
}

TEST_F(CHexPanelPointerTest, DatamarksTellTheirNameColourAndCursor) {
    const Rectangles mark = panel->markPanel().getBounds();
    const int centre = mark.x + mark.width / 2;
    const int line2 = 28 + 4 + 2 * 16 + 8;  // the middle of line 2
    CBmitemObj plain;
    plain.name = "plain";
    plain.position = 2 * 16;
    CBmitemObj linked = plain;
    linked.name = "linked";
    linked.position = 3 * 16;
    linked.associations = {"#plain"};
    panel->datamarks().list().append(plain);
    panel->datamarks().list().append(linked);
    panel->refreshDatamarks();
    EXPECT_EQ(panel->markTipAt(centre, line2), "Datamark (plain)");
    EXPECT_EQ(panel->markTipColourAt(centre, line2), 0u);
    EXPECT_EQ(panel->cursorAt(centre, line2), CHexPanel::Cursor::Arrow);
    EXPECT_EQ(panel->markTipAt(centre, line2 + 16), "Datamark (linked)");
    EXPECT_EQ(panel->markTipColourAt(centre, line2 + 16), 0xFF0000u);
    EXPECT_EQ(panel->cursorAt(centre, line2 + 16), CHexPanel::Cursor::Link);
    // A hidden level is neither told nor hit.
    panel->datamarks().list().at(1).level = 9;
    panel->refreshDatamarks();
    EXPECT_EQ(panel->markTipAt(centre, line2 + 16), "");
    EXPECT_EQ(panel->cursorAt(centre, line2 + 16), CHexPanel::Cursor::Mark);
}

TEST_F(CHexPanelPointerTest, RightButtonReleasesAskForTheirPanelsMenu) {
    std::vector<CHexPanel::Menu> asked;
    panel->setMenuRequester([&](CHexPanel::Menu menu, int, int) { asked.push_back(menu); });
    const auto click = [&](const CHexShow& shown) {
        const int x = shown.getBounds().x + 3;
        mouse(Kind::RightDown, x, 100, modifier::RightButton);
        mouse(Kind::RightUp, x, 100);
    };
    click(panel->hexPanel());
    click(panel->charPanel());
    click(panel->addressPanel());
    click(panel->markPanel());
    EXPECT_THAT(asked, testing::ElementsAre(CHexPanel::Menu::Data, CHexPanel::Menu::Data,
                                            CHexPanel::Menu::Address, CHexPanel::Menu::Bookmark));
}

TEST_F(CHexPanelPointerTest, ADoubleClickOnTheAddressPanelOrTheHeaderBandTogglesTheBase) {
    const int x = panel->addressPanel().getBounds().x + 3;
    mouse(Kind::LeftDoubleClick, x, 100, modifier::LeftButton);
    EXPECT_FALSE(panel->state().presentation.hexAddresses());
    // Over a data panel only the header band toggles it; the data do not.
    const int hexX = panel->hexPanel().getBounds().x + 20;
    mouse(Kind::LeftDoubleClick, hexX, 10, modifier::LeftButton);
    EXPECT_TRUE(panel->state().presentation.hexAddresses());
    mouse(Kind::LeftDoubleClick, hexX, 100, modifier::LeftButton);
    EXPECT_TRUE(panel->state().presentation.hexAddresses());
    const int charX = panel->charPanel().getBounds().x + 10;
    mouse(Kind::LeftDoubleClick, charX, 10, modifier::LeftButton);
    EXPECT_FALSE(panel->state().presentation.hexAddresses());
}

TEST_F(CHexPanelPointerTest, EventsReachScrolledPanelsWhereTheyAreShown) {
    window.setClientSize({500, 600});
    panel->doLayout();
    panel->scrollToX(100);
    ASSERT_EQ(panel->state().scrollX, 96);  // whole characters
    // The handle now shows that much further left.
    const int shownX = panel->handlePanel().getBounds().x - 96 + 2;
    EXPECT_EQ(panel->cursorAt(shownX, 100), CHexPanel::Cursor::Sizing);
    mouse(Kind::LeftDown, shownX, 100, modifier::LeftButton);
    EXPECT_TRUE(panel->handlePanel().isDragging());
    mouse(Kind::LeftUp, shownX, 100);
}

}  // namespace

namespace {

// Lines are 16 pixels high below a header band of 28 and a gap of 4.
int middleOfLine(int line) {
    return 28 + 4 + line * 16 + 8;
}

TEST_F(CHexPanelPointerTest, TheMarkPanelMovesTheCaretToALineAndADoubleClickMarksIt) {
    const int x = panel->markPanel().getBounds().x + 3;
    mouse(Kind::LeftDown, x, middleOfLine(3), modifier::LeftButton);
    mouse(Kind::LeftUp, x, middleOfLine(3));
    EXPECT_EQ(panel->caretOffset(), 48u);
    EXPECT_FALSE(panel->hasSelection());
    mouse(Kind::LeftDown, x, middleOfLine(5), modifier::LeftButton);
    mouse(Kind::LeftUp, x, middleOfLine(5));
    mouse(Kind::LeftDoubleClick, x, middleOfLine(5), modifier::LeftButton);
    EXPECT_EQ(panel->linemarks().lines(), (std::vector<std::uint64_t>{5}));
    mouse(Kind::LeftDoubleClick, x, middleOfLine(5), modifier::LeftButton);
    EXPECT_TRUE(panel->linemarks().empty());
}

TEST_F(CHexPanelPointerTest, ToggleFromTheBookmarkMenuRemovesTheMarkUnderThePointer) {
    panel->linemarks().add(2);
    panel->gotoOffset(16 * 7);  // the caret on line 7
    const int x = panel->markPanel().getBounds().x + 3;
    MarkCommands commands(panel.get());
    const auto toggleFromMenuAt = [&](int line) {
        panel->setMenuRequester(
            [&](CHexPanel::Menu, int, int) { commands.run(cmd::SearchToggleLinemark); });
        mouse(Kind::RightDown, x, middleOfLine(line), modifier::RightButton);
        mouse(Kind::RightUp, x, middleOfLine(line));
    };
    toggleFromMenuAt(2);  // over the mark: that one goes
    EXPECT_TRUE(panel->linemarks().empty());
    toggleFromMenuAt(4);  // over no mark: the caret's line
    EXPECT_EQ(panel->linemarks().lines(), (std::vector<std::uint64_t>{7}));
    commands.run(cmd::SearchToggleLinemark);  // from the main menu: the caret's line
    EXPECT_TRUE(panel->linemarks().empty());
}

TEST_F(CHexPanelPointerTest, NextAndPreviousGoToTheFirstByteOfTheMarkedLines) {
    MarkCommands commands(panel.get());
    EXPECT_FALSE(commands.state(cmd::SearchNextLinemark)->enabled);
    EXPECT_TRUE(commands.state(cmd::SearchToggleLinemark)->enabled);
    EXPECT_FALSE(commands.state(cmd::SearchNextDatamark)->enabled);
    for (const std::uint64_t line : {5u, 9u, 20u}) {
        panel->linemarks().add(line);
    }
    EXPECT_TRUE(commands.state(cmd::SearchClearAllLinemarks)->enabled);
    panel->selectRange(16 * 9 + 3, 16 * 9 + 9);  // the caret on line 9, a selection
    commands.run(cmd::SearchNextLinemark);
    EXPECT_EQ(panel->caretOffset(), 16u * 20);
    EXPECT_FALSE(panel->hasSelection());
    EXPECT_GE(panel->state().firstLine + panel->state().wholeLines(), 21);  // scrolled into view
    commands.run(cmd::SearchNextLinemark);
    EXPECT_EQ(panel->caretOffset(), 16u * 5);  // wrapped
    commands.run(cmd::SearchPreviousLinemark);
    EXPECT_EQ(panel->caretOffset(), 16u * 20);
    // A mark past the last line (the data grew shorter) leads to the end of the data.
    panel->linemarks().add(5000);
    commands.run(cmd::SearchNextLinemark);
    EXPECT_EQ(panel->caretOffset(), panel->state().dataSize);
    // A new layout keeps the numbers: line 5 is other bytes now.
    panel->changeLineWidth(16);
    panel->gotoOffset(0);
    commands.run(cmd::SearchNextLinemark);
    EXPECT_EQ(panel->caretOffset(), 32u * 5);
    commands.run(cmd::SearchClearAllLinemarks);
    EXPECT_TRUE(panel->linemarks().empty());
}

}  // namespace
