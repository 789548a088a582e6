#include "platform/TempFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(TempFileTest, NamesFollowThePrefixRuleAndFilesAreCreatedEmptyAndPrivate) {
    testsupport::TempDir dir;
    const auto path = platform::createUniqueTempFile(dir.path(), "~HEXDATA");
    ASSERT_TRUE(path.has_value());
    const std::string name = fs::path(*path).filename().string();
    EXPECT_THAT(name, testing::MatchesRegex("~HEXDATA[0-9A-F]{1,4}\\.tmp"));
    EXPECT_EQ(fs::path(*path).parent_path(), fs::path(dir.path()));
    EXPECT_EQ(fs::file_size(*path), 0u);
    struct stat info {};
    ASSERT_EQ(stat(path->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(TempFileTest, EveryCallGivesANewFile) {
    testsupport::TempDir dir;
    std::set<std::string> seen;
    for (int i = 0; i < 500; ++i) {
        const auto path = platform::createUniqueTempFile(dir.path() + "/", "ab");
        ASSERT_TRUE(path.has_value());
        EXPECT_THAT(fs::path(*path).filename().string(), testing::StartsWith("ab"));
        EXPECT_TRUE(seen.insert(*path).second) << *path;
    }
}

TEST(TempFileTest, AMissingFolderIsReportedAsFailure) {
    testsupport::TempDir dir;
    EXPECT_EQ(platform::createUniqueTempFile(dir.file("missing"), "~HEXDATA"), std::nullopt);
}

TEST(TempFileTest, TrailingSeparatorsGoButTheRootStays) {
    EXPECT_EQ(platform::withoutTrailingSeparator("/var/tmp/"), "/var/tmp");
    EXPECT_EQ(platform::withoutTrailingSeparator("/var/tmp//"), "/var/tmp");
    EXPECT_EQ(platform::withoutTrailingSeparator("/"), "/");
    EXPECT_EQ(platform::withoutTrailingSeparator("relative"), "relative");
}

}  // namespace
