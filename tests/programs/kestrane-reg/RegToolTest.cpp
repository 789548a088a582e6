#include "programs/kestrane-reg/RegTool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "tests/support/TempDir.h"

namespace {

using platform::Registry;
using platform::RegistryRoot;
using testing::HasSubstr;

constexpr const char* kEdit = "HKCU\\Software\\Mandrel 417\\1.1\\Kestrane\\Edit";

class RegToolTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    Registry registry{dir.file("registry.sqlite")};
    std::string out;
    std::string err;

    int run(std::vector<std::string> args, const std::string& input = "") {
        std::ostringstream outStream;
        std::ostringstream errStream;
        std::istringstream inStream(input);
        const int status = regtool::run(registry, args, outStream, errStream, inStream);
        out = outStream.str();
        err = errStream.str();
        return status;
    }
};

TEST_F(RegToolTest, AddThenQueryShowsTheValuesAndSubkeys) {
    EXPECT_EQ(run({"add", kEdit, "/v", "Max Undo Level", "/t", "REG_DWORD", "/d", "3", "/f"}), 0);
    EXPECT_EQ(out, "The operation completed successfully.\n");
    EXPECT_EQ(run({"add", kEdit, "/v", "Hex Wildcard", "/t", "reg_dword", "/d", "0x2A"}), 0);
    EXPECT_EQ(run({"add", kEdit, "/v", "Note", "/d", "some text"}), 0);
    EXPECT_EQ(run({"add", std::string(kEdit) + "\\Search Info"}), 0);

    EXPECT_EQ(run({"query", kEdit}), 0);
    EXPECT_EQ(out,
              "\nHKEY_CURRENT_USER\\Software\\Mandrel 417\\1.1\\Kestrane\\Edit\n"
              "    Hex Wildcard    REG_DWORD    0x2a\n"
              "    Max Undo Level    REG_DWORD    0x3\n"
              "    Note    REG_SZ    some text\n"
              "\nHKEY_CURRENT_USER\\Software\\Mandrel 417\\1.1\\Kestrane\\Edit\\Search Info\n");

    EXPECT_EQ(run({"query", "hkey_current_user\\software\\mandrel 417\\1.1\\kestrane\\edit", "/V",
                   "max undo level"}),
              0);
    EXPECT_THAT(out, HasSubstr("    Max Undo Level    REG_DWORD    0x3\n"));
    EXPECT_THAT(out, testing::Not(HasSubstr("Note")));
}

TEST_F(RegToolTest, RecursiveQueryWalksTheWholeTree) {
    run({"add", "HKCU\\Software\\A\\B\\C", "/v", "deep", "/d", "x", "/f"});
    run({"add", "HKCU\\Software\\A", "/ve", "/d", "top", "/f"});
    EXPECT_EQ(run({"query", "HKCU\\Software\\A", "/s"}), 0);
    EXPECT_EQ(out,
              "\nHKEY_CURRENT_USER\\Software\\A\n"
              "    (Default)    REG_SZ    top\n"
              "\nHKEY_CURRENT_USER\\Software\\A\\B\n"
              "\nHKEY_CURRENT_USER\\Software\\A\\B\\C\n"
              "    deep    REG_SZ    x\n"
              "\nEnd of search: 3 match(es) found.\n");
}

TEST_F(RegToolTest, AddAsksBeforeOverwritingUnlessForced) {
    run({"add", kEdit, "/v", "Max Undo Level", "/t", "REG_DWORD", "/d", "3", "/f"});
    EXPECT_EQ(run({"add", kEdit, "/v", "Max Undo Level", "/t", "REG_DWORD", "/d", "5"}, "no\n"), 1);
    EXPECT_THAT(out, HasSubstr("Value Max Undo Level exists, overwrite (Yes/No)?"));
    EXPECT_THAT(out, HasSubstr("cancelled"));
    // No answer at all (no standard input) is a no as well.
    EXPECT_EQ(run({"add", kEdit, "/v", "Max Undo Level", "/t", "REG_DWORD", "/d", "5"}), 1);
    auto key =
        registry.openKey(RegistryRoot::CurrentUser, "Software\\Mandrel 417\\1.1\\Kestrane\\Edit");
    EXPECT_EQ(key.queryDword("Max Undo Level"), 3u);

    EXPECT_EQ(run({"add", kEdit, "/v", "Max Undo Level", "/t", "REG_DWORD", "/d", "5"}, "Yes\n"),
              0);
    EXPECT_EQ(key.queryDword("Max Undo Level"), 5u);
}

TEST_F(RegToolTest, DeleteRemovesValuesAndWholeKeys) {
    run({"add", kEdit, "/v", "One", "/d", "1", "/f"});
    run({"add", kEdit, "/v", "Two", "/d", "2", "/f"});
    run({"add", std::string(kEdit) + "\\Search Info", "/v", "Search0", "/d", "abc", "/f"});
    auto key =
        registry.openKey(RegistryRoot::CurrentUser, "Software\\Mandrel 417\\1.1\\Kestrane\\Edit");

    EXPECT_EQ(run({"delete", kEdit, "/v", "One", "/f"}), 0);
    EXPECT_EQ(key.queryValue("One"), std::nullopt);
    EXPECT_EQ(run({"delete", kEdit, "/v", "One", "/f"}), 1);
    EXPECT_THAT(err, HasSubstr("unable to find"));

    EXPECT_EQ(run({"delete", kEdit, "/va", "/f"}), 0);
    EXPECT_TRUE(key.values().empty());
    EXPECT_TRUE(key.openSubkey("Search Info").isValid());

    EXPECT_EQ(run({"delete", kEdit}, "n\n"), 1);
    EXPECT_TRUE(key.exists());
    EXPECT_EQ(run({"delete", kEdit, "/f"}), 0);
    EXPECT_FALSE(key.exists());
    EXPECT_FALSE(registry
                     .openKey(RegistryRoot::CurrentUser,
                              "Software\\Mandrel 417\\1.1\\Kestrane\\Edit\\Search Info")
                     .isValid());
    EXPECT_EQ(run({"delete", kEdit, "/f"}), 1);
}

