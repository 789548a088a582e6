#include "calc/ui/CHexEditBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "exchange/ClipboardFormats.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/ScriptedMessageService.h"

namespace {

class CHexEditBoxTest : public testing::Test {
  protected:
    platform::StringTable strings{hexEditBoxStrings(HexEditProgram::Tamsorel)};
    testsupport::ScriptedMessageService messages{strings};
    testsupport::FakeClipboard clipboard;

    std::unique_ptr<CHexEditBox> makeBox(HexEditProgram program) {
        auto box = std::make_unique<CHexEditBox>(program, clipboard, messages);
        box->show();
        return box;
    }
    static QAction* item(QMenu& menu, int id) {
        for (QAction* action : menu.actions()) {
            if (action->data().toInt() == id) {
                return action;
            }
        }
        return nullptr;
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : messages.shown()) {
            texts.push_back(shown.text);
        }
        return texts;
    }
};

TEST_F(CHexEditBoxTest, TypingAnInvalidTokenShowsTheMessageAndPutsBackTheLastValidText) {
    auto box = makeBox(HexEditProgram::Kestrane);
    QTest::keyClicks(box.get(), "0a g");
    EXPECT_EQ(box->hexText(), "0a ");
    QTest::keyClicks(box.get(), "123");
    EXPECT_EQ(box->hexText(), "0a 12");
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{"Invalid Hexadecimal character!",
                                                        "Invalid Hexadecimal character!"}));
    // Typing goes on where it stopped.
    QTest::keyClicks(box.get(), " f");
    EXPECT_EQ(box->hexText(), "0a 12 f");
    EXPECT_EQ(box->countBytes(), 3);
}

TEST_F(CHexEditBoxTest, WildcardsAreTakenOnlyWhenTheBoxAcceptsThem) {
    auto box = makeBox(HexEditProgram::Kestrane);
    QTest::keyClicks(box.get(), "1*");
    EXPECT_EQ(box->hexText(), "1");
    box->setWildcardAccepted(true);
    QTest::keyClicks(box.get(), "* 2f");
    EXPECT_EQ(box->hexText(), "1* 2f");
    EXPECT_EQ(box->countBytes(), 2);

    // The tools never accept them.
    auto tool = makeBox(HexEditProgram::Pellwick);
    tool->setWildcardAccepted(true);
    EXPECT_FALSE(tool->wildcardAccepted());
}

TEST_F(CHexEditBoxTest, TheMenuSwapsAndOverwritesTheText) {
    auto box = makeBox(HexEditProgram::Kestrane);
    box->setHexText("  01 02 03 04 05  ");
    auto menu = box->makeContextMenu();
    EXPECT_EQ(menu->actions().size(), 14 + 4);  // with the separators
    QAction* swapFour = item(*menu, 32879);
    ASSERT_NE(swapFour, nullptr);
    EXPECT_EQ(swapFour->text(), "Swap Order of Four Bytes");
    ASSERT_TRUE(swapFour->isEnabled());
    swapFour->trigger();
    EXPECT_EQ(box->hexText(), "04 03 02 01 05 ");
    EXPECT_FALSE(item(*menu, 32872)->isEnabled());  // "Enter Data..."

    box->makeContextMenu();
    ASSERT_TRUE(box->runCommand(32873));
    EXPECT_EQ(box->hexText(), "ff ff ff ff ff ");
    // The change can be undone like typing.
    ASSERT_TRUE(box->isCommandEnabled(32881));
    box->runCommand(32881);
    EXPECT_EQ(box->hexText(), "04 03 02 01 05 ");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(CHexEditBoxTest, TheRightButtonOpensTheMenuOnRelease) {
    auto box = makeBox(HexEditProgram::Pellwick);
    box->setHexText("01");
    QString opened;
    int enabledItems = 0;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            opened = menu->objectName();
            for (QAction* action : menu->actions()) {
                enabledItems += action->isEnabled() && !action->isSeparator() ? 1 : 0;
            }
            menu->close();
        }
    });
    QTest::mouseClick(box->viewport(), Qt::RightButton);
    EXPECT_EQ(opened, "HexEditBox");
    EXPECT_EQ(enabledItems, 6);  // the two overwrites and four swaps
}

