#include "platform/Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/TempDir.h"

namespace {

using platform::Registry;
using platform::RegistryFileState;
using platform::RegistryRoot;
using platform::RegistryType;
using platform::RegistryValue;
using testing::ElementsAre;
using testsupport::TempDir;

namespace fs = std::filesystem;

class RegistryTest : public testing::Test {
  protected:
    TempDir dir;
    std::string file = dir.file("config/Mandrel 417/registry.sqlite");
    Registry registry{file};
};

TEST_F(RegistryTest, ValuesKeepTheirTypeAndAnotherTypeReadsAsAbsent) {
    auto key = registry.createKey(RegistryRoot::CurrentUser, "Software\\Test");
    ASSERT_TRUE(key.isValid());
    EXPECT_TRUE(key.setDword("Number", 0xFFFFFFFFu));
    EXPECT_TRUE(key.setString("Text", "Courier New"));
    EXPECT_TRUE(key.setString("", "default value"));

    EXPECT_EQ(key.queryValue("Number"), RegistryValue::ofDword(0xFFFFFFFFu));
    EXPECT_EQ(key.queryValue("Text"), RegistryValue::ofString("Courier New"));
    EXPECT_EQ(key.queryString(""), "default value");
    EXPECT_EQ(key.queryString("Number"), std::nullopt);
    EXPECT_EQ(key.queryDword("Text"), std::nullopt);
    EXPECT_EQ(key.queryValue("Missing"), std::nullopt);

    // Writing another type replaces the value and its type.
    EXPECT_TRUE(key.setString("Number", "now text"));
    EXPECT_EQ(key.queryDword("Number"), std::nullopt);
    EXPECT_EQ(key.queryString("Number"), "now text");
}

TEST_F(RegistryTest, NamesIgnoreLetterCaseButKeepTheCaseTheyWereCreatedWith) {
    auto key = registry.createKey(RegistryRoot::CurrentUser, "Software\\Mandrel 417\\Kestrane");
    key.setDword("Max Undo Level", 3);

    auto same = registry.openKey(RegistryRoot::CurrentUser, "SOFTWARE\\mandrel 417\\KESTRANE");
    ASSERT_TRUE(same.isValid());
    EXPECT_EQ(same.path(), "HKEY_CURRENT_USER\\Software\\Mandrel 417\\Kestrane");
    EXPECT_EQ(same.queryDword("max undo level"), 3u);

    // Writing under another case changes the one value, and keeps its name.
    same.setDword("MAX UNDO LEVEL", 4);
    ASSERT_EQ(key.values().size(), 1u);
    EXPECT_EQ(key.values()[0].name, "Max Undo Level");
    EXPECT_EQ(key.values()[0].value.dword, 4u);

    // Creating an existing key under another case opens it.
    auto created =
        registry.createKey(RegistryRoot::CurrentUser, "software\\MANDREL 417\\kestrane\\Edit");
    EXPECT_EQ(created.path(), "HKEY_CURRENT_USER\\Software\\Mandrel 417\\Kestrane\\Edit");
    EXPECT_THAT(registry.openKey(RegistryRoot::CurrentUser, "Software").subkeyNames(),
                ElementsAre("Mandrel 417"));
}

TEST_F(RegistryTest, EnumerationRunsInCaseInsensitiveNameOrder) {
    auto key = registry.createKey(RegistryRoot::CurrentUser, "Software\\Order");
    for (const char* name : {"beta", "Alpha", "_under", "Gamma", "alphabet"}) {
        key.createSubkey(name);
        key.setDword(name, 1);
    }
    EXPECT_THAT(key.subkeyNames(), ElementsAre("Alpha", "alphabet", "beta", "Gamma", "_under"));
    EXPECT_EQ(key.enumSubkey(0), "Alpha");
    EXPECT_EQ(key.enumSubkey(4), "_under");
    EXPECT_EQ(key.enumSubkey(5), std::nullopt);
    EXPECT_EQ(key.enumValue(2)->name, "beta");
    EXPECT_EQ(key.enumValue(5), std::nullopt);
    // Only direct subkeys are listed.
    key.createSubkey("beta\\inner");
    EXPECT_EQ(key.subkeyNames().size(), 5u);
}

TEST_F(RegistryTest, DeleteKeyFailsWhileItHasSubkeysAndDeleteTreeTakesEverything) {
    auto app = registry.createKey(RegistryRoot::CurrentUser, "Software\\App");
    app.createSubkey("Bookmark\\Level Info\\Level0").setString("Name", "first");
    app.createSubkey("Bookmark").setDword("Auto Save", 1);
    app.createSubkey("Bookmarks").setDword("Neighbour", 1);  // shares a prefix, must survive

    EXPECT_FALSE(app.deleteSubkey("Bookmark"));
    EXPECT_TRUE(app.deleteSubkey("Bookmark\\Level Info\\Level0"));
    EXPECT_TRUE(app.openSubkey("Bookmark\\Level Info").isValid());
    EXPECT_FALSE(app.deleteSubkey("Bookmark\\Level Info\\Level0"));  // already gone

    app.createSubkey("Bookmark\\Level Info\\Level1").setDword("Show", 1);
    EXPECT_TRUE(app.deleteTree("BOOKMARK"));
    EXPECT_FALSE(app.openSubkey("Bookmark").isValid());
    EXPECT_FALSE(app.openSubkey("Bookmark\\Level Info\\Level1").isValid());
    EXPECT_EQ(app.openSubkey("Bookmarks").queryDword("Neighbour"), 1u);
    EXPECT_FALSE(app.deleteTree("Bookmark"));
}

TEST_F(RegistryTest, DeleteTreeOfAnEmptyPathEmptiesTheKeyButKeepsIt) {
    auto key = registry.createKey(RegistryRoot::LocalMachine, "Software\\Clear");
    key.setDword("Value", 1);
    key.createSubkey("Child\\Grandchild");
    EXPECT_TRUE(key.deleteTree(""));
    EXPECT_TRUE(key.exists());
    EXPECT_TRUE(key.values().empty());
    EXPECT_TRUE(key.subkeyNames().empty());
}

TEST_F(RegistryTest, AHandleOfADeletedKeyFails) {
    auto key = registry.createKey(RegistryRoot::CurrentUser, "Software\\Gone");
    registry.root(RegistryRoot::CurrentUser).deleteTree("Software\\Gone");
    EXPECT_FALSE(key.exists());
    EXPECT_FALSE(key.setDword("Value", 1));
    EXPECT_FALSE(key.createSubkey("Child").isValid());
    EXPECT_FALSE(key.deleteValue("Value"));
}

TEST_F(RegistryTest, RootsAreSeparateAndCannotBeDeleted) {
    registry.createKey(RegistryRoot::ClassesRoot, "CLSID").setString("", "classes");
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "CLSID").isValid());
    EXPECT_EQ(registry.openKey(RegistryRoot::ClassesRoot, "clsid").queryString(""), "classes");
    EXPECT_FALSE(registry.root(RegistryRoot::ClassesRoot).deleteSubkey(""));
    EXPECT_TRUE(registry.root(RegistryRoot::ClassesRoot).exists());
}

