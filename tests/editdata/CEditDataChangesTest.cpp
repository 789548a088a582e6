#include <gtest/gtest.h>

#include "tests/editdata/EditDataFixture.h"

namespace {

using edittest::bytesOf;
using edittest::FakeOwner;
using edittest::StoreEnvironment;

// Writes down every change it hears, in a short form: kind offset -removed +inserted.
class ChangeLog : public DataChangeListener {
  public:
    void dataChanged(const DataChange& change) override {
        static const char* kinds[] = {"edit", "undo", "redo", "replace", "reload"};
        heard.push_back(std::string(kinds[static_cast<int>(change.kind)]) + " " +
                        std::to_string(change.offset) + " -" + std::to_string(change.removed) +
                        " +" + std::to_string(change.inserted));
    }
    std::vector<std::string> heard;
};

TEST(CEditDataChangesTest, EveryChangeIsAnnouncedOnceWhenItIsDone) {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};
    store.setOwner(&owner);
    ASSERT_TRUE(store.open(env.makeFile("doc", "0123456789"), kGenericRead | kGenericWrite));
    ChangeLog log;
    store.addListener(&log);

    std::uint8_t byte = 'x';
    ASSERT_TRUE(store.writeByte(byte, 3, true));
    ASSERT_TRUE(store.insertData(bytesOf("ab"), 2, 5, true));
    ASSERT_TRUE(store.deleteData(4, 0, true));
    ASSERT_TRUE(store.overwriteData(bytesOf("zz"), 2, 1, true));
    EXPECT_FALSE(store.deleteData(50, 0, true));  // a failed change says nothing
    EXPECT_EQ(log.heard, (std::vector<std::string>{"edit 3 -1 +1", "edit 5 -0 +2", "edit 0 -4 +0",
                                                   "edit 1 -2 +2"}));
    // An undo of three actions is one change, however many steps it takes.
    log.heard.clear();
    ASSERT_TRUE(store.undo(2));
    ASSERT_TRUE(store.redo(0));
    EXPECT_EQ(log.heard, (std::vector<std::string>{"undo 0 -8 +10", "redo 0 -10 +12"}));
    log.heard.clear();
    ASSERT_TRUE(store.save(env.dir.file("doc")));
    EXPECT_EQ(log.heard, std::vector<std::string>{"reload 0 -12 +12"});

    store.removeListener(&log);
    ASSERT_TRUE(store.writeByte(byte, 0, true));
    EXPECT_EQ(log.heard.size(), 1u);
}

}  // namespace
