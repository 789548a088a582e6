#include "app/CMainFrame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <cstdio>
#include <filesystem>

#include "app/CFileProperties.h"
#include "app/CNewFileDialog.h"
#include "app/CNewPasteDialog.h"
#include "app/CQuickOpenDialog.h"
#include "app/CTipDialog.h"
#include "app/CommandIds.h"
#include "app/TipSelector.h"
#include "display/ui/CHexWindow.h"
#include "display/ui/EditDialogs.h"
#include "display/ui/PositionDialogs.h"
#include "exchange/ClipboardFormats.h"
#include "programs/kestrane/KestraneStrings.h"
#include "settings/CSettings.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

using platform::MessageAnswer;

using MainFrameTest = testsupport::FrameFixture;

TEST_F(MainFrameTest, OpeningAFileGivesItAWindowATabAndTheStatusPanes) {
    const std::string path = makeFile("sample.bin", std::string(5000, 'k'));
    ASSERT_TRUE(frame->openDocument(path));
    ASSERT_NE(frame->activeChild(), nullptr);
    EXPECT_EQ(frame->activeChild()->windowTitle(), "sample.bin");
    EXPECT_EQ(frame->tabBar()->count(), 1);
    EXPECT_EQ(frame->tabBar()->tabText(0), "sample.bin");
    frame->updateCommands();
    EXPECT_EQ(frame->statusPane(5)->text(), "Size: 5000");
    EXPECT_EQ(frame->statusPane(3)->text(), "Pos: 0H,0");
    EXPECT_EQ(frame->statusPane(6)->text(), "Norm");
    EXPECT_FALSE(frame->action(cmd::FileSave)->isEnabled());  // not modified
    // Opening it again activates the same window.
    ASSERT_TRUE(frame->openDocument(path));
    EXPECT_EQ(frame->children().size(), 1u);
    EXPECT_EQ(frame->recentFiles().paths().front(), path);
}

TEST_F(MainFrameTest, AFileThatCannotBeOpenedIsReportedWithItsReason) {
    EXPECT_FALSE(frame->openDocument(dir.file("missing.bin")));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_THAT(messages.shown()[0].text, testing::HasSubstr("missing.bin"));
    EXPECT_THAT(messages.shown()[0].text, testing::HasSubstr("No such file or directory"));
    EXPECT_TRUE(frame->children().empty());
}

TEST_F(MainFrameTest, NewWithCreateDirectlyMakesAModifiedDocumentOfTheDefaults) {
    settings.write(settings::edit::NewdocDirCreate, 1);
    frame->fileNew();
    ASSERT_NE(frame->activeChild(), nullptr);
    EXPECT_EQ(frame->activeChild()->panel().data().getDataSize(), 65536u);
    EXPECT_THAT(frame->activeChild()->windowTitle().toStdString(), testing::EndsWith(" *"));
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::FileSave)->isEnabled());
}

TEST_F(MainFrameTest, AFailedSaveKeepsTheOriginalFileAndTheModifiedState) {
    const std::string path = makeFile("keep.bin", "original");
    ASSERT_TRUE(frame->openDocument(path));
    CChildFrame& child = *frame->activeChild();
    std::uint8_t byte = 'X';
    ASSERT_TRUE(child.panel().data().writeByte(byte, 0, true));
    EXPECT_TRUE(child.document().isModified());
    // The disk is "full": no write of more than a byte goes through.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved;
    lowered.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &lowered);
    const bool saveResult = frame->saveDocument(child, false);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(saveResult);
    EXPECT_EQ(testsupport::readFile(path), "original");
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_THAT(messages.shown().back().text,
                testing::HasSubstr("could not be saved: File too large"));
    EXPECT_TRUE(child.document().isModified());
    EXPECT_THAT(child.windowTitle().toStdString(), testing::EndsWith(" *"));
}