TEST_F(RegistryTest, BadKeyPathsAreRefused) {
    auto root = registry.root(RegistryRoot::CurrentUser);
    EXPECT_FALSE(root.createSubkey("Software\\\\Twice").isValid());
    EXPECT_FALSE(root.createSubkey(std::string(256, 'k')).isValid());
    EXPECT_TRUE(root.createSubkey(std::string(255, 'k')).isValid());
    EXPECT_TRUE(root.createSubkey("\\Software\\Edges\\").isValid());
    EXPECT_TRUE(root.openSubkey("Software\\Edges").isValid());
}

TEST_F(RegistryTest, TheFileAndItsFoldersAppearOnTheFirstWriteOnly) {
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software").isValid());
    EXPECT_EQ(registry.root(RegistryRoot::CurrentUser).queryValue("x"), std::nullopt);
    EXPECT_TRUE(registry.root(RegistryRoot::CurrentUser).subkeyNames().empty());
    EXPECT_FALSE(fs::exists(file));

    EXPECT_TRUE(registry.createKey(RegistryRoot::CurrentUser, "Software").isValid());
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(registry.state(), RegistryFileState::Open);
}

TEST_F(RegistryTest, WritesOfOneConnectionAreSeenByAnotherAtOnce) {
    Registry other(file);
    auto mine = registry.createKey(RegistryRoot::CurrentUser, "Software\\Shared");
    mine.setDword("Count", 1);
    auto theirs = other.openKey(RegistryRoot::CurrentUser, "Software\\Shared");
    EXPECT_EQ(theirs.queryDword("Count"), 1u);
    for (std::uint32_t n = 2; n < 5; ++n) {
        mine.setDword("Count", n);
        EXPECT_EQ(theirs.queryDword("Count"), n);
        EXPECT_EQ(theirs.values().size(), 1u);
    }
    theirs.deleteValue("Count");
    EXPECT_EQ(mine.queryDword("Count"), std::nullopt);
}

