// The frame's menus, bars and windows as a new user meets them: the View
// menu's presentation commands with their state, a finished tool bar, one
// access letter per entry, Ctrl+W for Overwrite and the two tilings.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/CMainFrame.h"
#include "app/CSearchBar.h"
#include "app/CommandIds.h"
#include "app/ContextMenus.h"
#include "display/ViewCommandIds.h"
#include "display/ui/CHexWindow.h"
#include "marks/MarkCommandIds.h"
#include "platform/qt/CProgressDialog.h"
#include "platform/qt/QtProgressRunner.h"
#include "programs/kestrane/KestraneStrings.h"
#include "search/SearchCommandIds.h"
#include "search/ui/FindDialogs.h"
#include "settings/CSettings.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

class MainFrameViewTest : public testsupport::FrameFixture {
  protected:
    CChildFrame& open(const std::string& name, const std::string& bytes) {
        EXPECT_TRUE(frame->openDocument(makeFile(name, bytes)));
        return *frame->activeChild();
    }
    // The file opened in the frame, which is then the active window.
    CChildFrame& openActive(const std::string& name, const std::string& bytes) {
        CChildFrame& child = open(name, bytes);
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        return child;
    }
};

// The access letters of a menu's entries, "&&" not counted.
QList<QChar> accessLetters(const QMenu& menu) {
    QList<QChar> letters;
    for (const QAction* entry : menu.actions()) {
        const QString text = entry->text().section('\t', 0, 0);
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == '&') {
                if (text[i + 1] != '&') {
                    letters.append(text[i + 1].toLower());
                }
                ++i;
            }
        }
    }
    return letters;
}

TEST_F(MainFrameViewTest, EveryMenuHasOneEntryPerAccessLetter) {
    QList<QMenu*> menus;
    for (QAction* top : frame->menuBar()->actions()) {
        if (top->menu() != nullptr) {
            menus.append(top->menu());
        }
    }
    for (qsizetype i = 0; i < menus.size(); ++i) {
        for (QAction* entry : menus[i]->actions()) {
            if (entry->menu() != nullptr) {
                menus.append(entry->menu());
            }
        }
        QList<QChar> letters = accessLetters(*menus[i]);
        if (menus[i]->title() == QStringLiteral("&Search")) {
            // The design's own texts share two letters there: "&Toggle Hex"
            // and "Nex&t Datamark", "N&ext Linemark" and "&Edit Datamarks...".
            letters.removeOne(QChar('t'));
            letters.removeOne(QChar('e'));
        }
        if (menus[i]->title() == QStringLiteral("&File")) {
            // The design's "&Export File As..." and "Export S&election As..."
            // share their letter with each other and with "Clos&e All".
            letters.removeOne(QChar('e'));
            letters.removeOne(QChar('e'));
        }
        const QSet<QChar> unique(letters.begin(), letters.end());
        EXPECT_EQ(unique.size(), letters.size()) << menus[i]->title().toStdString();
    }
}

TEST_F(MainFrameViewTest, ThePresentationCommandsAreOnTheViewMenuWithTheirState) {
    frame->updateCommands();
    for (const int id : {cmd::ViewUnitByte, cmd::ViewClearIndent, cmd::ViewExtendLineWidth,
                         cmd::ViewShrinkPageHeight}) {
        ASSERT_NE(frame->action(id), nullptr);
        EXPECT_FALSE(frame->action(id)->isEnabled()) << "no view: " << id;
    }
    EXPECT_EQ(frame->action(cmd::ViewUnitByte)->iconText(), "Unsigned byte");
    EXPECT_EQ(frame->action(cmd::ViewUnitMulti)->toolTip(), "Multibytes...");
    EXPECT_EQ(frame->action(cmd::ViewShrinkLineWidth)->toolTip(), "Shrink Line Width");

    open("data.bin", std::string(100, 'a'));
    frame->updateCommands();
    QAction* byte = frame->action(cmd::ViewUnitByte);
    EXPECT_TRUE(byte->isChecked());
    EXPECT_FALSE(byte->isEnabled());
    EXPECT_FALSE(frame->action(cmd::ViewClearIndent)->isEnabled());
    frame->action(cmd::ViewUnitLong)->trigger();
    EXPECT_EQ(frame->activeChild()->panel().state().presentation.unit(), 4);
    EXPECT_TRUE(frame->action(cmd::ViewUnitLong)->isChecked());
    EXPECT_TRUE(byte->isEnabled());
    frame->action(cmd::ViewIncreaseIndent)->trigger();
    EXPECT_TRUE(frame->action(cmd::ViewClearIndent)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::ViewCharacterPanel)->isChecked());
}