TEST_F(MainFrameTest, ClosingAModifiedDocumentAsksAndCancelKeepsIt) {
    settings.write(settings::edit::NewdocDirCreate, 1);
    frame->fileNew();
    messages.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(frame->closeDocument(*frame->activeChild()));
    EXPECT_EQ(frame->children().size(), 1u);
    EXPECT_THAT(messages.shown().back().text, testing::HasSubstr("Save changes to Kestrane1?"));
    messages.answer(MessageAnswer::No);
    EXPECT_TRUE(frame->closeDocument(*frame->activeChild()));
    QApplication::processEvents();
    EXPECT_TRUE(frame->children().empty());
}

TEST_F(MainFrameTest, ClosingSavesChangedDatamarksAskingUnlessAutoSaveIsOn) {
    ASSERT_TRUE(frame->openDocument(makeFile("marks.bin", "data")));
    int saved = 0;
    frame->activeChild()->document().saveDatamarks = [&] {
        ++saved;
        return std::string();
    };
    frame->activeChild()->document().setDatamarksModified(true);
    settings.writeInt("Bookmark", "Auto Save", 0);
    messages.answer(MessageAnswer::Yes);
    ASSERT_TRUE(frame->closeDocument(*frame->activeChild()));
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(messages.shownIds(), std::vector<int>{2026});

    ASSERT_TRUE(frame->openDocument(makeFile("marks2.bin", "data")));
    frame->activeChild()->document().saveDatamarks = [&] {
        ++saved;
        return std::string();
    };
    frame->activeChild()->document().setDatamarksModified(true);
    settings.writeInt("Bookmark", "Auto Save", 1);
    ASSERT_TRUE(frame->closeDocument(*frame->activeChild()));
    EXPECT_EQ(saved, 2);
    EXPECT_EQ(messages.shown().size(), 1u);  // saved without asking

    // A save that fails asks whether to close without them; No keeps the file.
    ASSERT_TRUE(frame->openDocument(makeFile("marks3.bin", "data")));
    frame->activeChild()->document().saveDatamarks = [] { return std::string("locked"); };
    frame->activeChild()->document().setDatamarksModified(true);
    messages.answer(MessageAnswer::No);
    EXPECT_FALSE(frame->closeDocument(*frame->activeChild()));
    EXPECT_EQ(messages.shownIds().back(), 2033);
    EXPECT_THAT(messages.shown().back().text, testing::HasSubstr("(locked)"));
    ASSERT_EQ(frame->children().size(), 1u);
    EXPECT_TRUE(frame->activeChild()->document().datamarksModified());
    messages.answer(MessageAnswer::Yes);
    EXPECT_TRUE(frame->closeDocument(*frame->activeChild()));
}

TEST_F(MainFrameTest, NextOnTheLastTabSelectsTheFirst) {
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) {
        ASSERT_TRUE(frame->openDocument(makeFile(name, name)));
    }
    ASSERT_EQ(frame->tabBar()->count(), 3);
    frame->tabBar()->setCurrentIndex(2);
    frame->activateTab(1);
    EXPECT_EQ(frame->tabBar()->currentIndex(), 0);
    frame->activateTab(-1);
    EXPECT_EQ(frame->tabBar()->currentIndex(), 2);
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::WindowNext)->isEnabled());
}

TEST_F(MainFrameTest, AWindowPositionOfNineNumbersIsIgnored) {
    settings.write(settings::frame::WindowPos, "0,1,-1,-1,-1,-1,10,10,800");
    EXPECT_FALSE(frame->restorePlacement());
    settings.write(settings::frame::WindowPos, "0,1,-1,-1,-1,-1,10,10,800,600");
    EXPECT_TRUE(frame->restorePlacement());
    frame->storePlacement();
    EXPECT_EQ(settings.get(settings::frame::WindowPos).substr(0, 4), "0,1,");
}

