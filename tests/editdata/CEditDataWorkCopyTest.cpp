#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "editdata/EditDataStrings.h"
#include "tests/editdata/EditDataFixture.h"

namespace {

namespace fs = std::filesystem;
using edittest::bytesOf;
using edittest::FakeOwner;
using edittest::kLargeSize;
using edittest::patternBytes;
using edittest::readAll;
using edittest::StoreEnvironment;
using edittest::UiThreadScope;
using testing::ElementsAre;

class CEditDataWorkCopyTest : public testing::Test {
  protected:
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};
    std::string original = patternBytes(kLargeSize);
    std::string path;

    void SetUp() override {
        store.setOwner(&owner);
        path = env.makeFile("large", original);
        ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
        ASSERT_EQ(store.storageMode(), StorageMode::InPlace);
    }
};

TEST_F(CEditDataWorkCopyTest, RangeEditsAtStartMiddleAndEndMatchAPlainBuffer) {
    std::string expected = original;
    const std::string big = patternBytes(1048576 + 3, 7);  // more than one move chunk
    const std::uint64_t middle = kLargeSize / 2 + 1;

    ASSERT_TRUE(store.insertData(bytesOf("ab"), 2, 0, false));
    expected.insert(0, "ab");
    EXPECT_EQ(store.storageMode(), StorageMode::WorkCopy);
    ASSERT_TRUE(store.insertData(bytesOf(big), big.size(), middle, false));
    expected.insert(middle, big);
    ASSERT_TRUE(store.insertData(bytesOf("yz"), 2, expected.size(), false));
    expected += "yz";
    EXPECT_EQ(readAll(store), expected);

    ASSERT_TRUE(store.deleteData(3, 0, false));
    expected.erase(0, 3);
    ASSERT_TRUE(store.deleteData(1048576 + 11, middle - 100, false));
    expected.erase(middle - 100, 1048576 + 11);
    ASSERT_TRUE(store.deleteData(2, expected.size() - 2, false));
    expected.erase(expected.size() - 2);
    EXPECT_EQ(readAll(store), expected);

    ASSERT_TRUE(store.overwriteData(bytesOf("12"), 2, 0, false));
    expected.replace(0, 2, "12");
    ASSERT_TRUE(store.overwriteData(bytesOf(big), big.size(), 1000, false));
    expected.replace(1000, big.size(), big);
    ASSERT_TRUE(store.overwriteData(bytesOf("!"), 1, expected.size() - 1, false));
    expected.back() = '!';
    EXPECT_EQ(store.getDataSize(), expected.size());
    EXPECT_EQ(readAll(store), expected);

    EXPECT_FALSE(store.deleteData(1, expected.size(), false));
    EXPECT_FALSE(store.overwriteData(bytesOf("ab"), 2, expected.size() - 1, false));
    EXPECT_FALSE(store.insertData(bytesOf("a"), 1, expected.size() + 1, false));
    EXPECT_EQ(readAll(store), expected);

    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(edittest::readFileBytes(path), expected);
}

TEST_F(CEditDataWorkCopyTest, TheWorkCopyKeepsTheTypedBytesAndStartsAFreshHistory) {
    std::uint8_t byte = 0x42;
    ASSERT_TRUE(store.writeByte(byte, 5000, false));
    std::string expected = original;
    expected[5000] = 0x42;
    ASSERT_TRUE(store.makeWorkCopy());
    EXPECT_EQ(store.storageMode(), StorageMode::WorkCopy);
    EXPECT_EQ(store.modifiedBlockCount(), 0u);
    EXPECT_EQ(store.getUndoCount(), 0u);
    EXPECT_THAT(store.workFilePath(), testing::MatchesRegex(".*/temp/~HEXDATA[0-9A-F]{1,4}\\.tmp"));
    EXPECT_EQ(readAll(store), expected);
    EXPECT_EQ(edittest::readFileBytes(path), original);
}

