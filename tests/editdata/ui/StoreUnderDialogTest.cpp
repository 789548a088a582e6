// The byte store's long operations under the real progress dialog.
#include <gtest/gtest.h>

#include "editdata/EditDataStrings.h"
#include "platform/qt/QtProgressRunner.h"
#include "tests/editdata/EditDataFixture.h"

namespace {

using edittest::FakeOwner;
using edittest::kLargeSize;
using edittest::patternBytes;
using edittest::readAll;
using edittest::StoreEnvironment;

TEST(StoreUnderDialogTest, AnInPlaceEditMakesItsWorkCopyUnderTheDialog) {
    StoreEnvironment env;
    platform::QtProgressRunner runner(env.strings);
    FakeOwner owner;
    CEditData store({env.settings, &runner, &env.messages});
    store.setOwner(&owner);
    const std::string original = patternBytes(kLargeSize);
    ASSERT_TRUE(store.open(env.makeFile("large", original), kGenericRead | kGenericWrite));
    // The test binary's main thread is the user-interface thread.
    ASSERT_TRUE(store.deleteData(1000, 10, true));
    EXPECT_EQ(store.storageMode(), StorageMode::WorkCopy);
    EXPECT_EQ(readAll(store), original.substr(0, 10) + original.substr(1010));
    EXPECT_EQ(owner.irreversibles.size(), 1u);
}

}  // namespace