TEST_F(MainFrameTest, AReadOnlyFileAnsweredNoOpensReadOnly) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root may write every file, so no file is read-only to this process";
    }
    const std::string path = makeFile("locked.bin", "data");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    messages.answer(MessageAnswer::No);
    ASSERT_TRUE(frame->openDocument(path));
    EXPECT_TRUE(frame->activeChild()->panel().data().isReadOnly());
    EXPECT_EQ(messages.shownIds(), std::vector<int>{1031});
}

TEST_F(MainFrameTest, TheTipOfTheDayShowsEveryTipBeforeAnyTwice) {
    TipSelector selector(100);
    std::vector<bool> seen(100, false);
    for (int i = 0; i < 100; ++i) {
        const std::size_t index = selector.next(static_cast<std::size_t>(i * 37 % 100));
        EXPECT_FALSE(seen[index]) << index;
        seen[index] = true;
    }
    EXPECT_LT(selector.next(5), 100u);  // all shown: they start over
    TipSelector few(3);
    EXPECT_EQ(few.next(2), 2u);
    EXPECT_EQ(few.next(2), 1u);  // the nearest unshown one before the start
    EXPECT_EQ(few.next(2), 0u);

    CTipDialog dialog(settings, strings, selector, frame.get());
    const QString first = dialog.tipLabel()->text();
    EXPECT_FALSE(first.isEmpty());
    dialog.showNextTip();
    EXPECT_NE(dialog.tipLabel()->text(), first);
    dialog.showAtStartup()->setChecked(false);
    dialog.done(QDialog::Rejected);
    EXPECT_EQ(settings.get(settings::frame::ShowTips), 0);
}

TEST_F(MainFrameTest, FileAttributesShowPathSizeAndPermissions) {
    const std::string path = makeFile("props.bin", std::string(1234, 'p'));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    CFilePropertiesDialog dialog(path);
    EXPECT_EQ(dialog.text(0).toStdString(), std::filesystem::absolute(path).string());
    EXPECT_EQ(dialog.text(1), "1234 bytes");
    EXPECT_EQ(dialog.text(2), "rw-r-----");
    EXPECT_EQ(permissionText(0755), "rwxr-xr-x");
    ASSERT_TRUE(frame->openDocument(path));
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::FileAttributes)->isEnabled());
    EXPECT_TRUE(frame->activeChild()->view().commandState(cmd::FileAttributes).enabled);
}

TEST_F(MainFrameTest, QuickOpenJoinsFolderAndName) {
    CQuickOpenDialog dialog("/srv/data/");
    dialog.nameEdit()->setText("dump.bin");
    EXPECT_EQ(dialog.path(), "/srv/data/dump.bin");
    EXPECT_FALSE(dialog.readOnly());
}

TEST_F(MainFrameTest, TheNewFileDialogChecksItsDigitsSizesAndDefaults) {
    CNewFileDialog dialog(settings, messages);
    EXPECT_EQ(dialog.sizeEdit()->text(), "65536");
    dialog.setBase(NumberBase::Hexadecimal);
    EXPECT_EQ(dialog.sizeEdit()->text(), "10000");
    QTest::keyClicks(dialog.sizeEdit(), "g");  // not a hexadecimal digit
    EXPECT_EQ(dialog.sizeEdit()->text(), "10000");
    EXPECT_EQ(messages.shownIds().back(), 1022);
    dialog.sizeEdit()->clear();
    QTest::keyClicks(dialog.sizeEdit(), "2000000");  // above the 16 MB maximum
    EXPECT_EQ(messages.shownIds().back(), 1024);
    EXPECT_EQ(messages.shown().back().text,
              "The initial size of a new file can't exceed 16777216 bytes");
    dialog.sizeEdit()->setText("0");
    dialog.accept();
    EXPECT_EQ(messages.shownIds().back(), 1030);
    dialog.sizeEdit()->setText("20");
    dialog.byteEdit()->setText("1ff");
    dialog.createDirectly()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.size(), 32u);
    EXPECT_EQ(dialog.initialByte(), 0xFF);
    EXPECT_EQ(settings.get(settings::edit::NewdocDirCreate), 1);
    EXPECT_EQ(settings.get(settings::edit::NewdocInitLength), 32);
}

