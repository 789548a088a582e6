#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "app/DocumentTitle.h"
#include "app/RecentFiles.h"
#include "app/SingleInstance.h"
#include "app/WindowPlacement.h"
#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

TEST(WindowPlacementTest, TenNumbersOrNothing) {
    const auto placement = WindowPlacement::parse("2,3,-1,-1,-8,-8,10,20,810,620");
    ASSERT_TRUE(placement.has_value());
    EXPECT_TRUE(placement->isMaximized());
    EXPECT_EQ(placement->right, 810);
    EXPECT_EQ(placement->format(), "2,3,-1,-1,-8,-8,10,20,810,620");
    EXPECT_EQ(WindowPlacement::parse("2,3,-1,-1,-8,-8,10,20,810"), std::nullopt);  // nine
    EXPECT_EQ(WindowPlacement::parse("2,3,-1,-1,-8,-8,10,20,810,620,5"), std::nullopt);
    EXPECT_EQ(WindowPlacement::parse(""), std::nullopt);
}

TEST(DocumentTitleTest, TheModifiedMarkComesAndGoesOnce) {
    EXPECT_EQ(titleWithMark("data.bin", true), "data.bin *");
    EXPECT_EQ(titleWithMark("data.bin *", true), "data.bin *");
    EXPECT_EQ(titleWithMark("data.bin *", false), "data.bin");
    EXPECT_EQ(titleWithoutMark("Kestrane1 *"), "Kestrane1");
    EXPECT_EQ(titleWithoutMark("x"), "x");
}

TEST(RecentFilesTest, NewestFirstWithinTheCountAndKeptInTheSettings) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("registry.sqlite"));
    CSettings settings(registry);
    settings.open();
    RecentFiles recent(4);
    for (const char* path : {"/a", "/b", "/c", "/d", "/e", "/c"}) {
        recent.add(path);
    }
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    recent.save(settings);
    EXPECT_EQ(settings.getString("Recent File List", "File1", ""), "/c");
    RecentFiles again(4);
    again.load(settings);
    EXPECT_EQ(again.paths(), recent.paths());
    // A smaller count from the options drops the oldest at once.
    RecentFiles many(10);
    for (const char* path : {"/1", "/2", "/3", "/4", "/5", "/6"}) {
        many.add(path);
    }
    many.setCapacity(2);  // the list keeps at least four
    EXPECT_EQ(many.paths(), (std::vector<std::string>{"/6", "/5", "/4", "/3"}));
    many.setCapacity(40);
    EXPECT_EQ(many.capacity(), 10);
}

TEST(SingleInstanceTest, ASecondProcessFindsTheFirst) {
    testsupport::TempDir dir;
    setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
    SingleInstance first("KESTRANE_TEST_INSTANCE");
    EXPECT_FALSE(first.alreadyExisted());
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance second("KESTRANE_TEST_INSTANCE");
        _exit(second.alreadyExisted() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(RecentFilesCapacityTest, TheListHoldsFourToTenEntriesWhateverIsStored) {
    EXPECT_EQ(RecentFiles(300000).capacity(), 10);
    EXPECT_EQ(RecentFiles(-5).capacity(), 4);
    EXPECT_EQ(RecentFiles(6).capacity(), 6);
}

}  // namespace
