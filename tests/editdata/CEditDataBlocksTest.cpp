#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "editdata/EditActions.h"
#include "tests/editdata/EditDataFixture.h"

namespace {

using edittest::bytesOf;
using edittest::FakeOwner;
using edittest::kLargeSize;
using edittest::patternBytes;
using edittest::readAll;
using edittest::StoreEnvironment;

std::string counting(int n) {
    std::string bytes;
    for (int i = 0; i < n; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

ColumnBlock block(int lineWidth, int firstLine, int lastLine, int firstColumn, int lastColumn,
                  int indent = 0) {
    ColumnBlock geometry;
    geometry.lineWidth = lineWidth;
    geometry.indent = indent;
    geometry.firstLine = firstLine;
    geometry.lastLine = lastLine;
    geometry.firstColumn = firstColumn;
    geometry.lastColumn = lastColumn;
    return geometry;
}

class CEditDataBlocksTest : public testing::Test {
  protected:
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};

    void openWith(const std::string& bytes) {
        store.setOwner(&owner);
        ASSERT_TRUE(store.open(env.makeFile("doc", bytes), kGenericRead | kGenericWrite));
    }
};

TEST_F(CEditDataBlocksTest, DeletingABlockRemovesItsColumnsFromEachRow) {
    openWith(counting(10));
    ASSERT_TRUE(store.deleteBlock(block(4, 0, 1, 1, 2), true));
    EXPECT_EQ(readAll(store), std::string("\x00\x03\x04\x07\x08\x09", 6));
    EXPECT_EQ(store.getUndoCount(), 1);
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), counting(10));
    ASSERT_TRUE(store.redo(0));
    EXPECT_EQ(readAll(store), std::string("\x00\x03\x04\x07\x08\x09", 6));
}

TEST_F(CEditDataBlocksTest, InsertedRowsFormAColumnAndTheOldDataFlowsAround) {
    openWith(counting(8));
    const std::string rows = "\xAA\xBB\xCC\xDD";
    ASSERT_TRUE(store.insertBlock(bytesOf(rows), block(4, 0, 1, 1, 2), true));
    EXPECT_EQ(readAll(store), std::string("\x00\xAA\xBB\x01\x02\xCC\xDD\x03\x04\x05\x06\x07", 12));
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), counting(8));
    ASSERT_TRUE(store.redo(0));
    EXPECT_EQ(store.getDataSize(), 12u);
}

TEST_F(CEditDataBlocksTest, ABlockReachingPastTheEndRemovesOnlyWhatExistsAndUndoesExactly) {
    // Rows at offsets 1-2, 5-6, 9-10, 13-14 of 10 bytes: the last existing
    // row is cut after one byte, the last row does not exist at all.
    openWith(counting(10));
    ASSERT_TRUE(store.deleteBlock(block(4, 0, 3, 1, 2), true));
    EXPECT_EQ(readAll(store), std::string("\x00\x03\x04\x07\x08", 5));
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), counting(10));
    ASSERT_TRUE(store.redo(0));
    EXPECT_EQ(readAll(store), std::string("\x00\x03\x04\x07\x08", 5));

    // Data that ends between two rows' block bytes.
    ASSERT_TRUE(store.undo(0));
    ASSERT_TRUE(store.deleteData(2, 8, true));  // 00..07
    ASSERT_TRUE(store.deleteBlock(block(4, 0, 2, 1, 2), true));
    EXPECT_EQ(readAll(store), std::string("\x00\x03\x04\x07", 4));
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), counting(8));
}

TEST_F(CEditDataBlocksTest, ABlockOverTheIndentTakesOnlyRealBytes) {
    openWith(counting(12));
    // Indent 2: line 0 holds bytes at columns 2..3 only; columns 0..2 of
    // lines 0 and 1 are the offsets -2..0 and 2..4.
    ASSERT_TRUE(store.deleteBlock(block(4, 0, 1, 0, 2, 2), true));
    EXPECT_EQ(readAll(store), std::string("\x01\x05\x06\x07\x08\x09\x0A\x0B", 8));
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), counting(12));
}

TEST_F(CEditDataBlocksTest, AnInsertAtTheEndUndoesExactly) {
    openWith(counting(6));
    // The block starts at the end of the data: no old bytes between its rows.
    ASSERT_TRUE(store.insertBlock(bytesOf("ABCD"), block(4, 1, 2, 2, 3), true));
    EXPECT_EQ(readAll(store), counting(6) + "ABCD");
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), counting(6));
}

