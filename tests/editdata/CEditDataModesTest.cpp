#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/editdata/EditDataFixture.h"

namespace {

using edittest::FakeOwner;
using edittest::kFloor;
using edittest::kLargeSize;
using edittest::patternBytes;
using edittest::readAll;
using edittest::StoreEnvironment;

class CEditDataModesTest : public testing::Test {
  protected:
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};

    void SetUp() override { store.setOwner(&owner); }
};

TEST_F(CEditDataModesTest, NothingOpenHasNoDataSize) {
    EXPECT_EQ(store.storageMode(), StorageMode::NoData);
    EXPECT_EQ(store.getDataSize(), CEditData::kNoDataSize);
    std::uint8_t byte = 0;
    EXPECT_FALSE(store.readByte(byte, 0));
    EXPECT_FALSE(store.writeByte(byte, 0, false));
    EXPECT_FALSE(store.save(env.dir.file("x")));
}

TEST_F(CEditDataModesTest, CreateFillsAMemoryStoreUpToTheMaximalSize) {
    ASSERT_TRUE(store.create(5000, 0xAB));
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryNew);
    EXPECT_EQ(store.getDataSize(), 5000u);
    EXPECT_EQ(store.capacity(), 8192u);
    EXPECT_EQ(store.accessMode(), kGenericRead | kGenericWrite);
    EXPECT_EQ(readAll(store), std::string(5000, '\xAB'));

    ASSERT_TRUE(store.create(0, 0));
    EXPECT_EQ(store.capacity(), 4096u);
    EXPECT_EQ(store.getDataSize(), 0u);

    EXPECT_TRUE(store.create(kFloor, 0));
    EXPECT_FALSE(store.create(kFloor + 1, 0));
    EXPECT_EQ(store.storageMode(), StorageMode::NoData);
}

TEST_F(CEditDataModesTest, TheFileSizeChoosesTheStorageMode) {
    ASSERT_TRUE(store.open(env.makeFile("empty", ""), kGenericRead | kGenericWrite));
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryLoaded);
    EXPECT_EQ(store.capacity(), 4096u);
    EXPECT_EQ(store.getDataSize(), 0u);

    const std::string exact = patternBytes(kFloor);
    ASSERT_TRUE(store.open(env.makeFile("exact", exact), kGenericRead | kGenericWrite));
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryLoaded);
    EXPECT_EQ(readAll(store), exact);

    const std::string above = patternBytes(kFloor + 1);
    ASSERT_TRUE(store.open(env.makeFile("above", above), kGenericRead | kGenericWrite));
    EXPECT_EQ(store.storageMode(), StorageMode::InPlace);
    EXPECT_EQ(store.getDataSize(), kFloor + 1);
    EXPECT_EQ(readAll(store), above);
}

TEST_F(CEditDataModesTest, AStoredMaximumBelowTheFloorActsAsTheFloor) {
    env.settings.write(settings::general::MaxFileSize, 1048576);
    ASSERT_TRUE(store.open(env.makeFile("two-mb", patternBytes(2 * 1048576)), kGenericRead));
    EXPECT_EQ(store.storageMode(), StorageMode::MemoryLoaded);
}

TEST_F(CEditDataModesTest, AMissingFileFailsTheOpenAndKeepsNothing) {
    EXPECT_FALSE(store.open(env.dir.file("missing"), kGenericRead | kGenericWrite));
    EXPECT_EQ(store.storageMode(), StorageMode::NoData);
    EXPECT_NE(store.lastError(), 0);
    EXPECT_FALSE(store.open(env.dir.path(), kGenericRead));  // a folder
}

TEST_F(CEditDataModesTest, AccessModeDecidesWhetherBytesMayBeWritten) {
    ASSERT_TRUE(store.open(env.makeFile("small", "abc"), kGenericRead));
    EXPECT_TRUE(store.isReadOnly());
    std::uint8_t byte = 'x';
    EXPECT_FALSE(store.writeByte(byte, 0, false));
    EXPECT_EQ(store.setAccessMode(kGenericRead | kGenericWrite), kGenericRead);
    EXPECT_FALSE(store.isReadOnly());
    EXPECT_TRUE(store.writeByte(byte, 0, false));
    EXPECT_EQ(byte, 'a');  // the caller now holds the old byte
    EXPECT_EQ(readAll(store), "xbc");
}

TEST_F(CEditDataModesTest, WritingAByteNeedsAnOwnerAndAPlaceInsideTheData) {
    ASSERT_TRUE(store.open(env.makeFile("small", "abc"), kGenericRead | kGenericWrite));
    std::uint8_t byte = 'x';
    EXPECT_FALSE(store.writeByte(byte, 3, false));
    store.setOwner(nullptr);
    EXPECT_FALSE(store.writeByte(byte, 0, false));
    EXPECT_FALSE(store.deleteData(1, 0, true));  // a recorded edit needs an owner too
    EXPECT_EQ(readAll(store), "abc");
    EXPECT_FALSE(store.isModified());
}