// The real program under a real X display: its window title names the file.
TEST(KestraneProgramTest, StartsUnderXvfbWithTheFileInItsTitle) {
    if (std::system(
            "command -v xvfb-run > /dev/null 2>&1 && command -v xwininfo > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xvfb-run or xwininfo is not installed (./test.sh installs them)";
    }
    testsupport::TempDir dir;
    {
        // The tip of the day would come first and wait for a click.
        platform::Registry registry(dir.file("r.sqlite"));
        CSettings settings(registry);
        settings.open();
        settings.write(settings::frame::ShowTips, 0);
    }
    const std::string file = dir.file("shown-file.bin");
    testsupport::writeFile(file, "abc");
    const std::string command =
        "env -u QT_QPA_PLATFORM KESTRANE_REGISTRY='" + dir.file("r.sqlite") +
        "' XDG_RUNTIME_DIR='" + dir.path() + "' xvfb-run -a sh -c \"'" + KESTRANE_BINARY + "' '" +
        file + "' & pid=\\$!; sleep 5; xwininfo -root -tree; kill \\$pid\" 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string listing;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        listing += buffer;
    }
    pclose(pipe);
    EXPECT_THAT(listing, testing::HasSubstr("shown-file.bin"));
}

}  // namespace

namespace {

// Fills the modal dialog that `trigger` opens, then presses its OK.
template <typename Dialog>
void answerDialog(const std::function<void(Dialog&)>& fill, const std::function<void()>& trigger) {
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* typed = dynamic_cast<Dialog*>(dialog);
        ASSERT_NE(typed, nullptr);
        fill(*typed);
        typed->accept();
        if (typed->isVisible()) {  // refused: close it, or the test would hang
            ADD_FAILURE() << "the dialog refused OK";
            typed->reject();
        }
    });
    trigger();
}

TEST_F(MainFrameTest, SelectRangeAndColumnBlockCommandsSetTheSelection) {
    const std::string path = makeFile("range.bin", std::string(100, 'r'));
    ASSERT_TRUE(frame->openDocument(path));
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::EditSelectRange)->isEnabled());
    CHexPanel& panel = frame->activeChild()->panel();

    answerDialog<SetRangeDialog>(
        [](SetRangeDialog& d) {
            d.startEdit()->setText("10");
            d.endEdit()->setText("20");
        },
        [&] { frame->action(cmd::EditSelectRange)->trigger(); });
    EXPECT_EQ(panel.state().selection.kind, Selection::Kind::Range);
    EXPECT_EQ(panel.state().selection.start, 0x10u);
    EXPECT_EQ(panel.state().selection.end, 0x20u);
    EXPECT_EQ(panel.caretOffset(), 0x20u);

    const auto caretLine = 0x20 / panel.state().presentation.lineWidth();
    answerDialog<SetColumnBlockDialog>(
        [caretLine](SetColumnBlockDialog& d) {
            EXPECT_EQ(d.edit(0)->text(), QString::number(caretLine));  // from the caret's line
            d.edit(1)->setText("4");
        },
        [&] { frame->action(cmd::EditSelectColumnBlock)->trigger(); });
    EXPECT_EQ(panel.state().selection.kind, Selection::Kind::Block);
    EXPECT_EQ(panel.state().selection.firstLine, static_cast<std::uint64_t>(caretLine));
    EXPECT_EQ(panel.state().selection.lastLine, 4u);

    frame->action(cmd::EditSelectAll)->trigger();
    EXPECT_EQ(panel.state().selection.kind, Selection::Kind::Range);
    EXPECT_EQ(panel.state().selection.end, 100u);
}

}  // namespace