TEST_F(RegToolTest, MissingKeysExitWithOne) {
    EXPECT_EQ(run({"query", "HKCU\\Software\\Nothing"}), 1);
    EXPECT_EQ(err, "ERROR: The system was unable to find the specified registry key or value.\n");
    run({"add", "HKCU\\Software\\Some", "/f"});
    EXPECT_EQ(run({"query", "HKCU\\Software\\Some", "/v", "absent"}), 1);
}

TEST_F(RegToolTest, BadArgumentsShowTheUsageAndExitWithTwo) {
    const std::vector<std::vector<std::string>> bad{
        {},
        {"query"},
        {"list", "HKCU\\Software"},
        {"query", "Software\\NoRoot"},
        {"query", "HKCU\\Software", "/v"},
        {"query", "HKCU\\Software", "/f"},
        {"add", "HKCU\\Software", "/t", "REG_DWORD"},
        {"add", "HKCU\\Software", "/v", "x", "/t", "REG_BINARY", "/d", "00"},
        {"add", "HKCU\\Software", "/v", "x", "/t", "REG_DWORD", "/d", "12abc"},
        {"add", "HKCU\\Software", "/v", "x", "/t", "REG_DWORD", "/d", "4294967296"},
        {"add", "HKCU\\Software", "/v", "x", "/t", "REG_DWORD", "/d", "-1"},
        {"add", "HKCU\\Software", "/v", "x", "/ve"},
        {"delete", "HKCU", "/f"},
        {"delete", "HKCU\\Software", "/va", "/v", "x"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(run(args), 2) << testing::PrintToString(args);
        EXPECT_THAT(err, HasSubstr("ERROR")) << testing::PrintToString(args);
    }
    run({});
    EXPECT_THAT(err, HasSubstr("Usage:"));
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software").isValid());
}

TEST_F(RegToolTest, DwordDataAcceptsTheWholeUnsignedRange) {
    EXPECT_EQ(run({"add", "HKCU\\S", "/v", "max", "/t", "REG_DWORD", "/d", "0xffffffff", "/f"}), 0);
    EXPECT_EQ(run({"add", "HKCU\\S", "/v", "dec", "/t", "REG_DWORD", "/d", "4294967295", "/f"}), 0);
    EXPECT_EQ(run({"add", "HKCU\\S", "/v", "none", "/t", "REG_DWORD", "/f"}), 0);
    auto key = registry.openKey(RegistryRoot::CurrentUser, "S");
    EXPECT_EQ(key.queryDword("max"), 0xFFFFFFFFu);
    EXPECT_EQ(key.queryDword("dec"), 0xFFFFFFFFu);
    EXPECT_EQ(key.queryDword("none"), 0u);
}

TEST_F(RegToolTest, ADamagedRegistryIsReported) {
    testsupport::writeFile(registry.filePath(), std::string(4096, '\x01'));
    Registry damaged(registry.filePath());
    std::ostringstream outStream;
    std::ostringstream errStream;
    std::istringstream inStream;
    const std::vector<std::string> args{"add", kEdit, "/v", "x", "/d", "y", "/f"};
    EXPECT_EQ(regtool::run(damaged, args, outStream, errStream, inStream), 0);
    EXPECT_THAT(errStream.str(), HasSubstr("was damaged"));
    EXPECT_THAT(errStream.str(), HasSubstr(damaged.movedAsidePath()));
}

// The installed tool, as a user types it: the registry file comes from
// KESTRANE_REGISTRY.
TEST(RegToolProgramTest, TheBuiltToolAddsAndQueriesThroughTheEnvironment) {
    testsupport::TempDir dir;
    const std::string file = dir.file("r.sqlite");
    const std::string prefix = "KESTRANE_REGISTRY='" + file + "' '" + KESTRANE_REG + "' ";
    const std::string key = "\"HKCU\\Software\\Mandrel 417\\1.1\\Kestrane\\Edit\"";
    ASSERT_EQ(std::system((prefix + "add " + key +
                           " /v \"Max Undo Level\" /t REG_DWORD /d 3 /f > /dev/null")
                              .c_str()),
              0);
    FILE* pipe = popen((prefix + "query " + key).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string shown;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        shown += buffer;
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_THAT(shown, HasSubstr("    Max Undo Level    REG_DWORD    0x3\n"));
    EXPECT_EQ(std::system((prefix + "bogus > /dev/null 2>&1").c_str()) >> 8, 2);
    EXPECT_EQ(std::system((prefix + "query \"HKCU\\Software\\None\" 2> /dev/null").c_str()) >> 8,
              1);
}

}  // namespace