TEST_F(CEditDataWorkCopyTest, OnTheUserInterfaceThreadTheCopyAsksFirstAndRunsUnderTheDialog) {
    const UiThreadScope ui;
    owner.irreversibleAnswer = false;
    EXPECT_FALSE(store.deleteData(10, 0, true));
    EXPECT_THAT(owner.irreversibles, ElementsAre(editstrings::kDeleteIrreversible));
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_TRUE(env.runner.runs().empty());
    EXPECT_TRUE(env.temporaryFiles().empty());

    owner.irreversibleAnswer = true;
    ASSERT_TRUE(store.insertData(bytesOf("x"), 1, 0, true));
    EXPECT_THAT(owner.irreversibles,
                ElementsAre(editstrings::kDeleteIrreversible, editstrings::kInsertIrreversible));
    ASSERT_EQ(env.runner.runs().size(), 2u);
    EXPECT_EQ(env.runner.runs()[0].captionId, editstrings::kSaveFileDataCaption);
    EXPECT_EQ(env.runner.runs()[0].textId, editstrings::kSaveFileDataText);
    EXPECT_TRUE(env.runner.runs()[0].closedWithOk);
    EXPECT_EQ(env.runner.runs()[1].captionId, editstrings::kInsertDataCaption);
    EXPECT_EQ(env.runner.runs()[1].textId, editstrings::kInsertDataText);
    // The work copy reports its total and finishes; the tail move reports its own total.
    const auto& copy = env.runner.runs()[0].reports;
    EXPECT_EQ(copy.front().total, kLargeSize);
    EXPECT_EQ(copy.back().kind, platform::ProgressKind::Finished);
    EXPECT_EQ(env.runner.runs()[1].reports.front().total, kLargeSize);

    // Once a work copy, nothing asks again.
    ASSERT_TRUE(store.deleteData(1, 0, true));
    EXPECT_EQ(owner.irreversibles.size(), 2u);
    EXPECT_EQ(readAll(store), original);
}

TEST_F(CEditDataWorkCopyTest, ABlockWhollyPastTheDataFailsBeforeTheWorkCopy) {
    std::uint8_t byte = 0x42;
    ASSERT_TRUE(store.writeByte(byte, 10, true));  // a typed byte with its history
    ColumnBlock past;
    past.lineWidth = 16;
    past.firstLine = static_cast<std::int32_t>(kLargeSize / 16 + 2);
    past.lastLine = past.firstLine + 3;
    past.firstColumn = 0;
    past.lastColumn = 3;
    past.count = 16;
    const std::string rows(16, 'r');
    EXPECT_FALSE(store.deleteBlock(past, true));
    EXPECT_FALSE(store.overwriteBlock(bytesOf(rows), past, true));
    EXPECT_TRUE(owner.irreversibles.empty());  // never asked
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_EQ(store.getUndoCount(), 1);  // the typing history kept
    EXPECT_TRUE(env.temporaryFiles().empty());
}

TEST_F(CEditDataWorkCopyTest, CancellingTheWorkCopyLeavesTheFileInPlaceAndNothingBehind) {
    const UiThreadScope ui;
    env.runner.cancelAtReport(2);
    EXPECT_FALSE(store.overwriteData(bytesOf("zz"), 2, 0, true));
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_TRUE(env.temporaryFiles().empty());
    EXPECT_FALSE(env.runner.runs()[0].closedWithOk);
    EXPECT_EQ(readAll(store), original);
    EXPECT_FALSE(store.isModified());
}

TEST_F(CEditDataWorkCopyTest, CancellingATailMoveStillFinishesIt) {
    ASSERT_TRUE(store.makeWorkCopy());
    const UiThreadScope ui;
    env.runner.cancelAtReport(1);
    ASSERT_TRUE(store.deleteData(100, 50, true));
    EXPECT_FALSE(env.runner.runs().back().closedWithOk);
    EXPECT_EQ(env.runner.runs().back().captionId, editstrings::kDeleteDataCaption);
    EXPECT_EQ(readAll(store), original.substr(0, 50) + original.substr(150));
    EXPECT_TRUE(store.isModified());
}

TEST_F(CEditDataWorkCopyTest, OnAWorkerThreadNothingAsksAndNoDialogOpens) {
    ASSERT_TRUE(store.deleteData(10, 0, true));
    EXPECT_TRUE(owner.irreversibles.empty());
    EXPECT_TRUE(env.runner.runs().empty());
    EXPECT_EQ(readAll(store), original.substr(10));
}

TEST_F(CEditDataWorkCopyTest, AWorkCopyThatCannotBeMadeSaysWhy) {
    const UiThreadScope ui;
    env.settings.write(settings::general::TempFilePath, env.dir.file("gone"));
    EXPECT_FALSE(store.deleteData(10, 0, true));
    ASSERT_EQ(env.messages.shownIds(), std::vector<int>{editstrings::kWorkCopyFailed});
    EXPECT_EQ(env.messages.shown()[0].text,
              "The file could not be copied to a work file in the temporary folder: No such file "
              "or directory.\nNothing was changed.");
    EXPECT_EQ(readAll(store), original);
    // A cancelled copy was the user's choice: no message.
    env.settings.write(settings::general::TempFilePath, env.tempDirectory());
    env.runner.cancelAtReport(1);
    EXPECT_FALSE(store.deleteData(10, 0, true));
    EXPECT_EQ(env.messages.shown().size(), 1u);
}