TEST_F(MainFrameViewTest, EveryToolBarButtonHasAnIconAndItsNameAsTip) {
    EXPECT_FALSE(frame->windowIcon().isNull());
    int buttons = 0;
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        if (bar->objectName() != "Standard toolbar" &&
            bar->objectName() != "Presentation toolbar") {
            continue;
        }
        for (QAction* command : bar->actions()) {
            if (command->isSeparator()) {
                continue;
            }
            ++buttons;
            const QPixmap pixmap = command->icon().pixmap(24, 24);
            EXPECT_FALSE(pixmap.isNull()) << command->iconText().toStdString();
            EXPECT_FALSE(command->toolTip().isEmpty());
            EXPECT_FALSE(command->toolTip().contains('&'));
        }
    }
    EXPECT_EQ(buttons, 14 + 12);
}

TEST_F(MainFrameViewTest, CtrlWOverwritesAtTheCaret) {
    CChildFrame& child = open("data.bin", std::string(16, 'a'));
    QApplication::clipboard()->setText(QStringLiteral("XY"));
    frame->activateWindow();
    child.view().setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->updateCommands();  // the update timer's pass: the clipboard holds text
    QTest::keyClick(&child.view(), Qt::Key_W, Qt::ControlModifier);
    std::uint8_t byte = 0;
    ASSERT_TRUE(child.panel().data().readByte(byte, 1));
    EXPECT_EQ(byte, 'Y');
    EXPECT_EQ(child.panel().data().getDataSize(), 16u);
    EXPECT_EQ(frame->children().size(), 1u);  // not closed
}

TEST_F(MainFrameViewTest, TileVerticallySetsTheWindowsSideBySide) {
    open("one.bin", "1");
    open("two.bin", "2");
    frame->action(cmd::WindowTileVertical)->trigger();
    auto windows = frame->children();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->geometry().top(), windows[1]->geometry().top());
    EXPECT_LT(windows[0]->geometry().right(), windows[1]->geometry().left());
    frame->action(cmd::WindowTileHorizontal)->trigger();
    EXPECT_EQ(windows[0]->geometry().left(), windows[1]->geometry().left());
    EXPECT_LT(windows[0]->geometry().bottom(), windows[1]->geometry().top());
}

TEST_F(MainFrameViewTest, TheHexWindowIsNarrowedToItsPanels) {
    frame->resize(1900, 700);
    CChildFrame& child = open("data.bin", std::string(100, 'a'));
    child.showMaximized();
    QApplication::processEvents();
    CHexWindow& window = child.view();
    const int panels = window.panel().getSize().width;
    const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(window.width(), panels + bar + 4);
    EXPECT_EQ(window.x(), 0);
    // A view narrower than the panels gives the window its width to scroll in.
    child.showNormal();
    child.resize(400, 300);
    QApplication::processEvents();
    EXPECT_LT(window.width(), panels);
    EXPECT_GT(window.panel().maxScrollX(), 0);
}

TEST_F(MainFrameViewTest, TheViewsMenusAreTablesOfTheFramesCommands) {
    std::vector<std::string> texts;
    for (const MenuItem& item : hexDataMenu()) {
        if (item.id != 0) {
            texts.emplace_back(item.text);
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "New...", "New And Paste...", "Undo", "Redo", "Cut", "Copy", "Paste",
                         "Delete", "Overwrite", "Copy As Hex Text", "Copy As Hex Text(C/C++)",
                         "Modify Data...", "Swap Data...", "Define Datamark...",
                         "Edit Datamarks...", "Go to...", "File Attributes..."}));
    CChildFrame& child = open("data.bin", std::string(32, 'a'));
    CHexWindow& view = child.view();
    view.beforeMenu();
    EXPECT_FALSE(view.commandState(cmd::EditUndo).enabled);
    EXPECT_TRUE(view.commandState(cmd::EditGoTo).enabled);
    child.panel().editor().typeHexDigit(3);
    view.beforeMenu();
    EXPECT_TRUE(view.commandState(cmd::EditUndo).enabled);
    // The address panel's menu: Decimal Address carries its check mark and
    // runs by its id.
    EXPECT_FALSE(view.commandState(cmd::ViewDecimalAddress).checked);
    view.onCommand(cmd::ViewDecimalAddress);
    EXPECT_TRUE(view.commandState(cmd::ViewDecimalAddress).checked);
    EXPECT_FALSE(child.panel().state().presentation.hexAddresses());
    view.onCommand(cmd::EditUndo);
    EXPECT_EQ(child.panel().data().getUndoCount(), 0);  // Undo ran by its id
}

}  // namespace

