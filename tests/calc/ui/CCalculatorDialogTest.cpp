// Tamsorel's real window driven through its keys, keyboard and menus.
#include "calc/ui/CCalculatorDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <thread>

#include "calc/CalculatorKeys.h"
#include "calc/ui/CHexEditBox.h"
#include "calc/ui/QtLongOperation.h"
#include "exchange/ClipboardFormats.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/ScriptedMessageService.h"

namespace {

class CCalculatorDialogTest : public testing::Test {
  protected:
    CCalculatorDialogTest() {
        window.show();
        window.activateWindow();
        window.box(CalculatorBox::Result)->setFocus();
    }
    std::string text(CalculatorBox which) const { return window.box(which)->hexText(); }
    QWidget* focused() const { return window.box(CalculatorBox::Result); }
    // As a user does: the menu opens (and updates its items), then the item.
    void choose(int id) {
        QAction* item = window.action(id);
        emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
        item->trigger();
    }

    platform::StringTable strings{calculatorStrings(), hexEditBoxStrings(HexEditProgram::Tamsorel)};
    testsupport::ScriptedMessageService messages{strings, "Tamsorel"};
    testsupport::FakeClipboard clipboard;
    CCalculatorDialog window{strings, clipboard, messages};
};

TEST_F(CCalculatorDialogTest, TheWindowHasItsCaptionControlsAndToolTips) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Hexadecimal Multibyte Calculator "));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    for (int id : {1001, 1002, 1003, 1040, 1042, 1004, 1019, 1034, 1037}) {
        EXPECT_NE(window.findChild<QWidget*>(QString::number(id)), nullptr) << id;
    }
    EXPECT_EQ(window.key(calckey::And)->toolTip(), QStringLiteral("Bitwise-AND ( &&& )"));
    EXPECT_EQ(window.key(calckey::Add)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    EXPECT_EQ(window.key(calckey::MemoryStore)->palette().color(QPalette::ButtonText),
              QColor(255, 0, 255));
    EXPECT_TRUE(window.box(CalculatorBox::Result)->isReadOnly());
    EXPECT_TRUE(window.box(CalculatorBox::Second)->isReadOnly());
    EXPECT_FALSE(window.box(CalculatorBox::First)->isReadOnly());

    choose(calckey::ShowTooltips);
    EXPECT_FALSE(window.action(calckey::ShowTooltips)->isChecked());
    EXPECT_TRUE(window.key(calckey::And)->toolTip().isEmpty());
}

TEST_F(CCalculatorDialogTest, TypedDigitsKeypadOperatorsEnterAndTheEqualsKey) {
    QTest::keyClicks(focused(), QStringLiteral("1fF"));
    EXPECT_EQ(text(CalculatorBox::First), "01 ff");
    QTest::keyClick(focused(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("1040"))->text(), QStringLiteral("+"));
    QTest::keyClick(focused(), Qt::Key_Plus);  // the main keyboard's "+" is not a key
    EXPECT_EQ(text(CalculatorBox::Second), "");
    QTest::keyClicks(focused(), QStringLiteral("1"));
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(text(CalculatorBox::Result), "02 00");

    QTest::keyClick(focused(), Qt::Key_Asterisk, Qt::KeypadModifier);
    QTest::keyClicks(focused(), QStringLiteral("2"));
    window.key(calckey::Execute)->click();
    EXPECT_EQ(text(CalculatorBox::Result), "03 fe");
    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());  // Esc resets and keeps the window
    EXPECT_EQ(text(CalculatorBox::First), "");
    QTest::keyClicks(focused(), QStringLiteral("7%3="));
    EXPECT_EQ(text(CalculatorBox::Result), "01");
}

TEST_F(CCalculatorDialogTest, AnOperandBoxHandsTheFocusOnToTheResultBox) {
    window.box(CalculatorBox::First)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), window.box(CalculatorBox::Result));
}

TEST_F(CCalculatorDialogTest, PasteHexTextTakesBytesCopiedInKestraneAndCopyGivesTheResult) {
    clipboard.put(kHexDataFormat, encodeHexData({0, 0, {0x12, 0x34}}));
    choose(calckey::PasteHexText);
    EXPECT_EQ(text(CalculatorBox::First), "12 34 ");
    window.key(calckey::Add)->click();
    choose(calckey::PasteHexText);  // into the active box, the second
    EXPECT_EQ(text(CalculatorBox::Second), "12 34 ");
    window.key(calckey::Execute)->click();
    EXPECT_EQ(text(CalculatorBox::Result), "24 68");
    choose(calckey::CopyOperationResult);
    EXPECT_EQ(clipboard.readText(), "24 68");

    clipboard.putText("no hex here");
    window.key(calckey::Reset)->click();
    choose(calckey::Paste);
    EXPECT_EQ(messages.shownIds(), std::vector<int>{5001});
    EXPECT_EQ(text(CalculatorBox::First), "");
}

TEST_F(CCalculatorDialogTest, AlwaysTopmostIsACheckedWindowFlag) {
    choose(calckey::AlwaysTopmost);
    EXPECT_TRUE(window.action(calckey::AlwaysTopmost)->isChecked());
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());
    choose(calckey::AlwaysTopmost);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.isVisible());
}

TEST(QtLongOperationRunnerTest, EscCancelsAndOtherInputIsHeldBack) {
    QPushButton target(QStringLiteral("key"));
    target.show();
    QtLongOperationRunner runner;
    bool clicked = false;
    QObject::connect(&target, &QPushButton::clicked, [&clicked] { clicked = true; });
    QTimer::singleShot(30, [&] {
        QTest::mouseClick(&target, Qt::LeftButton);  // swallowed while working
        QTest::keyClick(&target, Qt::Key_Escape);
    });
    const bool finished = runner.run([&](const multibyte::CancelFlag& cancel) {
        while (!cancel.load()) {
            std::this_thread::yield();
        }
    });
    EXPECT_FALSE(finished);
    EXPECT_FALSE(clicked);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(runner.run([](const multibyte::CancelFlag&) {}));
}

}  // namespace
