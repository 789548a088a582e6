// The interpretation window's buttons, hiding and stored values, the
// Interpretation options page, and Pellwick driven as a user drives it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "calc/HexEditBoxMenu.h"
#include "calc/ui/CHexEditBox.h"
#include "interpret/InterpreterStrings.h"
#include "interpret/ui/CHexInterpreter.h"
#include "interpret/ui/CPellwickDialog.h"
#include "interpret/ui/InterpretationList.h"
#include "interpret/ui/InterpretationPage.h"
#include "platform/Registry.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

class InterpreterWindowsTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings{interpretation::strings(), interpreterWindowStrings(),
                                  pellwickStrings(), hexEditBoxStrings(HexEditProgram::Pellwick)};
    testsupport::ScriptedMessageService messages{strings};
    testsupport::FakeClipboard clipboard;

    void SetUp() override { settings.open(); }
};

const std::uint8_t kBytes[] = {0x00, 0x00, 0x80, 0x3F, 0x01, 0x02};

TEST_F(InterpreterWindowsTest, ButtonsToggleAndTheValuesAreWrittenWhenTheWindowGoes) {
    settings.write(settings::interpreter::Decimal, 5);  // counts as 1
    {
        CHexInterpreter window(settings, strings, nullptr);
        EXPECT_EQ(window.values().decimal, 1);
        window.showData(kBytes, 4, QPoint(40, 50));
        EXPECT_EQ(window.pos(), QPoint(40, 50));
        EXPECT_EQ(window.list()->valueText(11), "1.000000e+000");
        EXPECT_EQ(window.list()->valueText(5), "1065353216");
        EXPECT_EQ(window.list()->valueText(12), "");  // needs eight bytes

        window.button(InterpreterButton::NumberSystem)->click();
        EXPECT_EQ(window.list()->valueText(5), "3f800000H");
        EXPECT_EQ(window.button(InterpreterButton::NumberSystem)->toolTip(),
                  "To decimal presentation");
        window.button(InterpreterButton::ByteOrder)->click();
        EXPECT_EQ(window.list()->valueText(5), "0000803fH");
        EXPECT_EQ(window.list()->valueText(11), "4.600603e-041");
        EXPECT_EQ(window.button(InterpreterButton::ByteOrder)->toolTip(),
                  "To little-endian byte-orders");

        // Locked in place, the values still follow.
        window.button(InterpreterButton::LockPosition)->click();
        EXPECT_TRUE(window.lockPosition());
        window.showData(kBytes + 4, 2, QPoint(300, 300));
        EXPECT_EQ(window.pos(), QPoint(40, 50));
        EXPECT_EQ(window.list()->valueText(4), "0102H");

        // Locking the type selects the first row and disables the list.
        window.button(InterpreterButton::LockDataType)->click();
        EXPECT_FALSE(window.list()->isEnabled());
        EXPECT_EQ(window.list()->currentRow(), 0);
        window.button(InterpreterButton::LockDataType)->click();
        EXPECT_TRUE(window.list()->isEnabled());

        window.setTipsShown(false);
        EXPECT_EQ(window.button(InterpreterButton::Close)->toolTip(), "");

        window.show();
        window.button(InterpreterButton::Close)->click();
        EXPECT_TRUE(window.isHiddenByUser());
        EXPECT_FALSE(window.isVisible());
        // While hidden, caret moves neither update nor show it.
        int reads = 0;
        window.followCaret(QPoint(10, 10), 16, [&reads](std::uint8_t*, int&) {
            ++reads;
            return true;
        });
        EXPECT_EQ(reads, 0);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(settings.get(settings::interpreter::LockHide), 1);
    EXPECT_EQ(settings.get(settings::interpreter::LockPos), 1);
    EXPECT_EQ(settings.get(settings::interpreter::LittleEndian), 0);
    EXPECT_EQ(settings.get(settings::interpreter::Decimal), 0);
}

TEST_F(InterpreterWindowsTest, FollowingTheCaretShowsTheBytesReadAndAFailedReadChangesNothing) {
    CHexInterpreter window(settings, strings, nullptr);
    window.followCaret(QPoint(100, 100), 16, [](std::uint8_t* bytes, int& count) {
        EXPECT_EQ(count, 16);
        bytes[0] = 'K';
        count = 1;  // the last byte of the data
        return true;
    });
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.list()->valueText(0), "K");
    EXPECT_EQ(window.list()->valueText(7), "4bH");
    EXPECT_EQ(window.list()->valueText(1), "");
    const QPoint placed = window.pos();
    window.followCaret(QPoint(300, 300), 16, [](std::uint8_t*, int&) { return false; });
    EXPECT_EQ(window.list()->valueText(0), "K");
    EXPECT_EQ(window.pos(), placed);
    window.followCaret(QPoint(300, 300), 16, [](std::uint8_t*, int& count) {
        count = 0;  // the caret at the end of the data
        return true;
    });
    EXPECT_EQ(window.list()->valueText(0), "");
}

