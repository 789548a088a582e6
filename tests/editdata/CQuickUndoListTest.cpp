#include "editdata/CQuickUndoList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/editdata/EditDataFixture.h"

namespace {

using edittest::FakeOwner;
using edittest::readAll;
using edittest::StoreEnvironment;
using testing::ElementsAre;

TEST(CQuickUndoListTest, ChoosingTheFifthItemUndoesExactlyFiveNewestFirst) {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store(env.services());
    store.setOwner(&owner);
    ASSERT_TRUE(store.open(env.makeFile("doc", "0123456789"), kGenericRead | kGenericWrite));
    for (int i = 0; i < 7; ++i) {
        std::uint8_t byte = static_cast<std::uint8_t>('a' + i);
        ASSERT_TRUE(store.writeByte(byte, static_cast<std::uint64_t>(i), true));
    }
    ASSERT_TRUE(store.deleteData(1, 9, true));

    CQuickUndoList list;
    list.fill(store, CQuickUndoList::Kind::Undo);
    EXPECT_EQ(list.items().size(), 8u);
    EXPECT_EQ(list.items().front(), "Delete data");  // newest first
    list.show();
    EXPECT_EQ(list.text(), "Undo 1 actions");
    list.select(4);
    EXPECT_EQ(list.text(), "Undo 5 actions");
    EXPECT_TRUE(list.isSelected(0));
    EXPECT_TRUE(list.isSelected(4));
    EXPECT_FALSE(list.isSelected(5));
    ASSERT_TRUE(list.confirm(store));
    EXPECT_EQ(readAll(store), "abc3456789");
    EXPECT_EQ(store.getUndoCount(), 3);

    // The redo list shows them with the oldest of the five at the top.
    CQuickUndoList redo;
    redo.fill(store, CQuickUndoList::Kind::Redo);
    ASSERT_EQ(redo.items().size(), 5u);
    redo.show();
    EXPECT_EQ(redo.text(), "Redo 1 actions");
    ASSERT_TRUE(redo.confirm(store));
    EXPECT_EQ(readAll(store), "abcd456789");
}

TEST(CQuickUndoListTest, SelectionIsClampedAndCancelSaysSo) {
    CQuickUndoList list;
    list.fill({"Typing", "Typing", "Insert data"}, CQuickUndoList::Kind::Redo);
    list.select(10);
    EXPECT_EQ(list.selectedCount(), 3);
    EXPECT_EQ(list.text(), "Redo 3 actions");
    list.select(-4);
    EXPECT_EQ(list.confirmedCount(), 0);
    list.cancel();
    EXPECT_EQ(list.text(), "Cancel");

    CQuickUndoList empty;
    empty.fill(std::vector<std::string>{}, CQuickUndoList::Kind::Undo);
    empty.show();
    EXPECT_EQ(empty.confirmedCount(), -1);
}

}  // namespace
