#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "editdata/EditDataStrings.h"
#include "platform/File.h"
#include "tests/editdata/EditDataFixture.h"

namespace {

namespace fs = std::filesystem;
using edittest::FakeOwner;
using edittest::kLargeSize;
using edittest::patternBytes;
using edittest::readAll;
using edittest::readFileBytes;
using edittest::StoreEnvironment;

class CEditDataSaveTest : public testing::Test {
protected:
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};

    void SetUp() override { store.setOwner(&owner); }

    void type(std::uint64_t offset, std::uint8_t value) {
        std::uint8_t byte = value;
        ASSERT_TRUE(store.writeByte(byte, offset, false)) << offset;
    }
    void moveWindowTo(std::uint64_t offset) {
        const std::uint8_t* data = nullptr;
        const std::uint8_t* mask = nullptr;
        std::uint32_t count = 1;
        ASSERT_TRUE(store.getDataPointer(&data, &mask, count, offset, false));
    }
    // Files beside `path` that a save might have left behind.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(env.dir.path())) {
            const std::string name = entry.path().filename().string();
            if (name.find(".kestrane-") != std::string::npos) {
                names.push_back(name);
            }
        }
        return names;
    }
};

// Makes writes beyond `limit` bytes fail as a full disk would, for the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit saved_{};
};

TEST_F(CEditDataSaveTest, InPlaceTypingScrolledAwayAndBackLandsAtItsOffsetsOnSave) {
    std::string expected = patternBytes(kLargeSize);
    const std::string path = env.makeFile("large", expected);
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    const std::uint64_t offsets[] = {0, 1023, 1024, 9000, 2 * 1048576 + 5, kLargeSize - 1};
    for (const auto offset : offsets) {
        moveWindowTo(offset);
        type(offset, 0x5A);
        expected[offset] = 0x5A;
        moveWindowTo(kLargeSize / 2);  // far away and back
        moveWindowTo(offset);
        std::uint8_t byte = 0;
        ASSERT_TRUE(store.readByte(byte, offset));
        EXPECT_EQ(byte, 0x5A) << offset;
    }
    EXPECT_EQ(readAll(store), expected);

    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_FALSE(store.isModified());
    EXPECT_EQ(fs::file_size(path), kLargeSize);
    EXPECT_EQ(readFileBytes(path), expected);
    EXPECT_EQ(readAll(store), expected);  // the blocks stay and now equal the file
}

TEST_F(CEditDataSaveTest, ChangingThePartialLastKilobyteKeepsTheFileSize) {
    std::string expected = patternBytes(kLargeSize);
    const std::string path = env.makeFile("large", expected);
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    moveWindowTo(kLargeSize - 2);
    type(kLargeSize - 2, 0x00);
    expected[kLargeSize - 2] = 0;
    moveWindowTo(0);  // the change goes into a short last block
    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(fs::file_size(path), kLargeSize);
    EXPECT_EQ(readFileBytes(path), expected);
}

