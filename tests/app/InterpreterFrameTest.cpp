// The data interpretation window with the real frame: it follows the caret
// of an in-place document while the view keeps the keyboard, hides and
// shows through its command, and stores its values when the frame goes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "app/CChildFrame.h"
#include "app/CommandIds.h"
#include "display/ui/CHexWindow.h"
#include "interpret/ui/CHexInterpreter.h"
#include "interpret/ui/InterpretationList.h"
#include "settings/SettingKeys.h"
#include "tests/app/FrameFixture.h"

namespace {

class InterpreterFrameTest : public testsupport::FrameFixture {};

TEST_F(InterpreterFrameTest, TheWindowFollowsTheCaretWhileTheViewKeepsTheKeyboard) {
    settings.write(settings::general::MaxFileSize, 4194304);
    std::string bytes(5 << 20, '\0');  // beyond "Max File Size": edited in place
    for (int i = 0; i < 64; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(0x10 + i);
    }
    ASSERT_TRUE(frame->openDocument(makeFile("large.bin", bytes)));
    CChildFrame& child = *frame->activeChild();
    ASSERT_EQ(child.panel().data().storageMode(), StorageMode::InPlace);
    CHexInterpreter* window = frame->interpreter();
    ASSERT_NE(window, nullptr);
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    child.view().setFocus();

    QTest::keyClick(&child.view(), Qt::Key_Right);  // the second digit of byte 0
    EXPECT_EQ(window->list()->valueText(3), "10H");
    QTest::keyClick(&child.view(), Qt::Key_Right);
    EXPECT_EQ(child.panel().caretOffset(), 1u);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->list()->valueText(3), "11H");
    EXPECT_EQ(window->list()->valueText(4), "1211H");
    EXPECT_EQ(QApplication::focusWidget(), &child.view());
    // Below the caret's line.
    const QPoint caret = child.view().caretOnScreen();
    EXPECT_EQ(window->pos().y(), caret.y() + child.panel().state().pixels.lineHeight);

    QTest::keyClick(&child.view(), Qt::Key_Down);
    const auto width = static_cast<std::uint64_t>(child.panel().state().presentation.lineWidth());
    ASSERT_EQ(child.panel().caretOffset(), 1 + width);
    EXPECT_EQ(window->list()->valueText(3),
              QStringLiteral("%1H").arg(0x11 + width, 2, 16, QLatin1Char('0')));

    // Hidden through the command: caret moves leave it alone.
    frame->updateCommands();
    QAction* toggle = frame->action(cmd::ToolsInterpretationWindow);
    ASSERT_TRUE(toggle->isEnabled());
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(window->isVisible());
    QTest::keyClick(&child.view(), Qt::Key_Left);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->list()->valueText(3),
              QStringLiteral("%1H").arg(0x11 + width, 2, 16, QLatin1Char('0')));
    frame->updateCommands();
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(window->isVisible());

    // On the last byte (an in-place file ends there) only the one-byte rows.
    QTest::keyClick(&child.view(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(child.panel().caretOffset() + 1, child.panel().data().getDataSize());
    EXPECT_EQ(window->list()->valueText(3), "00H");
    EXPECT_EQ(window->list()->valueText(7), "00H");
    EXPECT_EQ(window->list()->valueText(4), "");
    EXPECT_EQ(window->list()->valueText(11), "");

    window->toggleByteOrder();
    toggle->trigger();  // hidden when the frame goes
    frame.reset();
    EXPECT_EQ(settings.get(settings::interpreter::LockHide), 1);
    EXPECT_EQ(settings.get(settings::interpreter::LittleEndian), 0);
}

}  // namespace