TEST_F(InterpreterWindowsTest, TheOptionsPageWritesOnlyWhenChanged) {
    settings.write(settings::interpreter::LittleEndian, 0);
    InterpretationPage page(settings);
    EXPECT_TRUE(page.bigEndianButton()->isChecked());
    EXPECT_TRUE(page.hexadecimalButton()->isChecked());
    EXPECT_TRUE(page.autoShowBox()->isChecked());
    EXPECT_EQ(page.decimalButton()->property("helpTopic").toInt(), 1102);
    EXPECT_FALSE(page.isChanged());
    page.decimalButton()->setChecked(true);
    page.autoShowBox()->setChecked(false);
    page.lockPositionBox()->setChecked(true);
    EXPECT_TRUE(page.isChanged());
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(settings.get(settings::interpreter::Decimal), 1);
    EXPECT_EQ(settings.get(settings::interpreter::LockHide), 1);
    EXPECT_EQ(settings.get(settings::interpreter::LockPos), 1);
    EXPECT_EQ(settings.get(settings::interpreter::LittleEndian), 0);
    EXPECT_FALSE(page.isChanged());
}

TEST_F(InterpreterWindowsTest, PellwickReadsTheBytesFromTheCaretWhenEnterIsPressed) {
    CPellwickDialog window(strings, clipboard, messages);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CHexEditBox* box = window.box();
    box->setFocus();
    QTest::keyClicks(box, "41 42 43 44");
    // After typing the caret stands at the end: nothing from there on.
    EXPECT_EQ(window.list()->valueText(0), "");
    box->moveCursor(QTextCursor::Start);
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(box, Qt::Key_Right);
    }
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(window.list()->valueText(0), "C");
    EXPECT_EQ(window.list()->valueText(4), "4443H");
    EXPECT_EQ(window.list()->valueText(2), "CD");  // the two-byte text in both rows
    EXPECT_EQ(window.list()->valueText(5), "");

    // Invalid characters are refused with the box's message.
    QTest::keyClick(box, Qt::Key_G);
    ASSERT_FALSE(messages.shownIds().empty());
    EXPECT_EQ(messages.shownIds().back(), 5001);
    EXPECT_EQ(box->toPlainText(), "41 42 43 44");
}

TEST_F(InterpreterWindowsTest, PellwicksMenusAreEnabledAndCheckedByTheState) {
    CPellwickDialog window(strings, clipboard, messages);
    window.updateMenus();
    EXPECT_FALSE(window.action(pellwickcmd::LittleEndian)->isEnabled());
    EXPECT_TRUE(window.action(pellwickcmd::LittleEndian)->isChecked());
    EXPECT_TRUE(window.action(pellwickcmd::BigEndian)->isEnabled());
    EXPECT_FALSE(window.action(pellwickcmd::Copy)->isEnabled());          // nothing selected
    EXPECT_FALSE(window.action(pellwickcmd::SwapTwoBytes)->isEnabled());  // an empty box
    window.action(pellwickcmd::LittleEndian)->trigger();  // disabled: nothing happens
    EXPECT_TRUE(window.values().littleEndian);
    window.action(pellwickcmd::BigEndian)->trigger();
    EXPECT_FALSE(window.values().littleEndian);
    EXPECT_TRUE(window.action(pellwickcmd::BigEndian)->isChecked());
    EXPECT_EQ(window.button(InterpreterButton::ByteOrder)->toolTip(),
              "To little-endian byte-orders");
    window.action(pellwickcmd::Decimal)->trigger();
    EXPECT_EQ(window.values().decimal, 1);
    EXPECT_FALSE(window.action(pellwickcmd::Decimal)->isEnabled());
    window.action(pellwickcmd::LockDataType)->trigger();
    EXPECT_TRUE(window.lockDataType());
    EXPECT_TRUE(window.action(pellwickcmd::LockDataType)->isChecked());
    EXPECT_FALSE(window.list()->isEnabled());
    window.box()->setHexText("01 02 03 04 05 06 07 08");
    window.updateMenus();
    EXPECT_TRUE(window.action(pellwickcmd::SwapTwoBytes)->isEnabled());
    window.action(pellwickcmd::SwapTwoBytes)->trigger();
    EXPECT_EQ(window.box()->hexText().substr(0, 5), "02 01");
}

}  // namespace
