#include "display/ui/PositionDialogs.h"

#include <gtest/gtest.h>

#include <QTest>

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "tests/support/ScriptedMessageService.h"

namespace {

class PositionDialogsTest : public testing::Test {
  protected:
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages{strings};

    std::string lastMessage() const {
        return messages.shown().empty() ? "" : messages.shown().back().text;
    }
};

TEST_F(PositionDialogsTest, SetRangeStaysOpenOnEachFaultAndAcceptsTheDataEnd) {
    // Data start 0x100, 0x40 bytes, caret at offset 0x10.
    SetRangeDialog dialog(0, 0, {0x100, 0x140, 0x110}, 0x100, 0x40, messages);
    dialog.show();
    EXPECT_EQ(dialog.startEdit()->text(), "0");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(lastMessage(), "Data start address can't  be same as data end address");

    dialog.endEdit()->setText("120");
    dialog.accept();
    EXPECT_EQ(lastMessage(), "Data address can't be smaller than the minimum address");

    // Presets write their values; the end of the data is a valid end.
    emit dialog.startPresets()->activated(2);
    EXPECT_EQ(dialog.startEdit()->text(), "110");
    dialog.endEdit()->setText("141");
    dialog.accept();
    EXPECT_EQ(lastMessage(), "Data address can't be larger than the maximal address");
    dialog.endEdit()->setText("140");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.start(), 0x110);
    EXPECT_EQ(dialog.end(), 0x140);
}

TEST_F(PositionDialogsTest, SwitchingTheBaseRewritesBothEditsAndPresetsFollowIt) {
    SetRangeDialog dialog(0x100, 0x10f, {0x100, 0x140, 0x100}, 0x100, 0x40, messages);
    dialog.bases().button(NumberBase::Decimal)->setChecked(true);
    EXPECT_EQ(dialog.startEdit()->text(), "256");
    EXPECT_EQ(dialog.endEdit()->text(), "271");
    dialog.bases().button(NumberBase::Octal)->setChecked(true);
    EXPECT_EQ(dialog.endEdit()->text(), "417");
    emit dialog.startPresets()->activated(1);
    EXPECT_EQ(dialog.startEdit()->text(), "500");  // 0x140 in octal
    dialog.show();
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.start(), 0x10f);
    EXPECT_EQ(dialog.end(), 0x140);
}

TEST_F(PositionDialogsTest, SetColumnBlockReportsOrderThenRange) {
    SetColumnBlockDialog dialog({2, 2, 1, 1}, 10, 8, messages);
    dialog.show();
    dialog.edit(1)->setText("1");
    dialog.accept();
    EXPECT_EQ(lastMessage(), "The last line can't be smaller the first line");
    dialog.edit(1)->setText("10");
    dialog.accept();
    EXPECT_EQ(lastMessage(), "The line number is out of range");
    dialog.edit(1)->setText("9");
    dialog.edit(3)->setText("8");
    dialog.accept();
    EXPECT_EQ(lastMessage(), "The column number is out of range");
    EXPECT_TRUE(dialog.isVisible());
    dialog.edit(3)->setText("7");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.block().lastRow, 9);
    EXPECT_EQ(dialog.block().lastColumn, 7);
}

TEST_F(PositionDialogsTest, SpecifyPositionReadsTheChosenBaseWithinItsBounds) {
    SpecifyPositionDialog dialog("Set Data Start Address", 0, 0xffffffff, 0x2a, messages);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Set Data Start Address");
    EXPECT_EQ(dialog.edit()->text(), "2a");
    dialog.edit()->setText("100000000");
    dialog.accept();
    EXPECT_EQ(lastMessage(), "Data address is out of the specified range");
    dialog.bases().button(NumberBase::Decimal)->setChecked(true);
    EXPECT_EQ(dialog.edit()->text(), "4294967296");
    dialog.edit()->setText("4096");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.value(), 4096);
}

TEST_F(PositionDialogsTest, AFieldTakesOnlyTheDigitsOfItsNumberSystemAsTheyAreTyped) {
    SpecifyPositionDialog dialog("Set Data Size", 0, 0xffffffff, 0, messages);
    dialog.show();
    dialog.edit()->clear();
    QTest::keyClicks(dialog.edit(), "1g-f 2");
    EXPECT_EQ(dialog.edit()->text(), "1f2");
    dialog.bases().button(NumberBase::Decimal)->setChecked(true);
    EXPECT_EQ(dialog.edit()->text(), "498");
    QTest::keyClicks(dialog.edit(), "a9");
    EXPECT_EQ(dialog.edit()->text(), "4989");
    dialog.bases().button(NumberBase::Octal)->setChecked(true);
    QTest::keyClicks(dialog.edit(), "89");
    EXPECT_EQ(dialog.edit()->text(), "11575");
}

TEST_F(PositionDialogsTest, ADialogOpensWideEnoughForItsTitle) {
    SetColumnBlockDialog dialog({0, 0, 0, 0}, 10, 8, messages);
    dialog.show();
    QFont bold = dialog.font();
    bold.setBold(true);
    // The title bar holds the title beside the window's icon and buttons.
    EXPECT_GE(dialog.width(), QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + 120);
}

}  // namespace