namespace {

TEST_F(MainFrameTest, CopyPutsTheRangeOnTheClipboardWithinTheCopyLimit) {
    ASSERT_TRUE(frame->openDocument(makeFile("copy.bin", std::string("AB\0C", 4))));
    CHexPanel& panel = frame->activeChild()->panel();
    panel.selectAll();
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::EditCopy)->isEnabled());
    frame->action(cmd::EditCopy)->trigger();
    const QMimeData* shown = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->data("application/x-kestrane-hex-data"),
              QByteArray("\0\0\0\0\0\0\0\0\4\0\0\0AB\0C", 16));
    EXPECT_EQ(shown->text(), "AB");

    // "Max Copy Size" 0 counts as 1 MB; two MB are refused with the message.
    settings.write(settings::edit::MaxCopySize, 0);
    ASSERT_TRUE(frame->openDocument(makeFile("big.bin", std::string(2 << 20, 'b'))));
    frame->activeChild()->panel().selectAll();
    frame->action(cmd::EditCopy)->trigger();
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.shown().back().text,
              "The size of the data to be copied exceeds the limitation: 1MB");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "AB");  // unchanged
}

}  // namespace

namespace {

void putOnClipboard(const char* mimeType, const std::vector<std::uint8_t>& bytes) {
    auto* data = new QMimeData();
    data->setData(mimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                       static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::vector<std::uint8_t> documentBytes(CChildFrame& child) {
    CEditData& data = child.panel().data();
    std::vector<std::uint8_t> bytes(data.getDataSize());
    std::uint64_t read = 0;
    data.readData(bytes.data(), bytes.size(), read, 0);
    return bytes;
}

TEST_F(MainFrameTest, NewAndPasteOfABlockWithoutBytesIsRefusedLikeAnEmptyItem) {
    settings.write(settings::edit::NewdocDirCreate, 1);
    // Rows but no columns: another program's block that holds nothing.
    for (const std::uint32_t rows : {0x200001u, 0xFFFFFFFFu}) {
        putOnClipboard("application/x-kestrane-hex-block", encodeHexBlock({0, 0, rows, 0, {}}));
        frame->updateCommands();
        frame->action(cmd::FileNewAndPaste)->trigger();
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.shown().back().text,
                  "The initial size of a new file must be larger than 0");
        EXPECT_TRUE(frame->children().empty());
    }
}

TEST_F(MainFrameTest, NewAndPasteOfABlockTakesItsWidthAndTheChosenStartAddress) {
    QGuiApplication::clipboard()->clear();
    frame->updateCommands();
    EXPECT_FALSE(frame->action(cmd::FileNewAndPaste)->isEnabled());

    std::vector<std::uint8_t> rows(40);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = static_cast<std::uint8_t>(i + 1);
    }
    putOnClipboard("application/x-kestrane-hex-block", encodeHexBlock({0x100, 0x40, 2, 20, rows}));
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::FileNewAndPaste)->isEnabled());
    answerDialog<CNewPasteDialog>(
        [](CNewPasteDialog& d) {
            EXPECT_TRUE(d.clipboardSize()->isChecked());
            d.addressTypes()->setCurrentIndex(2);  // "Data Address"
            d.saveAsDefaults()->setChecked(true);
        },
        [&] { frame->action(cmd::FileNewAndPaste)->trigger(); });
    ASSERT_NE(frame->activeChild(), nullptr);
    CChildFrame& child = *frame->activeChild();
    EXPECT_EQ(documentBytes(child), rows);
    const CPresentation& layout = child.panel().state().presentation;
    EXPECT_EQ(layout.lineWidth(), 20);
    EXPECT_EQ(layout.indent(), 0);
    EXPECT_EQ(layout.dataStartAddress(), 0x140u);
    EXPECT_TRUE(child.document().isModified());
    EXPECT_EQ(child.panel().data().getUndoCount(), 0);
    EXPECT_EQ(settings.get(settings::edit::NewdocOfsType), 2);
    EXPECT_EQ(settings.get(settings::edit::NewdocDirCreate), 0);
    // The view's context menu offers it by the same rule.
    ASSERT_TRUE(child.view().commandState && child.view().beforeMenu);
    child.view().beforeMenu();
    EXPECT_TRUE(child.view().commandState(cmd::FileNewAndPaste).enabled);
    QGuiApplication::clipboard()->clear();
    child.view().beforeMenu();
    EXPECT_FALSE(child.view().commandState(cmd::FileNewAndPaste).enabled);
}