TEST_F(CEditDataBlocksTest, OverwritingABlockPastTheEndWritesOnlyInsideTheData) {
    openWith(counting(10));
    ASSERT_TRUE(store.overwriteBlock(bytesOf("abcdefgh"), block(4, 1, 4, 1, 2), true));
    // Rows at 5-6 and 9-10: 9 exists, 10 and the later rows do not.
    EXPECT_EQ(readAll(store), std::string("\x00\x01\x02\x03\x04"
                                          "ab\x07\x08"
                                          "c",
                                          10));
    EXPECT_EQ(store.getDataSize(), 10u);
    std::string name;
    store.getUndoName(0, name);
    EXPECT_EQ(name, "Overwrite data block");
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), counting(10));
    ASSERT_TRUE(store.redo(0));
    EXPECT_EQ(readAll(store)[9], 'c');
}

TEST(RowPartTest, ARowPastTheDataHasNoPartAndNoColumn) {
    const ColumnBlock geometry = block(4, 1, 4, 1, 2);
    const RowPart inside = rowPart(geometry, 2, 10);  // bytes 9..10, of which 9 exists
    EXPECT_EQ(inside.begin, 9u);
    EXPECT_EQ(inside.end, 10u);
    EXPECT_EQ(inside.column, 0u);
    const RowPart past = rowPart(geometry, 3, 10);  // would start at 13
    EXPECT_EQ(past.begin, past.end);
    EXPECT_EQ(past.column, 0u);  // never the wrapped 10 - 13
}

TEST_F(CEditDataBlocksTest, TheBlockMaskCoversItsRows) {
    openWith(counting(12));
    ASSERT_TRUE(store.overwriteBlock(bytesOf("wxyz"), block(4, 1, 2, 0, 1), true));
    const std::uint8_t* data = nullptr;
    const std::uint8_t* mask = nullptr;
    std::uint32_t count = 12;
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, 0, false));
    std::string marks;
    for (std::uint32_t i = 0; i < 12; ++i) {
        marks += mask[i] ? 'x' : '.';
    }
    EXPECT_EQ(marks, "....xx..xx..");
}

TEST_F(CEditDataBlocksTest, SwapAlignedToTheLineLeavesThePartialUnitAlone) {
    openWith(counting(40));
    // Unit 2, line width 16, indent 3: the first chunk is 13 bytes.
    ASSERT_TRUE(store.swapData(40, 0, 16, 2, 3, true));
    const std::string swapped = readAll(store);
    std::string expected = counting(40);
    for (int at = 0; at < 12; at += 2) {
        std::swap(expected[at], expected[at + 1]);
    }
    // Then chunks of 16 from offset 13: its pairs run on evenly, the final
    // partial unit (byte 39) stays.
    for (int at = 13; at + 1 < 40; at += 2) {
        std::swap(expected[at], expected[at + 1]);
    }
    EXPECT_EQ(swapped, expected);
    EXPECT_EQ(swapped[12], '\x0C');
    std::string name;
    store.getUndoName(0, name);
    EXPECT_EQ(name, "Swap data");
    ASSERT_TRUE(store.undo(0));  // its own inverse
    EXPECT_EQ(readAll(store), counting(40));
}

TEST_F(CEditDataBlocksTest, ASwapShorterThanTheShiftedChunkStaysInsideItsRange) {
    openWith(counting(20));
    ASSERT_TRUE(store.swapData(3, 5, 16, 4, 2, false));  // range 5..7, first chunk 14 bytes
    std::string expected = counting(20);
    std::swap(expected[5], expected[7]);
    EXPECT_EQ(readAll(store), expected);
    EXPECT_FALSE(store.swapData(3, 5, 16, 4, 16, false));  // a shift of a whole chunk
    EXPECT_FALSE(store.swapData(3, 18, 16, 4, 0, false));  // past the end
    EXPECT_FALSE(store.swapData(3, 0, 0, 4, 0, false));
}

TEST_F(CEditDataBlocksTest, BadGeometriesAreRefused) {
    openWith(counting(10));
    EXPECT_FALSE(store.deleteBlock(block(0, 0, 1, 0, 0), false));
    EXPECT_FALSE(store.deleteBlock(block(4, 1, 0, 0, 0), false));
    EXPECT_FALSE(store.deleteBlock(block(4, 0, 1, 2, 4), false));  // past the line width
    EXPECT_FALSE(store.deleteBlock(block(4, 5, 6, 0, 1), false));  // wholly past the end
    EXPECT_FALSE(store.insertBlock(nullptr, block(4, 0, 1, 0, 1), false));
    EXPECT_EQ(readAll(store), counting(10));
    EXPECT_FALSE(store.isModified());
}