namespace {

TEST_F(MainFrameViewTest, LinemarksFromTheKeysAndTheSearchMenu) {
    CChildFrame& child = openActive("marks.bin", std::string(16 * 40, 'm'));
    CHexWindow& view = child.view();
    view.setFocus();
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::SearchToggleLinemark)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::SearchNextLinemark)->isEnabled());
    const std::uint64_t width =
        static_cast<std::uint64_t>(child.panel().state().presentation.lineWidth());
    QTest::keyClick(&view, Qt::Key_F2, Qt::ControlModifier);  // line 0
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&view, Qt::Key_Down);
    }
    QTest::keyClick(&view, Qt::Key_F2, Qt::ControlModifier);  // line 3
    EXPECT_EQ(child.panel().linemarks().lines(), (std::vector<std::uint64_t>{0, 3}));
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::SearchNextLinemark)->isEnabled());
    QTest::keyClick(&view, Qt::Key_F2);  // from line 3 round to line 0
    EXPECT_EQ(child.panel().caretOffset(), 0u);
    QTest::keyClick(&view, Qt::Key_F2, Qt::ShiftModifier);  // back round to line 3
    EXPECT_EQ(child.panel().caretOffset(), 3 * width);
    // The Search menu's entries are the same commands.
    const auto titles = frame->menuBar()->actions();
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(), [](const QAction* menu) {
        return menu->text() == QStringLiteral("&Search");
    }));
    frame->action(cmd::SearchClearAllLinemarks)->trigger();
    EXPECT_TRUE(child.panel().linemarks().empty());
    frame->updateCommands();
    EXPECT_FALSE(frame->action(cmd::SearchPreviousLinemark)->isEnabled());
    EXPECT_EQ(bookmarkMenu().front().id, cmd::SearchToggleLinemark);
}

}  // namespace

namespace {

TEST_F(MainFrameViewTest, TheFindBoxEnterAndF3FindAndPasteGoesToTheBox) {
    CChildFrame& child = openActive("find.bin", "..abc..abc..");
    auto* bar =
        dynamic_cast<CSearchBar*>(frame->findChild<QToolBar*>(QStringLiteral("Search toolbar")));
    ASSERT_NE(bar, nullptr);
    QLineEdit* box = bar->findBox()->lineEdit();
    box->setFocus();
    QTest::keyClicks(box, "abc");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(child.panel().getSelection(), (std::pair<std::uint64_t, std::uint64_t>{2, 5}));
    EXPECT_EQ(bar->findHistory().entries().front(), "abc");
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::SearchFindNext)->isEnabled());
    QTest::keyClick(bar->findBox(), Qt::Key_F3);  // F3 with the focus in the box
    EXPECT_EQ(child.panel().caretOffset(), 7u);
    frame->action(cmd::SearchFindPrevious)->trigger();
    EXPECT_EQ(child.panel().caretOffset(), 2u);
    // Ctrl+V in the box pastes into the box, not into the data.
    QGuiApplication::clipboard()->setText(QStringLiteral("zz"));
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("zz"));
    EXPECT_FALSE(child.document().isModified());
    // A string that is not there: the message from the box has no icon.
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.shown().back().stringId, 3001);
    EXPECT_EQ(messages.shown().back().style.icon, platform::MessageIcon::None);
}

}  // namespace

namespace {

// Calls `act` on the first visible top-level widget of type T once it shows.
template <typename T>
void whenShown(const std::function<void(T&)>& act) {
    QTimer::singleShot(20, [act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* shown = dynamic_cast<T*>(widget); shown != nullptr && shown->isVisible()) {
                act(*shown);
                return;
            }
        }
        whenShown(act);
    });
}