TEST_F(MainFrameTest, NewAndPasteWithoutTheClipboardSizeAsksForSizeAndByte) {
    putOnClipboard("application/x-kestrane-hex-data", encodeHexData({0x1000, 8, {0xA1, 0xA2}}));
    QTimer::singleShot(0, [] {
        auto* paste = dynamic_cast<CNewPasteDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(paste, nullptr);
        paste->addressTypes()->setCurrentIndex(1);  // "Display Address"
        paste->clipboardSize()->setChecked(false);
        // The size dialog follows once this one has closed.
        QTimer::singleShot(0, [] {
            auto* sizes = dynamic_cast<CNewFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(sizes, nullptr);
            sizes->sizeEdit()->setText("5");
            sizes->byteEdit()->setText("238");
            sizes->accept();
        });
        paste->accept();
    });
    frame->fileNewAndPaste();
    ASSERT_NE(frame->activeChild(), nullptr);
    CChildFrame& child = *frame->activeChild();
    EXPECT_EQ(documentBytes(child), (std::vector<std::uint8_t>{0xA1, 0xA2, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(child.panel().state().presentation.dataStartAddress(), 0x1000u);
    // Nothing was asked to be kept.
    EXPECT_EQ(settings.get(settings::edit::NewdocOfsType), 0);
}

TEST_F(MainFrameTest, NewAndPasteCreatedDirectlyTakesTextAndNarrowBlocksWhole) {
    QGuiApplication::clipboard()->setText(QStringLiteral("Hi"));
    answerDialog<CNewPasteDialog>(
        [](CNewPasteDialog& d) {
            d.addressTypes()->setCurrentIndex(2);
            d.createDirectly()->setChecked(true);
        },
        [&] { frame->fileNewAndPaste(); });
    EXPECT_EQ(settings.get(settings::edit::NewdocDirCreate), 1);
    EXPECT_EQ(settings.get(settings::edit::NewdocOfsType), 2);
    ASSERT_NE(frame->activeChild(), nullptr);
    EXPECT_EQ(documentBytes(*frame->activeChild()), (std::vector<std::uint8_t>{'H', 'i'}));
    EXPECT_EQ(frame->activeChild()->panel().state().presentation.dataStartAddress(), 0u);

    // From now on without the dialog. A block narrower than the minimum line
    // width keeps every row: each starts a line of 8.
    putOnClipboard("application/x-kestrane-hex-block",
                   encodeHexBlock({0, 0, 2, 3, {1, 2, 3, 4, 5, 6}}));
    frame->fileNewAndPaste();
    ASSERT_EQ(frame->children().size(), 2u);
    CChildFrame& narrow = *frame->activeChild();
    EXPECT_EQ(narrow.panel().state().presentation.lineWidth(), 8);
    EXPECT_EQ(documentBytes(narrow), (std::vector<std::uint8_t>{1, 2, 3, 0, 0, 0, 0, 0, 4, 5, 6}));
    // One wider than any view can show: the widest line, the rows whole.
    std::vector<std::uint8_t> wideRows(300);
    for (std::size_t i = 0; i < wideRows.size(); ++i) {
        wideRows[i] = static_cast<std::uint8_t>(i);
    }
    putOnClipboard("application/x-kestrane-hex-block", encodeHexBlock({0, 0, 2, 150, wideRows}));
    frame->fileNewAndPaste();
    ASSERT_EQ(frame->children().size(), 3u);
    EXPECT_EQ(frame->activeChild()->panel().state().presentation.lineWidth(), 99);
    EXPECT_EQ(documentBytes(*frame->activeChild()), wideRows);
    EXPECT_TRUE(messages.shown().empty());
}

}  // namespace

namespace {

TEST_F(MainFrameTest, ToolbarTipsOffHoldsBackTheButtonsTips) {
    auto* bar = frame->findChild<QToolBar*>(QStringLiteral("Standard toolbar"));
    ASSERT_NE(bar, nullptr);
    QWidget* button = bar->widgetForAction(frame->action(cmd::FileOpen));
    ASSERT_NE(button, nullptr);
    const auto tipShown = [button] {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        return QToolTip::isVisible();
    };
    frame->action(cmd::ViewToolbarTips)->trigger();  // off
    EXPECT_FALSE(tipShown());
    frame->action(cmd::ViewToolbarTips)->trigger();  // on again
    EXPECT_TRUE(tipShown());
    frame->action(cmd::ViewToolbarTips)->trigger();
    frame->close();
    EXPECT_EQ(settings.get(settings::view::ToolbarTip), 0);
}

}  // namespace

namespace {

TEST_F(MainFrameTest, KeysTypedIntoTheViewAreSavedToTheFile) {
    const std::string path = makeFile("typed.bin", std::string("\x00\x00\x00\x00", 4));
    ASSERT_TRUE(frame->openDocument(path));
    CChildFrame& child = *frame->activeChild();
    CHexWindow& view = child.view();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    view.setFocus();
    QTest::keyClicks(&view, "4a7");         // 0x4a, then the high digit of the next byte
    QTest::keyClick(&view, Qt::Key_Right);  // over its low digit onto byte 2
    QTest::keyClicks(&view, "Ff");
    EXPECT_TRUE(child.document().isModified());
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::EditUndo)->isEnabled());
    ASSERT_TRUE(frame->saveDocument(child, false));
    EXPECT_EQ(testsupport::readFile(path), std::string("\x4a\x70\xff\x00", 4));

    // Delete and Readonly through their keys.
    child.panel().selectRange(0, 2);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(child.panel().data().getDataSize(), 2u);
    QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::EditReadOnly)->isChecked());
    EXPECT_FALSE(frame->action(cmd::EditDelete)->isEnabled());
    EXPECT_EQ(frame->statusPane(6)->text(), "Read");
}

