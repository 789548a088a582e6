#include <gtest/gtest.h>

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>

#include "platform/FileCopy.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using platform::ReplaceStrategy;

// Writes `bytes` as the new content of `path` through a replacement.
bool replace(const std::string& path, const std::string& bytes, ReplaceStrategy* used = nullptr) {
    int error = 0;
    auto replacement = platform::FileReplacement::begin(path, error);
    if (!replacement || !replacement->file().writeAt(bytes.data(), bytes.size(), 0)) {
        return false;
    }
    if (used != nullptr) {
        *used = replacement->strategy();
    }
    return replacement->commit(error);
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

TEST(FileReplacementTest, ARenameIsUsedOnlyWhereItLosesNothing) {
    using platform::chooseReplaceStrategy;
    EXPECT_EQ(chooseReplaceStrategy(false, 0, true), ReplaceStrategy::Rename);
    EXPECT_EQ(chooseReplaceStrategy(true, 1, true), ReplaceStrategy::Rename);
    EXPECT_EQ(chooseReplaceStrategy(true, 2, true), ReplaceStrategy::RewriteInPlace);
    EXPECT_EQ(chooseReplaceStrategy(true, 1, false), ReplaceStrategy::RewriteInPlace);
}

TEST(FileReplacementTest, AFileWithSeveralNamesKeepsThemAll) {
    testsupport::TempDir dir;
    const std::string first = dir.file("first.bin");
    const std::string second = dir.file("second.bin");
    testsupport::writeFile(first, "old old old");
    ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
    const ino_t inode = statOf(first).st_ino;
    ReplaceStrategy used = ReplaceStrategy::Rename;
    ASSERT_TRUE(replace(first, "new", &used));
    EXPECT_EQ(used, ReplaceStrategy::RewriteInPlace);
    EXPECT_EQ(testsupport::readFile(second), "new");
    EXPECT_EQ(statOf(first).st_ino, inode);
    EXPECT_EQ(statOf(first).st_nlink, 2u);
    // Nothing is left behind, beside the file or in the temporary directory.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(FileReplacementTest, AWritableFileInAReadOnlyFolderIsSaved) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "runs as root, for whom a read-only folder takes new files all the same; "
                        "the rule itself is covered by ARenameIsUsedOnlyWhereItLosesNothing";
    }
    testsupport::TempDir dir;
    const std::string folder = dir.file("locked");
    fs::create_directory(folder);
    const std::string path = folder + "/data.bin";
    testsupport::writeFile(path, "old");
    ::chmod(folder.c_str(), 0555);
    ReplaceStrategy used = ReplaceStrategy::Rename;
    const bool saved = replace(path, "new content", &used);
    ::chmod(folder.c_str(), 0755);
    ASSERT_TRUE(saved);
    EXPECT_EQ(used, ReplaceStrategy::RewriteInPlace);
    EXPECT_EQ(testsupport::readFile(path), "new content");
}

TEST(FileReplacementTest, ExtendedAttributesSurviveARename) {
    testsupport::TempDir dir;
    const std::string path = dir.file("tagged.bin");
    testsupport::writeFile(path, "old");
    if (::setxattr(path.c_str(), "user.kestrane.test", "kept", 4, 0) != 0) {
        GTEST_SKIP() << "this file system takes no user attributes";
    }
    ASSERT_TRUE(replace(path, "new"));
    char value[8] = {};
    ASSERT_EQ(::getxattr(path.c_str(), "user.kestrane.test", value, sizeof value), 4);
    EXPECT_EQ(std::string(value, 4), "kept");
}

TEST(FileReplacementTest, StaleTemporaryFilesGoHeldOnesStay) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("~HEXDATA1A2B.tmp"), "stale");
    testsupport::writeFile(dir.file("~HEXDATA3C.tmp"), "held");
    testsupport::writeFile(dir.file("~HE4D.tmp"), "not ours");
    testsupport::writeFile(dir.file("data.bin"), "document");
    platform::File held =
        platform::File::open(dir.file("~HEXDATA3C.tmp"), platform::FileAccess::ReadWrite,
                             platform::FileShare::NotShared);
    ASSERT_TRUE(held.isOpen());
    EXPECT_EQ(platform::removeStaleTempFiles(dir.path()), 1);
    EXPECT_FALSE(fs::exists(dir.file("~HEXDATA1A2B.tmp")));
    EXPECT_TRUE(fs::exists(dir.file("~HEXDATA3C.tmp")));
    EXPECT_TRUE(fs::exists(dir.file("~HE4D.tmp")));
    EXPECT_TRUE(fs::exists(dir.file("data.bin")));

    // A save copy an ended save left beside a file goes at its next save.
    testsupport::writeFile(dir.file(".data.bin.kestrane-Ab12Cd"), "half a save");
    ASSERT_TRUE(replace(dir.file("data.bin"), "saved"));
    EXPECT_FALSE(fs::exists(dir.file(".data.bin.kestrane-Ab12Cd")));
}

}  // namespace
