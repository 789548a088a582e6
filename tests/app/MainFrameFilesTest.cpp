// The frame and the files a user hands it: only regular files, by their
// absolute paths, with a clear word when another program holds one, and
// nothing closed before every question at exit is answered.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QMenu>
#include <filesystem>

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "platform/File.h"
#include "programs/kestrane/KestraneStrings.h"
#include "settings/CSettings.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

using platform::MessageAnswer;

class MainFrameFilesTest : public testsupport::FrameFixture {
  protected:
    void typeInto(CChildFrame& child) { child.panel().editor().typeHexDigit(7); }
};

TEST_F(MainFrameFilesTest, APipeIsRefusedWithAClearMessageNotOpened) {
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(frame->openDocument(fifo));  // returns at once: nothing writes to the pipe
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "The file \"" + fifo +
                  "\" could not be opened: Not a regular file (a pipe, socket, device or system "
                  "file).");
    EXPECT_TRUE(frame->children().empty());
    EXPECT_FALSE(frame->openDocument("/dev/zero"));
    EXPECT_FALSE(frame->openDocument("/proc/self/status"));
    EXPECT_TRUE(frame->children().empty());
}

TEST_F(MainFrameFilesTest, ARelativePathBecomesTheFilesAbsolutePath) {
    makeFile("relative.bin", "abc");
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const bool opened = frame->openDocument("./relative.bin");
    std::filesystem::current_path(before);
    ASSERT_TRUE(opened);
    const std::string absolute = std::filesystem::canonical(dir.file("relative.bin")).string();
    EXPECT_EQ(frame->activeChild()->document().path(), absolute);
    EXPECT_EQ(frame->recentFiles().paths().front(), absolute);
}

TEST_F(MainFrameFilesTest, AFileHeldByAnotherProgramSaysSo) {
    const std::string path = makeFile("held.bin", "abc");
    platform::File held =
        platform::File::open(path, platform::FileAccess::ReadWrite, platform::FileShare::NotShared);
    ASSERT_TRUE(held.isOpen());
    EXPECT_FALSE(frame->openDocument(path));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, path + " is in use by another program.");
}

TEST_F(MainFrameFilesTest, CancelAtExitLeavesEveryDocumentOpen) {
    ASSERT_TRUE(frame->openDocument(makeFile("plain.bin", "abc")));
    ASSERT_TRUE(frame->openDocument(makeFile("changed.bin", "def")));
    CChildFrame* changed = frame->activeChild();
    typeInto(*changed);
    ASSERT_TRUE(changed->document().isModified());
    ASSERT_TRUE(frame->openDocument(makeFile("last.bin", "ghi")));  // in front now
    messages.answer(MessageAnswer::Cancel);
    EXPECT_FALSE(frame->closeAllDocuments());
    EXPECT_EQ(frame->children().size(), 3u);   // the unmodified one before it too
    EXPECT_EQ(frame->activeChild(), changed);  // brought to the front to be asked about
    messages.answer(MessageAnswer::No);
    EXPECT_TRUE(frame->closeAllDocuments());
    QApplication::processEvents();
    EXPECT_TRUE(frame->children().empty());
}

TEST_F(MainFrameFilesTest, ARecentFileThatIsGoneIsOfferedForRemoval) {
    const std::string path = makeFile("gone.bin", "abc");
    ASSERT_TRUE(frame->openDocument(path));
    ASSERT_TRUE(frame->closeAllDocuments());
    std::filesystem::remove(path);
    QMenu* recent = nullptr;
    for (QMenu* menu : frame->findChildren<QMenu*>()) {
        if (menu->title() == "Recent &Files") {
            recent = menu;
        }
    }
    ASSERT_NE(recent, nullptr);
    ASSERT_FALSE(recent->actions().isEmpty());
    messages.answer(MessageAnswer::Yes);
    recent->actions().front()->trigger();
    EXPECT_EQ(messages.shown().back().text,
              path + " no longer exists.\nRemove it from the recent files?");
    EXPECT_TRUE(frame->recentFiles().paths().empty());
    EXPECT_TRUE(frame->children().empty());
}

TEST_F(MainFrameFilesTest, AStoredNewFileSizeThatCannotBeUsedSaysSo) {
    settings.write(settings::edit::NewdocDirCreate, 1);
    settings.write(settings::edit::NewdocInitLength, -5);
    frame->fileNew();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "The initial size of a new file must be larger than 0");
    settings.write(settings::edit::NewdocInitLength, 0x7FFFFFFF);
    frame->fileNew();
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text,
              "The initial size of a new file can't exceed 16777216 bytes");
    EXPECT_TRUE(frame->children().empty());
}

}  // namespace
