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
using testing::ElementsAre;

class CEditDataHistoryTest : public testing::Test {
  protected:
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};

    void SetUp() override {
        store.setOwner(&owner);
        ASSERT_TRUE(store.open(env.makeFile("doc", "0123456789"), kGenericRead | kGenericWrite));
    }
    void type(std::uint64_t offset, char value) {
        std::uint8_t byte = static_cast<std::uint8_t>(value);
        ASSERT_TRUE(store.writeByte(byte, offset, true));
    }
    std::vector<std::string> undoNames() {
        std::vector<std::string> names;
        for (int i = 0; i < store.getUndoCount(); ++i) {
            std::string name;
            store.getUndoName(i, name);
            names.push_back(name);
        }
        return names;
    }
    // The change mask over the first bytes of the data.
    std::string maskOf(std::uint32_t count) {
        const std::uint8_t* data = nullptr;
        const std::uint8_t* mask = nullptr;
        std::uint32_t wanted = count;
        EXPECT_TRUE(store.getDataPointer(&data, &mask, wanted, 0, false));
        std::string marks;
        for (std::uint32_t i = 0; i < count; ++i) {
            marks += mask[i] != 0 ? 'x' : '.';
        }
        return marks;
    }
};

TEST_F(CEditDataHistoryTest, TheUndoLimitDropsTheOldestAction) {
    env.settings.write(settings::edit::MaxUndoLevel, 3);
    for (int i = 0; i < 4; ++i) {
        type(static_cast<std::uint64_t>(i), 'a');
    }
    EXPECT_EQ(store.getUndoCount(), 3);
    EXPECT_TRUE(store.undo(2));
    EXPECT_EQ(readAll(store), "a123456789");  // the first typed byte stays changed
    EXPECT_EQ(store.getRedoCount(), 3);
    EXPECT_FALSE(store.undo(0));
}

TEST_F(CEditDataHistoryTest, AStoredLimitOfZeroOrLessAllows256) {
    env.settings.write(settings::edit::MaxUndoLevel, 0);
    for (int i = 0; i < 300; ++i) {
        type(static_cast<std::uint64_t>(i % 10), static_cast<char>('a' + i % 26));
    }
    EXPECT_EQ(store.getUndoCount(), 256);
}

TEST_F(CEditDataHistoryTest, EachKeystrokeIsOneTypingActionWithTheCaretDigit) {
    owner.caretOffset = 3;
    owner.caretNibble = 0;
    type(3, '\x30');  // first nibble
    owner.caretNibble = 1;
    type(3, '\x3F');  // second nibble of the same byte
    EXPECT_THAT(undoNames(), ElementsAre("Typing", "Typing"));
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), "0120456789");  // the state after the first digit
    EXPECT_THAT(owner.caretsSet, ElementsAre(std::make_pair(&owner.panel, std::uint64_t{3})));
    EXPECT_THAT(owner.nibblesSet, ElementsAre(1));
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), "0123456789");
    ASSERT_TRUE(store.redo(1));
    EXPECT_EQ(readAll(store), "012?456789");
    EXPECT_EQ(store.getUndoCount(), 2);
}

TEST_F(CEditDataHistoryTest, TypingOverASelectionIsUndoneInOneStep) {
    ASSERT_TRUE(store.deleteData(3, 2, true));  // the selection "234"
    std::unique_ptr<CEditAction> deletion = store.takeNewestUndoAction();
    ASSERT_NE(deletion, nullptr);
    std::uint8_t byte = 'Z';
    ASSERT_TRUE(store.writeByte(byte, 2, true, std::move(deletion)));
    EXPECT_EQ(readAll(store), "01Z6789");
    ASSERT_EQ(store.getUndoCount(), 1);
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), "0123456789");
    ASSERT_TRUE(store.redo(0));
    EXPECT_EQ(readAll(store), "01Z6789");
}

TEST_F(CEditDataHistoryTest, RangeActionsRecordTheCellOfTheirFirstByteAndUndoExactly) {
    ASSERT_TRUE(store.insertData(bytesOf("ab"), 2, 4, true));
    ASSERT_TRUE(store.overwriteData(bytesOf("XYZ"), 3, 0, true));
    ASSERT_TRUE(store.deleteData(2, 8, true));
    EXPECT_EQ(readAll(store), "XYZ3ab4589");
    EXPECT_THAT(undoNames(), ElementsAre("Insert data", "Overwrite data", "Delete data"));
    EXPECT_EQ(store.getUndoCount(), 3);
    ASSERT_TRUE(store.undo(2));
    EXPECT_EQ(readAll(store), "0123456789");
    // The caret goes back to each action's first byte, newest first.
    EXPECT_THAT(owner.caretsSet, ElementsAre(std::make_pair(&owner.panel, std::uint64_t{8}),
                                             std::make_pair(&owner.panel, std::uint64_t{0}),
                                             std::make_pair(&owner.panel, std::uint64_t{4})));
    std::string name;
    ASSERT_TRUE(store.getRedoName(2, name));
    EXPECT_EQ(name, "Insert data");  // undone last, so the redo stack's newest
    EXPECT_FALSE(store.getRedoName(3, name));
    ASSERT_TRUE(store.redo(2));
    EXPECT_EQ(readAll(store), "XYZ3ab4589");
}

TEST_F(CEditDataHistoryTest, ANewChangeEmptiesTheRedoHistory) {
    type(0, 'a');
    type(1, 'b');
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(store.getRedoCount(), 1);
    ASSERT_TRUE(store.deleteData(5, 0, true));
    EXPECT_EQ(store.getRedoCount(), 0);
    EXPECT_FALSE(store.redo(0));
    EXPECT_EQ(readAll(store), "56789");
}