TEST_F(CEditDataSaveTest, SaveAsOfAnInPlaceFileLeavesTheSourceAlone) {
    const std::string original = patternBytes(kLargeSize);
    const std::string source = env.makeFile("source", original);
    ASSERT_TRUE(store.open(source, kGenericRead | kGenericWrite));
    type(10, 0xFF);
    moveWindowTo(kLargeSize - 1);
    type(kLargeSize - 1, 0xFE);
    std::string expected = original;
    expected[10] = '\xFF';
    expected[kLargeSize - 1] = '\xFE';

    const std::string target = env.dir.file("target");
    ASSERT_TRUE(store.save(target));
    EXPECT_EQ(readFileBytes(source), original);
    EXPECT_EQ(readFileBytes(target), expected);
    EXPECT_EQ(store.path(), target);
    EXPECT_FALSE(store.isModified());
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(CEditDataSaveTest, SaveAsOfAnInPlaceFileThatCannotBeWrittenTellsWhyAndKeepsEverything) {
    const std::string original = patternBytes(kLargeSize);
    const std::string source = env.makeFile("source", original);
    ASSERT_TRUE(store.open(source, kGenericRead | kGenericWrite));
    type(10, 0xFF);
    EXPECT_FALSE(store.save(env.dir.file("no-such-folder/target")));
    // The reason goes to the caller, who shows one message with it.
    EXPECT_EQ(store.lastError(), ENOENT);
    EXPECT_TRUE(env.messages.shownIds().empty());
    EXPECT_TRUE(store.isModified());
    EXPECT_EQ(store.path(), source);
    std::uint8_t byte = 0;
    ASSERT_TRUE(store.readByte(byte, 10));
    EXPECT_EQ(byte, 0xFF);
    // The store still reads its file and can save it later.
    ASSERT_TRUE(store.save(source));
    EXPECT_EQ(readFileBytes(source)[10], '\xFF');
}

TEST_F(CEditDataSaveTest, AFailingWriteLeavesTheOriginalFileAndTheModifiedState) {
    const std::string original = patternBytes(100000);
    const std::string path = env.makeFile("doc", original);
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    ASSERT_TRUE(store.insertData(reinterpret_cast<const std::uint8_t*>("abc"), 3, 0, false));
    {
        const FileSizeLimit disk(50000);  // the disk is "full" after 50000 bytes
        EXPECT_FALSE(store.save(path));
    }
    EXPECT_NE(store.lastError(), 0);
    EXPECT_EQ(readFileBytes(path), original);
    EXPECT_TRUE(store.isModified());
    EXPECT_EQ(readAll(store), "abc" + original);
    EXPECT_TRUE(leftovers().empty());
    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(readFileBytes(path), "abc" + original);
}

TEST_F(CEditDataSaveTest, AFailingWorkCopySaveLeavesTheOriginalFile) {
    const std::string original = patternBytes(kLargeSize);
    const std::string path = env.makeFile("large", original);
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    ASSERT_TRUE(store.deleteData(5, 0, false));
    ASSERT_EQ(store.storageMode(), StorageMode::WorkCopy);
    {
        const FileSizeLimit disk(1048576);
        EXPECT_FALSE(store.save(path));
    }
    EXPECT_EQ(readFileBytes(path), original);
    EXPECT_EQ(store.storageMode(), StorageMode::WorkCopy);
    EXPECT_TRUE(store.isModified());
    EXPECT_EQ(readAll(store), original.substr(5));
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(CEditDataSaveTest, SavingIntoAFolderThatCannotTakeFilesFails) {
    ASSERT_TRUE(store.create(10, 1));
    testsupport::writeFile(env.dir.file("plain"), "x");
    EXPECT_FALSE(store.save(env.dir.file("plain/doc")));
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryNew);
    EXPECT_FALSE(store.save(env.dir.path()));  // a folder is no file to replace
    EXPECT_TRUE(leftovers().empty());
}

TEST_F(CEditDataSaveTest, SaveKeepsPermissionsAndFollowsSymbolicLinks) {
    const std::string real = env.makeFile("real", "old content");
    chmod(real.c_str(), 0640);
    const std::string link = env.dir.file("link");
    fs::create_symlink(real, link);
    ASSERT_TRUE(store.create(3, 'n'));
    ASSERT_TRUE(store.save(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFileBytes(real), "nnn");
    struct stat info{};
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryLoaded);
}

TEST_F(CEditDataSaveTest, ANewDocumentBecomesLoadedOnItsFirstSave) {
    ASSERT_TRUE(store.create(4, 'z'));
    std::uint8_t byte = 'a';
    store.writeByte(byte, 0, false);
    const std::string path = env.dir.file("new.bin");
    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryLoaded);
    EXPECT_EQ(store.path(), path);
    EXPECT_EQ(readFileBytes(path), "azzz");
}

TEST_F(CEditDataSaveTest, AFileHeldByAnotherStoreIsNeverWrittenOver) {
    const std::string original = patternBytes(kLargeSize);
    const std::string path = env.makeFile("shared", original);
    CEditData viewer(env.services());
    ASSERT_TRUE(viewer.open(path, kGenericRead | kGenericWrite));  // in place: holds the file
    ASSERT_EQ(viewer.storageMode(), StorageMode::InPlace);

    ASSERT_TRUE(store.create(3, 'x'));
    EXPECT_FALSE(store.save(path));
    EXPECT_EQ(store.lastError(), EWOULDBLOCK);
    EXPECT_EQ(readFileBytes(path), original);

    // While this store holds a saved file "not shared", nobody opens it for writing.
    const std::string mine = env.dir.file("mine");
    ASSERT_TRUE(store.save(mine));
    const platform::File writer =
        platform::File::open(mine, platform::FileAccess::ReadWrite, platform::FileShare::NotShared);
    EXPECT_FALSE(writer.isOpen());
    const platform::File reader =
        platform::File::open(mine, platform::FileAccess::Read, platform::FileShare::ShareRead);
    EXPECT_FALSE(reader.isOpen());
}