TEST_F(CEditDataWorkCopyTest, AWorkCopyThatCannotBeMadeLeavesTheEditUndoneAndNoFile) {
    env.settings.write(settings::general::TempFilePath, env.dir.file("gone"));
    EXPECT_FALSE(store.deleteData(10, 0, false));
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_EQ(readAll(store), original);

    // A full disk in the middle of the copy: the partial work file is removed.
    env.settings.write(settings::general::TempFilePath, env.tempDirectory());
    {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = 1048576;
        setrlimit(RLIMIT_FSIZE, &lowered);
        EXPECT_FALSE(store.makeWorkCopy());
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, SIG_DFL);
    }
    EXPECT_TRUE(env.temporaryFiles().empty());
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_EQ(readAll(store), original);
}

TEST_F(CEditDataWorkCopyTest, ReplaceContentMakesTheGivenFileTheWorkFile) {
    const std::string replacement = env.makeFile("replacement", "new content");
    ASSERT_TRUE(store.replaceContent(replacement));
    EXPECT_EQ(store.storageMode(), StorageMode::WorkCopy);
    EXPECT_EQ(store.workFilePath(), replacement);
    EXPECT_EQ(store.path(), path);
    EXPECT_EQ(readAll(store), "new content");
    EXPECT_TRUE(store.isModified());
    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(edittest::readFileBytes(path), "new content");
    EXPECT_FALSE(fs::exists(replacement));
}

TEST(CEditDataMemoryTest, ReplaceContentInMemoryLeavesNoTemporaryFile) {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store(env.services());
    store.setOwner(&owner);
    ASSERT_TRUE(store.open(env.makeFile("small", "abc"), kGenericRead | kGenericWrite));
    const std::string replacement = env.makeFile("replacement", patternBytes(10000));
    ASSERT_TRUE(store.replaceContent(replacement));
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryLoaded);
    EXPECT_EQ(readAll(store), patternBytes(10000));
    EXPECT_FALSE(fs::exists(replacement));

    EXPECT_FALSE(store.replaceContent(env.dir.file("missing")));
    EXPECT_EQ(readAll(store), patternBytes(10000));
}

TEST(CEditDataMemoryTest, RecordedEditsAskTheThresholdWarningFirst) {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store(env.services());
    store.setOwner(&owner);
    ASSERT_TRUE(store.open(env.makeFile("small", "abcdef"), kGenericRead | kGenericWrite));
    owner.thresholdAnswer = false;
    EXPECT_FALSE(store.deleteData(2, 1, true));
    EXPECT_FALSE(store.overwriteData(bytesOf("xy"), 2, 0, true));
    EXPECT_FALSE(store.insertData(bytesOf("xyz"), 3, 6, true));
    EXPECT_EQ(readAll(store), "abcdef");
    EXPECT_FALSE(store.isModified());
    EXPECT_THAT(owner.thresholds, ElementsAre(std::make_pair(2u, editstrings::kDeleteThreshold),
                                              std::make_pair(2u, editstrings::kOverwriteThreshold),
                                              std::make_pair(3u, editstrings::kInsertThreshold)));

    // Unrecorded edits (undo and redo) never ask.
    EXPECT_TRUE(store.deleteData(2, 1, false));
    EXPECT_EQ(owner.thresholds.size(), 3u);
    EXPECT_EQ(readAll(store), "adef");
}

TEST(CEditDataMemoryTest, MemoryEditsCheckTheirRangesAndGrowInPages) {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store(env.services());
    store.setOwner(&owner);
    ASSERT_TRUE(store.create(4096, 'a'));
    EXPECT_EQ(store.capacity(), 4096u);
    ASSERT_TRUE(store.insertData(bytesOf("b"), 1, 4096, false));
    EXPECT_EQ(store.capacity(), 8192u);
    EXPECT_EQ(store.getDataSize(), 4097u);
    EXPECT_FALSE(store.deleteData(0, 0, false));
    EXPECT_FALSE(store.deleteData(2, 4096, false));
    EXPECT_FALSE(store.overwriteData(nullptr, 1, 0, false));
    EXPECT_FALSE(store.insertData(bytesOf("b"), 0, 0, false));
    EXPECT_FALSE(store.insertData(bytesOf("b"), 1, 4098, false));
    EXPECT_EQ(readAll(store), std::string(4096, 'a') + "b");
}

}  // namespace