TEST_F(MainFrameTest, ModifyDataAndSwapDataRunThroughTheirDialogs) {
    ASSERT_TRUE(frame->openDocument(makeFile("modify.bin", std::string("\x01\x02\x03\x04", 4))));
    CHexPanel& panel = frame->activeChild()->panel();
    panel.selectRange(0, 4);
    messages.answer(MessageAnswer::Yes);  // "Modify the selected data ?"
    answerDialog<CModifyDataDialog>(
        [](CModifyDataDialog& d) {
            EXPECT_EQ(d.addressEdit()->text(), "0");
            d.lengthEdit()->clear();
            QTest::keyClicks(d.lengthEdit(), "4");
            d.byteEdit()->clear();
            QTest::keyClicks(d.byteEdit(), "ff");
            d.operations()->setCurrentIndex(4);  // "Xor bytes with source data"
        },
        [&] { frame->action(cmd::EditModifyData)->trigger(); });
    EXPECT_EQ(messages.shownIds().front(), 1029);
    EXPECT_EQ(documentBytes(*frame->activeChild()),
              (std::vector<std::uint8_t>{0xFE, 0xFD, 0xFC, 0xFB}));

    frame->updateCommands();
    EXPECT_FALSE(frame->action(cmd::EditSwapData)->isEnabled());  // unit 1
    panel.changeUnit(2);
    frame->updateCommands();
    ASSERT_TRUE(frame->action(cmd::EditSwapData)->isEnabled());
    answerDialog<CSwapDataDialog>([](CSwapDataDialog&) {},
                                  [&] { frame->action(cmd::EditSwapData)->trigger(); });
    EXPECT_EQ(documentBytes(*frame->activeChild()),
              (std::vector<std::uint8_t>{0xFD, 0xFE, 0xFB, 0xFC}));
}

}  // namespace