TEST_F(CEditDataHistoryTest, NothingIsRecordedWithoutACaretPanel) {
    owner.hasPanel = false;
    type(0, 'a');
    ASSERT_TRUE(store.deleteData(1, 1, true));
    EXPECT_EQ(store.getUndoCount(), 0);
    EXPECT_EQ(readAll(store), "a23456789");  // the edits themselves happened
}

TEST_F(CEditDataHistoryTest, TheChangeMaskShowsChangesUpToTheLastSizeChange) {
    type(1, 'a');
    type(3, 'b');
    EXPECT_EQ(maskOf(10), ".x.x......");
    ASSERT_TRUE(store.overwriteData(bytesOf("zz"), 2, 6, true));
    EXPECT_EQ(maskOf(10), ".x.x..xx..");
    ASSERT_TRUE(store.insertData(bytesOf("+"), 1, 0, true));
    EXPECT_EQ(maskOf(11), "...........");  // offsets before the insert no longer match
    type(0, 'c');
    EXPECT_EQ(maskOf(11), "x..........");
    ASSERT_TRUE(store.undo(1));
    EXPECT_EQ(maskOf(10), ".x.x..xx..");
    store.clearHistory();
    EXPECT_EQ(maskOf(10), "..........");
}

TEST_F(CEditDataHistoryTest, AFailingUndoStillMovesTheAction) {
    type(9, 'q');
    // Take write access away: the exchange cannot happen.
    store.setAccessMode(kGenericRead);
    EXPECT_TRUE(store.undo(0));
    EXPECT_EQ(store.getUndoCount(), 0);
    EXPECT_EQ(store.getRedoCount(), 1);
    EXPECT_EQ(readAll(store), "012345678q");
}

TEST_F(CEditDataHistoryTest, SavingClearsTheHistory) {
    type(0, 'a');
    ASSERT_TRUE(store.save(env.dir.file("saved")));
    EXPECT_EQ(store.getUndoCount(), 0);
    EXPECT_EQ(maskOf(10), "..........");
}

TEST(CEditDataFileHistoryTest, TypingInPlaceIsUndoneAfterTheWindowMovedAway) {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store(env.services());
    store.setOwner(&owner);
    const std::string original = patternBytes(kLargeSize);
    ASSERT_TRUE(store.open(env.makeFile("large", original), kGenericRead | kGenericWrite));
    std::uint8_t byte = static_cast<std::uint8_t>(~original[100]);
    ASSERT_TRUE(store.writeByte(byte, 100, true));
    const std::uint8_t* data = nullptr;
    const std::uint8_t* mask = nullptr;
    std::uint32_t count = 16;
    ASSERT_TRUE(store.getDataPointer(&data, &mask, count, kLargeSize - 16, false));
    ASSERT_TRUE(store.undo(0));
    EXPECT_EQ(readAll(store), original);
    ASSERT_TRUE(store.redo(0));
    EXPECT_EQ(static_cast<std::uint8_t>(readAll(store)[100]),
              static_cast<std::uint8_t>(~original[100]));

    // Anything but typing makes a work copy and cannot be undone.
    ASSERT_TRUE(store.deleteData(1, 0, true));
    EXPECT_EQ(store.getUndoCount(), 0);
    EXPECT_EQ(store.getRedoCount(), 0);
    byte = 'T';
    ASSERT_TRUE(store.writeByte(byte, 0, true));  // typing in the work copy is undoable
    EXPECT_EQ(store.getUndoCount(), 1);
    ASSERT_TRUE(store.deleteData(1, 0, true));
    EXPECT_EQ(store.getUndoCount(), 0);
}

// Random recorded edits in memory: undoing everything gives the original
// bytes back, redoing everything the final ones.
TEST(CEditDataUndoRandomTest, UndoAllAndRedoAllRestoreBothEnds) {
    StoreEnvironment env;
    env.settings.write(settings::edit::MaxUndoLevel, 100000);
    FakeOwner owner;
    CEditData store(env.services());
    store.setOwner(&owner);
    const std::string original = patternBytes(5000, 9);
    ASSERT_TRUE(store.open(env.makeFile("doc", original), kGenericRead | kGenericWrite));
    std::mt19937 random(20261208);
    SCOPED_TRACE("random seed 20261208");
    for (int step = 0; step < 1500; ++step) {
        const std::uint64_t size = store.getDataSize();
        const std::uint64_t offset = size == 0 ? 0 : random() % size;
        const std::uint64_t room = size - offset;
        const std::string bytes = patternBytes(1 + random() % 40, random());
        switch (random() % 5) {
            case 0: {
                std::uint8_t byte = static_cast<std::uint8_t>(random());
                if (size > 0) {
                    store.writeByte(byte, offset, true);
                }
                break;
            }
            case 1:
                store.insertData(bytesOf(bytes), bytes.size(), offset, true);
                break;
            case 2:
                if (room > 0) {
                    store.deleteData(1 + random() % std::min<std::uint64_t>(room, 40), offset,
                                     true);
                }
                break;
            case 3:
                if (room >= bytes.size()) {
                    store.overwriteData(bytesOf(bytes), bytes.size(), offset, true);
                }
                break;
            default:
                if (room > 8) {
                    store.swapData(room - 1, offset, 8, 1 + random() % 4, random() % 8, true);
                }
                break;
        }
    }
    const std::string final = readAll(store);
    const int actions = store.getUndoCount();
    ASSERT_GT(actions, 1000);
    ASSERT_TRUE(store.undo(actions - 1));
    EXPECT_EQ(readAll(store), original);
    ASSERT_TRUE(store.redo(actions - 1));
    EXPECT_EQ(readAll(store), final);
}

}  // namespace