TEST_F(CEditDataModesTest, TheModifiedMarkGoesOnWithTheFirstChangeAndOffOnSave) {
    const std::string path = env.makeFile("small", "abc");
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    std::uint8_t byte = 'x';
    store.writeByte(byte, 1, false);
    EXPECT_TRUE(store.isModified());
    ASSERT_TRUE(store.save(path));
    EXPECT_FALSE(store.isModified());
    EXPECT_THAT(owner.marks, testing::ElementsAre(true, false));
    EXPECT_EQ(edittest::readFileBytes(path), "axc");
}

TEST_F(CEditDataModesTest, DataPointerCountsFollowTheWindow) {
    const std::string bytes = patternBytes(20000);
    ASSERT_TRUE(store.open(env.makeFile("memory", bytes), kGenericRead | kGenericWrite));
    const std::uint8_t* data = nullptr;
    const std::uint8_t* mask = nullptr;
    std::uint32_t count = 0;  // 0 asks for 4096
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, 5000, false));
    EXPECT_EQ(count, 4096u);
    EXPECT_EQ(std::memcmp(data, bytes.data() + 5000, count), 0);
    EXPECT_EQ(mask[0], 0);

    count = 4097;
    EXPECT_FALSE(store.getDataPointer(&data, &mask, count, 0, false));

    count = 4096;  // near the end only what is left comes back
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, 19000, false));
    EXPECT_EQ(count, 1000u);
    count = 10;
    EXPECT_FALSE(store.getDataPointer(&data, &mask, count, 20000, false));
}

TEST_F(CEditDataModesTest, FileBackedDataPointersComeFromTheWindow) {
    const std::string bytes = patternBytes(kLargeSize);
    ASSERT_TRUE(store.open(env.makeFile("large", bytes), kGenericRead | kGenericWrite));
    ASSERT_EQ(store.storageMode(), StorageMode::InPlace);
    const std::uint8_t* data = nullptr;
    const std::uint8_t* mask = nullptr;
    std::uint32_t count = 100;
    const std::uint64_t offset = 3 * 4096 + 700;
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, offset, false));
    // A fresh window runs from the offset to the window end (8 KiB from 4 KiB alignment).
    EXPECT_EQ(count, 8192u - 700u);
    EXPECT_EQ(std::memcmp(data, bytes.data() + offset, count), 0);

    count = 4096;  // inside the window: the requested count
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, offset + 10, false));
    EXPECT_EQ(count, 4096u);
    count = 4096;  // the reload flag re-reads and answers up to the window end
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, offset + 10, true));
    EXPECT_EQ(count, 8192u - 710u);

    count = 4096;
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, kLargeSize - 5, false));
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(std::memcmp(data, bytes.data() + kLargeSize - 5, 5), 0);
}

TEST_F(CEditDataModesTest, ReadByteOfAFileBackedStoreReachesEveryByte) {
    const std::string bytes = patternBytes(kLargeSize);
    ASSERT_TRUE(store.open(env.makeFile("large", bytes), kGenericRead | kGenericWrite));
    std::uint8_t byte = 0x11;
    ASSERT_TRUE(store.writeByte(byte, 100, false));
    std::uint8_t read = 0;
    EXPECT_TRUE(store.readByte(read, 100));
    EXPECT_EQ(read, 0x11);
    // Move the window far away: the typed byte lives on in a modified block.
    const std::uint8_t* data = nullptr;
    const std::uint8_t* mask = nullptr;
    std::uint32_t count = 16;
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, kLargeSize - 16, false));
    EXPECT_TRUE(store.readByte(read, 100));
    EXPECT_EQ(read, 0x11);
    EXPECT_EQ(store.modifiedBlockCount(), 1u);
    // Any other byte of the file is read too, the way typing reads it.
    ASSERT_TRUE(store.readByte(read, 50000));
    EXPECT_EQ(read, static_cast<std::uint8_t>(bytes[50000]));
    ASSERT_TRUE(store.readByte(read, kLargeSize - 1));
    EXPECT_EQ(read, static_cast<std::uint8_t>(bytes[kLargeSize - 1]));
    EXPECT_FALSE(store.readByte(read, kLargeSize));
    // And once it is a work copy, every byte, the moved ones included.
    ASSERT_TRUE(store.deleteData(1, 0, false));
    ASSERT_EQ(store.storageMode(), StorageMode::WorkCopy);
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, 0, false));
    ASSERT_TRUE(store.readByte(read, 60000));
    EXPECT_EQ(read, static_cast<std::uint8_t>(bytes[60001]));
    EXPECT_FALSE(store.readByte(read, kLargeSize - 1));
}

TEST_F(CEditDataModesTest, CloseDeletesTheWorkFileAndForgetsEverything) {
    ASSERT_TRUE(
        store.open(env.makeFile("large", patternBytes(kLargeSize)), kGenericRead | kGenericWrite));
    ASSERT_TRUE(store.deleteData(10, 0, false));
    ASSERT_EQ(store.storageMode(), StorageMode::WorkCopy);
    EXPECT_EQ(env.temporaryFiles().size(), 1u);
    store.close();
    EXPECT_TRUE(env.temporaryFiles().empty());
    EXPECT_EQ(store.storageMode(), StorageMode::NoData);
    EXPECT_EQ(store.path(), "");
    EXPECT_EQ(store.getDataSize(), CEditData::kNoDataSize);
}

}  // namespace