TEST_F(RegistryTest, ReadTreeGivesEveryKeyAndValueBelowAKeyInEnumerationOrder) {
    auto top = registry.createKey(RegistryRoot::CurrentUser, "Software\\Tree");
    top.setString("Top", "t");
    top.createSubkey("Name2").setDword("Position", 2);
    top.createSubkey("name10\\Connect").setString("Connect0", "#a");
    top.createSubkey("Name10").setString("Name", "ten");
    top.createSubkey("Name1");
    // A sibling whose name starts the same stays outside.
    registry.createKey(RegistryRoot::CurrentUser, "Software\\Tree2").setDword("Other", 1);

    const auto tree = top.readTree();
    ASSERT_TRUE(tree.has_value());
    EXPECT_EQ(tree->name, "Tree");
    ASSERT_EQ(tree->values.size(), 1u);
    EXPECT_EQ(tree->values[0].value, RegistryValue::ofString("t"));
    std::vector<std::string> names;
    for (const auto& child : tree->children) {
        names.push_back(child.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Name1", "name10", "Name2"}));
    const platform::RegistryTreeNode& ten = tree->children[1];
    EXPECT_EQ(ten.values.at(0).value, RegistryValue::ofString("ten"));
    ASSERT_EQ(ten.children.size(), 1u);
    EXPECT_EQ(ten.children[0].name, "Connect");
    EXPECT_EQ(ten.children[0].values.at(0).name, "Connect0");
    EXPECT_EQ(tree->children[2].values.at(0).value, RegistryValue::ofDword(2));
    EXPECT_FALSE(registry.openKey(RegistryRoot::CurrentUser, "Software").at("Missing").readTree());
}

TEST_F(RegistryTest, ATransactionLandsWholeOrNotAtAll) {
    auto key = registry.createKey(RegistryRoot::CurrentUser, "Software\\Tx");
    key.setDword("Kept", 1);
    Registry other(file);
    const bool done = registry.runTransaction([&] {
        key.setDword("Kept", 2);
        key.createSubkey("Child").setString("Name", "c");
        // Not yet visible to another connection.
        EXPECT_EQ(other.openKey(RegistryRoot::CurrentUser, "Software\\Tx").queryDword("Kept"), 1u);
        return true;
    });
    EXPECT_TRUE(done);
    EXPECT_EQ(key.queryDword("Kept"), 2u);
    EXPECT_EQ(key.openSubkey("Child").queryString("Name"), "c");

    EXPECT_FALSE(registry.runTransaction([&] {
        key.setDword("Kept", 3);
        key.deleteSubkey("Child");
        return false;  // the body gives up
    }));
    EXPECT_FALSE(registry.runTransaction([&] {
        key.setDword("Kept", 4);
        key.deleteValue("NoSuchValue");  // a failed write spoils the whole
        return true;
    }));
    EXPECT_EQ(key.queryDword("Kept"), 2u);
    EXPECT_TRUE(key.openSubkey("Child").isValid());
}

TEST(RegistryFileTest, ADamagedFileIsMovedAsideAndAFreshOneStarted) {
    TempDir dir;
    const std::string file = dir.file("registry.sqlite");
    const std::string garbage(8192, '\x5a');
    testsupport::writeFile(file, garbage);

    Registry registry(file);
    EXPECT_EQ(registry.openKey(RegistryRoot::CurrentUser, "Software").isValid(), false);
    EXPECT_EQ(registry.state(), RegistryFileState::MovedAside);
    const std::string aside = registry.movedAsidePath();
    EXPECT_THAT(aside, testing::StartsWith(file + ".damaged-"));
    EXPECT_EQ(testsupport::readFile(aside), garbage);  // kept byte for byte

    auto key = registry.createKey(RegistryRoot::CurrentUser, "Software\\Fresh");
    ASSERT_TRUE(key.isValid());
    EXPECT_TRUE(key.setDword("Works", 1));
    EXPECT_EQ(testsupport::readFile(aside), garbage);
    EXPECT_EQ(
        Registry(file).openKey(RegistryRoot::CurrentUser, "Software\\Fresh").queryDword("Works"),
        1u);
}

TEST(RegistryFileTest, AFileThatCannotBeOpenedReadsAsAbsentAndRefusesWrites) {
    TempDir dir;
    testsupport::writeFile(dir.file("plain-file"), "not a folder");
    Registry registry(dir.file("plain-file/registry.sqlite"));
    EXPECT_FALSE(registry.createKey(RegistryRoot::CurrentUser, "Software").isValid());
    EXPECT_FALSE(registry.root(RegistryRoot::CurrentUser).setDword("x", 1));
    EXPECT_EQ(registry.root(RegistryRoot::CurrentUser).queryValue("x"), std::nullopt);
    EXPECT_EQ(registry.state(), RegistryFileState::Unusable);
}

TEST(RegistryFileTest, AFolderInPlaceOfTheFileIsLeftAlone) {
    TempDir dir;
    fs::create_directories(dir.file("registry.sqlite/inside"));
    Registry registry(dir.file("registry.sqlite"));
    EXPECT_FALSE(registry.createKey(RegistryRoot::CurrentUser, "Software").isValid());
    EXPECT_TRUE(fs::is_directory(dir.file("registry.sqlite/inside")));
}

TEST(RegistryFileTest, DefaultPathFollowsTheEnvironment) {
    const char* saved[] = {getenv("KESTRANE_REGISTRY"), getenv("XDG_CONFIG_HOME"), getenv("HOME")};
    const std::string keep[] = {saved[0] ? saved[0] : "", saved[1] ? saved[1] : "",
                                saved[2] ? saved[2] : ""};

    setenv("KESTRANE_REGISTRY", "/tmp/r.sqlite", 1);
    EXPECT_EQ(Registry::defaultFilePath(), "/tmp/r.sqlite");
    unsetenv("KESTRANE_REGISTRY");
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(Registry::defaultFilePath(), "/xdg/Mandrel 417/registry.sqlite");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(Registry::defaultFilePath(), "/home/someone/.config/Mandrel 417/registry.sqlite");

    const char* names[] = {"KESTRANE_REGISTRY", "XDG_CONFIG_HOME", "HOME"};
    for (int i = 0; i < 3; ++i) {
        if (saved[i] != nullptr) {
            setenv(names[i], keep[i].c_str(), 1);
        } else {
            unsetenv(names[i]);
        }
    }
}

TEST(RegistryPathTest, RootNamesAreRecognisedInBothFormsAndAnyCase) {
    EXPECT_EQ(platform::splitRootedPath("HKCU\\Software\\X")->first, RegistryRoot::CurrentUser);
    EXPECT_EQ(platform::splitRootedPath("hkey_local_machine\\A")->first,
              RegistryRoot::LocalMachine);
    EXPECT_EQ(platform::splitRootedPath("HKCR")->first, RegistryRoot::ClassesRoot);
    EXPECT_EQ(platform::splitRootedPath("HKCU\\Software\\X")->second, "Software\\X");
    EXPECT_EQ(platform::splitRootedPath("Software\\X"), std::nullopt);
    EXPECT_EQ(platform::splitRootedPath("HKCUX\\Software"), std::nullopt);
}

}  // namespace