TEST_F(MainFrameViewTest, ReplaceAllFromTheDialogAndSave) {
    CChildFrame& child = openActive("replace.bin", "one two one three one");
    auto* bar =
        dynamic_cast<CSearchBar*>(frame->findChild<QToolBar*>(QStringLiteral("Search toolbar")));
    ASSERT_NE(bar, nullptr);
    bar->findBox()->setEditText(QStringLiteral("one"));
    whenShown<ReplaceDialog>([](ReplaceDialog& dialog) {
        const auto boxes = dialog.findChildren<QComboBox*>();
        boxes.at(1)->setEditText(QStringLiteral("1"));  // "Replace With: "
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Replace &All")) {
                button->click();  // 3003 is answered OK; the dialog then closes
            }
        }
    });
    frame->action(cmd::SearchReplace)->trigger();
    EXPECT_EQ(messages.shownIds(), (std::vector<int>{searchtext::kReplacedConfirm}));
    ASSERT_TRUE(frame->saveDocument(child, false));
    EXPECT_EQ(testsupport::readFile(child.document().path()), "1 two 1 three 1");
    frame->updateCommands();
    EXPECT_FALSE(frame->action(cmd::EditUndo)->isEnabled());  // Replace All cannot be undone
}

// Runs each pass under the real dialog, but holds its worker until the test
// has pressed Cancel, so a fast machine cannot finish a pass first.
class CancelFirstRunner final : public platform::ProgressRunner {
  public:
    explicit CancelFirstRunner(const platform::StringTable& strings) : real_(strings) {}

    void cancelPressed() {
        const std::lock_guard lock(mutex_);
        ++cancels_;
        pressed_.notify_all();
    }

    bool runWithProgress(
        int captionId, int textId,
        const std::function<void(const platform::ProgressCallback&)>& worker) override {
        return real_.runWithProgress(captionId, textId, held(worker));
    }
    bool runWithProgressText(
        int captionId, const std::string& text, bool cancellable,
        const std::function<void(const platform::ProgressCallback&)>& worker) override {
        return real_.runWithProgressText(captionId, text, cancellable, held(worker));
    }

  private:
    std::function<void(const platform::ProgressCallback&)> held(
        const std::function<void(const platform::ProgressCallback&)>& worker) {
        const int pass = ++passes_;
        return [this, pass, worker](const platform::ProgressCallback& report) {
            std::unique_lock lock(mutex_);
            pressed_.wait_for(lock, std::chrono::seconds(20), [&] { return cancels_ >= pass; });
            lock.unlock();
            worker(report);
        };
    }

    platform::QtProgressRunner real_;
    std::mutex mutex_;
    std::condition_variable pressed_;
    int cancels_ = 0;
    int passes_ = 0;
};

TEST_F(MainFrameViewTest, ALongFindCancelledInBothPassesUnderTheProgressDialogIsNotFound) {
    settings.write(settings::edit::AsynThreshold, 1);
    settings.write(settings::edit::MaxFindBytes, 1);  // small blocks: many reports
    CancelFirstRunner runner(strings);
    frame = std::make_unique<CMainFrame>(settings, strings, messages, &runner);
    frame->resize(1000, 700);
    frame->show();
    CChildFrame& child = openActive("large.bin", std::string(6 << 20, 'x'));
    child.panel().gotoOffset(3 << 20);
    auto* bar =
        dynamic_cast<CSearchBar*>(frame->findChild<QToolBar*>(QStringLiteral("Search toolbar")));
    ASSERT_NE(bar, nullptr);
    bar->findBox()->setEditText(QStringLiteral("needle"));
    int dialogs = 0;
    const std::function<void(platform::CProgressDialog&)> cancel =
        [&dialogs, &cancel, &runner](platform::CProgressDialog& dialog) {
            ++dialogs;
            EXPECT_FALSE(dialog.suspendButton()->isEnabled());
            dialog.cancelButton()->click();
            runner.cancelPressed();
            if (dialogs < 2) {
                whenShown(cancel);  // the second pass
            }
        };
    whenShown(cancel);
    frame->updateCommands();
    frame->action(cmd::SearchFindNext)->trigger();
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(messages.shownIds(), (std::vector<int>{searchtext::kTextNotFound}));
    EXPECT_EQ(child.panel().caretOffset(), 3u << 20);
}

}  // namespace