TEST_F(CHexEditBoxTest, AReadOnlyOrEmptyBoxDisablesWhatWouldChangeIt) {
    auto box = makeBox(HexEditProgram::Kestrane);
    clipboard.putText("41");
    auto empty = box->makeContextMenu();
    EXPECT_FALSE(item(*empty, 32873)->isEnabled());
    EXPECT_FALSE(item(*empty, 32877)->isEnabled());
    EXPECT_TRUE(item(*empty, 32876)->isEnabled());

    box->setHexText("01 02");
    box->selectAll();
    box->setReadOnly(true);
    auto menu = box->makeContextMenu();
    for (int id : {32882, 32875, 32876, 32884, 32873, 32874, 32877, 32880}) {
        EXPECT_FALSE(item(*menu, id)->isEnabled()) << id;
    }
    EXPECT_TRUE(item(*menu, 32883)->isEnabled());   // Copy: there is a selection
    EXPECT_FALSE(item(*menu, 32885)->isEnabled());  // Select All: all is selected
    EXPECT_FALSE(box->runCommand(32873));
    EXPECT_EQ(box->hexText(), "01 02");
}

TEST_F(CHexEditBoxTest, PasteHexTextReplacesTheSelectionWithCanonicalBytes) {
    auto box = makeBox(HexEditProgram::Kestrane);
    box->setHexText("aa bb cc");
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(3);
    cursor.setPosition(5, QTextCursor::KeepAnchor);  // "bb"
    box->setTextCursor(cursor);
    clipboard.put(kHexDataFormat, encodeHexData({0, 0, {0x41, 0x00}}));
    ASSERT_TRUE(box->runCommand(32875));
    EXPECT_EQ(box->hexText(), "aa 41 00  cc");

    // Copy and cut go to the clipboard as plain text.
    box->selectAll();
    box->runCommand(32882);
    EXPECT_EQ(clipboard.readText(), "aa 41 00  cc");
    EXPECT_EQ(box->hexText(), "");
}

TEST_F(CHexEditBoxTest, TamsorelAppendsPastedTextAndReportsUnusableText) {
    auto box = makeBox(HexEditProgram::Tamsorel);
    box->setHexText("01 02");
    clipboard.putText("03\r\n04");
    ASSERT_TRUE(box->runCommand(32898));
    EXPECT_EQ(box->hexText(), "01 02 03  04");

    clipboard.putText("not hex");
    box->runCommand(32898);
    EXPECT_EQ(box->hexText(), "01 02 03  04");
    EXPECT_EQ(messages.shownIds(), std::vector<int>{5001});
    EXPECT_EQ(messages.shown().back().text, "Invalid hexdecimal data string!");

    // Copy takes the whole text and leaves nothing selected.
    box->runCommand(32906);
    EXPECT_EQ(clipboard.readText(), "01 02 03  04");
    EXPECT_FALSE(box->textCursor().hasSelection());
}

TEST_F(CHexEditBoxTest, TamsorelRefusesAPasteBeyondTheLimitInsteadOfCuttingIt) {
    auto box = makeBox(HexEditProgram::Tamsorel);
    box->setTextLimit(11);
    box->setHexText("01 02");
    clipboard.putText("03 04");
    ASSERT_TRUE(box->runCommand(32898));
    EXPECT_EQ(box->hexText(), "01 02 03 04");
    clipboard.putText("05");
    box->runCommand(32898);
    EXPECT_EQ(box->hexText(), "01 02 03 04");
    EXPECT_EQ(messages.shownIds(), std::vector<int>{5001});
}

TEST_F(CHexEditBoxTest, ASingleLineBoxLeavesEnterToItsDialogAndFlattensPastes) {
    auto box = makeBox(HexEditProgram::Pellwick);
    box->setSingleLine(true);
    QTest::keyClick(box.get(), Qt::Key_Return);
    EXPECT_EQ(box->hexText(), "");
    clipboard.putText("01\n02");
    box->runCommand(32898);
    EXPECT_EQ(box->hexText(), "01 02");

    box->setTextLimit(8);
    clipboard.putText(" 03 04 05");
    box->runCommand(32898);
    EXPECT_EQ(box->hexText(), "01 02 03");
}

TEST_F(CHexEditBoxTest, APasteBeyondTheLimitNeverCutsAByteInHalf) {
    auto box = makeBox(HexEditProgram::Kestrane);
    box->setTextLimit(7);
    box->setHexText("01 02 ");
    QTextCursor cursor = box->textCursor();
    cursor.movePosition(QTextCursor::End);
    box->setTextCursor(cursor);
    clipboard.putText("ff");
    QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->hexText(), "01 02 ");  // "f" alone would be another byte
    box->setTextLimit(9);
    clipboard.putText("ff ee");
    QTest::keyClick(box.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->hexText(), "01 02 ff");
}

}  // namespace