TEST_F(CEditDataSaveTest, AWorkCopySavedOverItsLargerOriginalHasExactlyTheNewSize) {
    const std::string original = patternBytes(kLargeSize);
    const std::string path = env.makeFile("large", original);
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    ASSERT_TRUE(store.deleteData(1048576 + 7, 1000, false));
    const std::string expected = original.substr(0, 1000) + original.substr(1000 + 1048576 + 7);
    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_EQ(fs::file_size(path), expected.size());
    EXPECT_EQ(readFileBytes(path), expected);
    EXPECT_TRUE(env.temporaryFiles().empty());  // the work file is gone
    EXPECT_FALSE(store.isModified());
    EXPECT_EQ(readAll(store), expected);
}

TEST_F(CEditDataSaveTest, AWorkCopyIsNeverSavedOntoItself) {
    ASSERT_TRUE(store.open(env.makeFile("large", patternBytes(kLargeSize)), kGenericRead | kGenericWrite));
    ASSERT_TRUE(store.deleteData(1, 0, false));
    EXPECT_FALSE(store.save(store.workFilePath()));
    EXPECT_EQ(store.storageMode(), StorageMode::WorkCopy);
    EXPECT_TRUE(store.isModified());
}

TEST_F(CEditDataSaveTest, FilesAboveFourGibibytesWorkInPlace) {
    const std::string path = env.dir.file("sparse");
    const std::uint64_t size = 5ull << 30;
    {
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0);
        ASSERT_EQ(pwrite(fd, "END", 3, static_cast<off_t>(size - 3)), 3);
        ::close(fd);
    }
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    ASSERT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_EQ(store.getDataSize(), size);
    const std::uint8_t* data = nullptr;
    const std::uint8_t* mask = nullptr;
    std::uint32_t count = 3;
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, size - 3, false));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 3), "END");

    const std::uint64_t far = (4ull << 30) + 12345;
    moveWindowTo(far);
    type(far, 'K');
    moveWindowTo(0);
    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(fs::file_size(path), size);
    const int fd = ::open(path.c_str(), O_RDONLY);
    char byte = 0;
    ASSERT_EQ(pread(fd, &byte, 1, static_cast<off_t>(far)), 1);
    ::close(fd);
    EXPECT_EQ(byte, 'K');
}

TEST_F(CEditDataSaveTest, CopyFileReportsItsOutcomeWhenAsked) {
    const std::string source = env.makeFile("source", "some bytes");
    const std::string target = env.dir.file("copy");
    EXPECT_TRUE(store.copyFile(source, target, true, true));
    EXPECT_EQ(readFileBytes(target), "some bytes");
    EXPECT_FALSE(store.copyFile(source, target, true, true));  // it exists now
    EXPECT_FALSE(store.copyFile(env.dir.file("missing"), target, false, true));
    EXPECT_TRUE(store.copyFile(source, target, false, false));  // replaced, silently
    EXPECT_THAT(env.messages.shownIds(),
                testing::ElementsAre(editstrings::kFileCopiedSuccessfully,
                                     editstrings::kCantCreateNewFile, editstrings::kCantOpenSource));
    EXPECT_EQ(env.messages.shown()[0].style.icon, platform::MessageIcon::Information);
    EXPECT_EQ(env.messages.shown()[2].style.icon, platform::MessageIcon::Stop);
}