// The work-file forms must give the same bytes as the memory forms.
TEST(CEditDataWorkFileBlocksTest, WorkFileBlocksAndSwapMatchTheMemoryForms) {
    StoreEnvironment env;
    FakeOwner owner;
    const std::string original = patternBytes(kLargeSize);
    CEditData file(env.services());
    CEditData memory(env.services());
    file.setOwner(&owner);
    memory.setOwner(&owner);
    ASSERT_TRUE(file.open(env.makeFile("large", original), kGenericRead | kGenericWrite));
    ASSERT_EQ(file.storageMode(), StorageMode::InPlace);
    ASSERT_TRUE(memory.create(0, 0));
    ASSERT_TRUE(memory.insertData(bytesOf(original), original.size(), 0, false));
    ASSERT_EQ(memory.storageMode(), StorageMode::MemoryNew);

    const ColumnBlock wide = block(37, 3, 140000, 5, 20, 7);  // past the end of the data
    const std::string rows =
        patternBytes(static_cast<std::size_t>(wide.rows() * wide.columns()), 5);
    ASSERT_TRUE(file.deleteBlock(wide, false));
    ASSERT_TRUE(memory.deleteBlock(wide, false));
    ASSERT_EQ(file.getDataSize(), memory.getDataSize());
    ASSERT_TRUE(readAll(file) == readAll(memory));

    const ColumnBlock narrow = block(64, 10, 20000, 3, 9);
    const std::string inserted =
        patternBytes(static_cast<std::size_t>(narrow.rows() * narrow.columns()), 6);
    ASSERT_TRUE(file.insertBlock(bytesOf(inserted), narrow, false));
    ASSERT_TRUE(memory.insertBlock(bytesOf(inserted), narrow, false));
    ASSERT_TRUE(readAll(file) == readAll(memory));

    ASSERT_TRUE(file.overwriteBlock(bytesOf(rows), wide, false));
    ASSERT_TRUE(memory.overwriteBlock(bytesOf(rows), wide, false));
    ASSERT_TRUE(readAll(file) == readAll(memory));

    const std::uint64_t count = file.getDataSize() - 1001;
    ASSERT_TRUE(file.swapData(count, 1000, 24, 4, 5, false));
    ASSERT_TRUE(memory.swapData(count, 1000, 24, 4, 5, false));
    EXPECT_TRUE(readAll(file) == readAll(memory));
    EXPECT_EQ(file.storageMode(), StorageMode::WorkCopy);
}

// Random block operations with undo in memory against themselves: every
// undo gives back the bytes before the operation.
TEST(CEditDataBlockUndoRandomTest, EveryBlockOperationUndoesByteForByte) {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store(env.services());
    store.setOwner(&owner);
    ASSERT_TRUE(
        store.open(env.makeFile("doc", patternBytes(3000, 4)), kGenericRead | kGenericWrite));
    std::mt19937 random(20261208);
    SCOPED_TRACE("random seed 20261208");
    for (int step = 0; step < 600; ++step) {
        const int width = 8 + static_cast<int>(random() % 24);
        const int first = static_cast<int>(random() % width);
        const int last = first + static_cast<int>(random() % (width - first));
        const std::uint64_t lines = (store.getDataSize() + width) / width + 2;
        const int firstLine = static_cast<int>(random() % lines);
        const ColumnBlock geometry =
            block(width, firstLine, firstLine + static_cast<int>(random() % 6), first, last,
                  static_cast<int>(random() % width));
        const std::string rows =
            patternBytes(static_cast<std::size_t>(geometry.rows() * geometry.columns()), random());
        const std::string before = readAll(store);
        bool done = false;
        switch (random() % 3) {
            case 0:
                done = store.deleteBlock(geometry, true);
                break;
            case 1:
                done = store.insertBlock(bytesOf(rows), geometry, true);
                break;
            default:
                done = store.overwriteBlock(bytesOf(rows), geometry, true);
                break;
        }
        if (!done) {
            ASSERT_EQ(readAll(store), before) << "step " << step;
            continue;
        }
        const std::string after = readAll(store);
        ASSERT_TRUE(store.undo(0));
        ASSERT_EQ(readAll(store), before) << "undo of step " << step;
        ASSERT_TRUE(store.redo(0));
        ASSERT_EQ(readAll(store), after) << "redo of step " << step;
    }
}

}  // namespace