TEST_F(CEditDataSaveTest, ALargeCopyRunsUnderTheCopyFileDialogOnTheUserInterfaceThread) {
    const std::string original = patternBytes(3 * 1048576 + 5);
    const std::string source = env.makeFile("source", original);
    const std::string target = env.makeFile("target", "precious old content");
    const edittest::UiThreadScope ui;
    env.runner.cancelAtReport(2);
    EXPECT_FALSE(store.copyFile(source, target, false, true));
    EXPECT_EQ(readFileBytes(target), "precious old content");  // a cancelled copy costs nothing
    ASSERT_EQ(env.runner.runs().size(), 1u);
    EXPECT_EQ(env.runner.runs()[0].captionId, editstrings::kCopyFileCaption);
    EXPECT_EQ(env.runner.runs()[0].textId, editstrings::kCopyFileText);
    EXPECT_THAT(env.messages.shownIds(), testing::ElementsAre(editstrings::kFileCopyFailed));

    env.runner.cancelAtReport(1000);
    EXPECT_TRUE(store.copyFile(source, target, false, false));
    EXPECT_EQ(readFileBytes(target), original);
    EXPECT_TRUE(leftovers().empty());
}

}  // namespace

namespace {

// Another program's edit: a byte written into the file where it is, with a
// modification time that tells it apart even within one clock tick.
void editBehindTheDocument(const std::string& path, std::uint64_t offset, char byte) {
    platform::File file =
        platform::File::open(path, platform::FileAccess::ReadWrite, platform::FileShare::ShareRead);
    ASSERT_TRUE(file.isOpen());
    ASSERT_TRUE(file.writeAt(&byte, 1, offset));
    const struct timespec later[2] = {{0, UTIME_OMIT}, {2000000000, 0}};
    ASSERT_EQ(::futimens(file.fd(), later), 0);
}

// Another program's save: a new file renamed over the path.
void replaceBehindTheDocument(const std::string& path, const std::string& bytes) {
    const std::string fresh = path + ".other";
    testsupport::writeFile(fresh, bytes);
    ASSERT_EQ(::rename(fresh.c_str(), path.c_str()), 0);
}

class CEditDataChangedOnDiskTest : public CEditDataSaveTest,
                                   public testing::WithParamInterface<bool> {
  protected:
    // Small files are held in memory, large ones edited in place.
    std::size_t size() const { return GetParam() ? kLargeSize : 4096; }
};

TEST_P(CEditDataChangedOnDiskTest, AnotherProgramsEditIsNeverSilentlyMerged) {
    const std::string original = patternBytes(size());
    const std::string path = env.makeFile("shared.bin", original);
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    type(10, 0xAA);
    editBehindTheDocument(path, 20, '\x55');  // inside the same 1 KiB block

    env.messages.answer(platform::MessageAnswer::No);
    EXPECT_FALSE(store.save(path));
    EXPECT_EQ(store.lastError(), ECANCELED);
    ASSERT_EQ(env.messages.shownIds(), std::vector<int>{editstrings::kChangedOnDisk});
    EXPECT_EQ(env.messages.shown()[0].text,
              path + " has been changed by another program since it was opened.\n"
                     "Overwrite it with this document?");
    EXPECT_TRUE(store.isModified());
    std::string theirs = original;
    theirs[20] = '\x55';
    EXPECT_EQ(readFileBytes(path), theirs);  // their edit kept, ours not written

    env.messages.answer(platform::MessageAnswer::Yes);
    ASSERT_TRUE(store.save(path));
    EXPECT_FALSE(store.isModified());
    const std::string saved = readFileBytes(path);
    EXPECT_EQ(static_cast<std::uint8_t>(saved[10]), 0xAA);
    // Saved again without anything in between: no question.
    type(11, 0xBB);
    ASSERT_TRUE(store.save(path));
    EXPECT_EQ(env.messages.shown().size(), 2u);
}

TEST_P(CEditDataChangedOnDiskTest, AReplacedFileNeverReceivesTheOldFilesBytes) {
    const std::string original = patternBytes(size());
    const std::string path = env.makeFile("replaced.bin", original);
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    type(10, 0xAA);
    const std::string theirs(size() / 2, 'r');
    replaceBehindTheDocument(path, theirs);

    env.messages.answer(platform::MessageAnswer::No);
    EXPECT_FALSE(store.save(path));
    EXPECT_EQ(readFileBytes(path), theirs);  // untouched, not patched with our blocks

    env.messages.answer(platform::MessageAnswer::Yes);
    ASSERT_TRUE(store.save(path));
    std::string ours = original;
    ours[10] = '\xAA';
    EXPECT_EQ(readFileBytes(path), ours);  // the whole document, not a mix
}

INSTANTIATE_TEST_SUITE_P(StorageModes, CEditDataChangedOnDiskTest, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "InPlace" : "Memory";
                         });

}  // namespace
