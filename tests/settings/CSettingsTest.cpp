#include "settings/CSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "platform/SqliteConnection.h"
#include "platform/UiThread.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
namespace keys = settings;
using platform::Registry;
using platform::RegistryRoot;
using testsupport::TempDir;

constexpr std::string_view kApplicationPath = "Software\\Mandrel 417\\1.1\\Kestrane";

class CSettingsTest : public testing::Test {
  protected:
    TempDir dir;
    Registry registry{dir.file("registry.sqlite")};
    CSettings store{registry};

    platform::RegistryKey section(std::string_view name) {
        return registry.createKey(RegistryRoot::CurrentUser,
                                  std::string(kApplicationPath) + "\\" + std::string(name));
    }
};

TEST_F(CSettingsTest, StartUpCreatesTheSectionsUnderTheApplicationKey) {
    ASSERT_TRUE(store.open());
    const auto application = registry.openKey(RegistryRoot::CurrentUser, kApplicationPath);
    ASSERT_TRUE(application.isValid());
    EXPECT_EQ(application.path(), "HKEY_CURRENT_USER\\Software\\Mandrel 417\\1.1\\Kestrane");
    EXPECT_THAT(application.subkeyNames(), testing::ElementsAre("Bookmark", "Edit"));
    EXPECT_THAT(application.openSubkey("Bookmark").subkeyNames(),
                testing::ElementsAre("Bookmark Item", "Level Info"));
    // Opening again changes nothing.
    section("Edit").setDword("Max Undo Level", 9);
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.get(keys::edit::MaxUndoLevel), 9);
}

TEST_F(CSettingsTest, AbsentValuesReadAsTheirDefaults) {
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.get(keys::general::MutipleInstances), 1);
    EXPECT_EQ(store.get(keys::general::MruFileCount), 4);
    EXPECT_EQ(store.get(keys::general::MaxFileSize), 16777216);
    EXPECT_EQ(store.get(keys::edit::MaxUndoLevel), 256);
    EXPECT_EQ(store.get(keys::edit::NewdocInitLength), 65536);
    EXPECT_EQ(store.get(keys::edit::LineBytes), 24);
    EXPECT_EQ(store.get(keys::edit::EscapeChar), '.');
    EXPECT_EQ(store.get(keys::edit::HexWildcard), '.');
    EXPECT_EQ(store.get(keys::edit::HexWildcardOfEditBox), '*');
    EXPECT_EQ(store.get(keys::edit::CloseAfterReplace), 0);
    EXPECT_EQ(store.get(keys::appearance::MarkcompBkcolor), 0xD8E9EC);
    EXPECT_EQ(store.get(keys::appearance::MidifiedTextColor), 224);
    EXPECT_EQ(store.get(keys::appearance::DisplayFacename), "Courier New");
    EXPECT_EQ(store.get(keys::print::PageHeader), "&F&L");
    EXPECT_EQ(store.get(keys::print::MarginTop), "1.27");
    EXPECT_EQ(store.get(keys::frame::WindowPos), "");
    EXPECT_EQ(store.get(keys::interpreter::LittleEndian), 1);
    EXPECT_EQ(store.get(keys::address::HexShow), 1);
    EXPECT_EQ(store.getInt("Nowhere", "Nothing", -7), -7);
    EXPECT_EQ(store.getString("Nowhere", "Nothing", "fallback"), "fallback");
}

TEST(CSettingsDefaultsTest, TheSharedDefaultsReadDefaultsAndKeepNothing) {
    CSettings& defaults = CSettings::defaults();
    EXPECT_FALSE(defaults.isAvailable());
    EXPECT_FALSE(defaults.write(keys::edit::MaxUndoLevel, 7));
    EXPECT_EQ(defaults.get(keys::edit::MaxUndoLevel), keys::edit::MaxUndoLevel.defaultValue);
    EXPECT_EQ(defaults.pendingWrites(), 0u);
    EXPECT_EQ(&CSettings::defaults(), &defaults);
}

TEST_F(CSettingsTest, WrittenValuesReadBackAndSurviveTheProcess) {
    ASSERT_TRUE(store.open());
    EXPECT_TRUE(store.write(keys::edit::MaxUndoLevel, 3));
    EXPECT_TRUE(store.write(keys::appearance::DisplayFacename, "Liberation Mono"));
    EXPECT_TRUE(store.writeInt("Print", "Lines Per Page", -1));  // a new section
    EXPECT_TRUE(store.write(keys::frame::WindowPos, "0,1,-1,-1,-1,-1,10,10,800,600"));

    Registry again(registry.filePath());
    const CSettings later(again);
    EXPECT_EQ(later.get(keys::edit::MaxUndoLevel), 3);
    EXPECT_EQ(later.get(keys::appearance::DisplayFacename), "Liberation Mono");
    EXPECT_EQ(later.getInt("Print", "Lines Per Page", 0), -1);
    EXPECT_EQ(later.get(keys::frame::WindowPos), "0,1,-1,-1,-1,-1,10,10,800,600");
    // Integers are stored as registry numbers, strings as registry strings.
    EXPECT_EQ(section("Edit").queryDword("Max Undo Level"), 3u);
    EXPECT_EQ(section("Print").queryDword("Lines Per Page"), 0xFFFFFFFFu);
    EXPECT_EQ(section("Appearance").queryString("Display Facename"), "Liberation Mono");
}

TEST_F(CSettingsTest, AValueOfTheWrongTypeCountsAsAbsent) {
    ASSERT_TRUE(store.open());
    section("Edit").setString("Max Undo Level", "3");
    section("Appearance").setDword("Display Facename", 1);
    EXPECT_EQ(store.get(keys::edit::MaxUndoLevel), 256);
    EXPECT_EQ(store.get(keys::appearance::DisplayFacename), "Courier New");
}

struct CorrectionCase {
    const keys::IntSetting* setting;
    std::uint32_t stored;
    std::int32_t expected;
};

void PrintTo(const CorrectionCase& c, std::ostream* os) {
    *os << '"' << c.setting->key << "\" stored " << c.stored;
}

class CSettingsCorrectionTest : public CSettingsTest,
                                public testing::WithParamInterface<CorrectionCase> {};

TEST_P(CSettingsCorrectionTest, StoredValuesAreCorrectedWhenRead) {
    const auto& [setting, stored, expected] = GetParam();
    ASSERT_TRUE(store.open());
    section(setting->section).setDword(setting->key, stored);
    EXPECT_EQ(store.get(*setting), expected) << setting->key << " stored as " << stored;
}

INSTANTIATE_TEST_SUITE_P(ReadTimeRules, CSettingsCorrectionTest,
                         testing::Values(
                             // The 4 MB floor, compared unsigned: 1 MB (which the File page
                             // accepts) reads as 4 MB, a huge number stays huge.
                             CorrectionCase{&keys::general::MaxFileSize, 1048576, 4194304},
                             CorrectionCase{&keys::general::MaxFileSize, 0, 4194304},
                             CorrectionCase{&keys::general::MaxFileSize, 4194304, 4194304},
                             CorrectionCase{&keys::general::MaxFileSize, 0x80000000u,
                                            static_cast<std::int32_t>(0x80000000u)},
                             // MRU File Count is used as stored; the options page shows it bounded.
                             CorrectionCase{&keys::general::MruFileCount, 20, 20},
                             CorrectionCase{&keys::edit::MaxUndoLevel, 0, 256},
                             CorrectionCase{&keys::edit::MaxUndoLevel, 0xFFFFFFFFu, 256},
                             CorrectionCase{&keys::edit::MaxUndoLevel, 1, 1},
                             CorrectionCase{&keys::edit::MaxCopySize, 0, 1048576},
                             CorrectionCase{&keys::edit::OverwriteSize, 0xFFFFFFF0u, 1048576},
                             CorrectionCase{&keys::edit::WriteType, 5, 5},
                             CorrectionCase{&keys::edit::WriteType, 6, 0},
                             CorrectionCase{&keys::edit::WriteType, 0xFFFFFFFFu, 0},
                             CorrectionCase{&keys::edit::MinColumn, 2, 8},
                             CorrectionCase{&keys::edit::MinColumn, 16, 16},
                             CorrectionCase{&keys::edit::MaxColumn, 200, 99},
                             CorrectionCase{&keys::edit::MaxColumn, 50, 50},
                             CorrectionCase{&keys::edit::LineBytes, 0, 24},
                             CorrectionCase{&keys::edit::UnitBytes, 0xFFFFFFFEu, 1},
                             CorrectionCase{&keys::edit::NullBytes, 0xFFFFFFFFu, 0},
                             CorrectionCase{&keys::edit::NullBytes, 5, 5},
                             CorrectionCase{&keys::edit::EscapeChar, 0x1F, '.'},
                             CorrectionCase{&keys::edit::EscapeChar, 0x80, '.'},
                             CorrectionCase{&keys::edit::EscapeChar, 0x7F, 0x7F},
                             CorrectionCase{&keys::edit::EscapeChar, 0x12A, '*'}));

TEST_F(CSettingsTest, MaxDirectEditSizeHasItsFloor) {
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.maxDirectEditSize(), 16777216u);
    store.write(keys::general::MaxFileSize, 1048576);
    EXPECT_EQ(store.maxDirectEditSize(), 4194304u);
    store.write(keys::general::MaxFileSize, static_cast<std::int32_t>(0xF0000000u));
    EXPECT_EQ(store.maxDirectEditSize(), 0xF0000000u);
}

TEST(CSettingsUnavailableTest, AnApplicationKeyThatCannotBeOpenedLeavesEveryDefault) {
    TempDir dir;
    testsupport::writeFile(dir.file("not-a-folder"), "x");
    Registry registry(dir.file("not-a-folder/registry.sqlite"));
    CSettings store(registry);
    EXPECT_FALSE(store.open());
    EXPECT_FALSE(store.isAvailable());
    EXPECT_EQ(store.get(keys::edit::MaxUndoLevel), 256);
    EXPECT_FALSE(store.write(keys::edit::MaxUndoLevel, 3));
    EXPECT_FALSE(store.writeString("General", "Work File Path", "/tmp"));
    EXPECT_EQ(store.get(keys::edit::MaxUndoLevel), 256);
    EXPECT_FALSE(store.applicationKey().isValid());
}

TEST_F(CSettingsTest, WritesAfterAFailedStartUpHaveNoEffectEvenIfTheFileWorks) {
    // The key could not be made at start-up (here: a plain file stood where
    // the folder belongs); a later write must not quietly succeed.
    TempDir other;
    testsupport::writeFile(other.file("blocked"), "x");
    Registry blocked(other.file("blocked/registry.sqlite"));
    CSettings failed(blocked);
    ASSERT_FALSE(failed.open());
    std::filesystem::remove(other.file("blocked"));
    EXPECT_FALSE(failed.write(keys::edit::MaxUndoLevel, 3));
    EXPECT_FALSE(fs::exists(other.file("blocked/registry.sqlite")));
}

TEST_F(CSettingsTest, DeletingTheApplicationKeyRestoresEveryDefault) {
    ASSERT_TRUE(store.open());
    store.write(keys::edit::MaxUndoLevel, 3);
    store.write(keys::appearance::DisplayFacename, "Other");
    ASSERT_TRUE(registry.root(RegistryRoot::CurrentUser).deleteTree(kApplicationPath));

    CSettings next(registry);  // the next start
    ASSERT_TRUE(next.open());
    EXPECT_EQ(next.get(keys::edit::MaxUndoLevel), 256);
    EXPECT_EQ(next.get(keys::appearance::DisplayFacename), "Courier New");
}

TEST_F(CSettingsTest, WorkDirectoryFallsBackToTheCurrentDirectory) {
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.workDirectory(), fs::current_path().string());
    store.write(keys::general::WorkFilePath, "/srv/data");
    EXPECT_EQ(store.workDirectory(), "/srv/data");
}

TEST_F(CSettingsTest, TempDirectoryIsTheSystemOneWithoutItsTrailingSeparator) {
    ASSERT_TRUE(store.open());
    const char* saved = getenv("TMPDIR");
    const std::string keep = saved ? saved : "";
    setenv("TMPDIR", (dir.path() + "/").c_str(), 1);
    EXPECT_EQ(store.tempDirectory(), dir.path());
    if (saved) {
        setenv("TMPDIR", keep.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
    store.write(keys::general::TempFilePath, "/var/tmp/");
    EXPECT_EQ(store.tempDirectory(), "/var/tmp");
}

TEST_F(CSettingsTest, TemporaryFilesAreMadeInTheTemporaryDirectory) {
    ASSERT_TRUE(store.open());
    fs::create_directories(dir.file("temp"));
    store.write(keys::general::TempFilePath, dir.file("temp"));
    const auto path = store.createTempFile("~HEXDATA");
    ASSERT_TRUE(path.has_value());
    EXPECT_THAT(*path, testing::MatchesRegex(".*/temp/~HEXDATA[0-9A-F]{1,4}\\.tmp"));
    EXPECT_TRUE(fs::exists(*path));

    store.write(keys::general::TempFilePath, dir.file("gone"));
    EXPECT_EQ(store.createTempFile("~HEXDATA"), std::nullopt);
}

TEST_F(CSettingsTest, AWriteWhileAnotherProgramHoldsTheRegistryNeverFreezesAndIsNotLost) {
    ASSERT_TRUE(store.open());
    ASSERT_TRUE(store.write(keys::edit::LineBytes, 16));
    platform::SqliteConnection other;
    ASSERT_EQ(other.open(dir.file("registry.sqlite"), false), 0);
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), 0);  // another process's write lock

    platform::markUiThread();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(store.write(keys::edit::LineBytes, 32));
    EXPECT_TRUE(store.write(keys::edit::UnitBytes, 4));
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_LT(waited, std::chrono::seconds(1));
    EXPECT_EQ(store.pendingWrites(), 2u);
    EXPECT_EQ(store.get(keys::edit::LineBytes), 32);  // read back as written
    EXPECT_FALSE(store.flushPendingWrites());
    platform::unmarkUiThread();

    ASSERT_EQ(other.exec("COMMIT"), 0);
    EXPECT_TRUE(store.flushPendingWrites());
    EXPECT_EQ(store.pendingWrites(), 0u);
    Registry fresh(dir.file("registry.sqlite"));
    CSettings reader(fresh);
    ASSERT_TRUE(reader.open());
    EXPECT_EQ(reader.get(keys::edit::LineBytes), 32);
    EXPECT_EQ(reader.get(keys::edit::UnitBytes), 4);
}

}  // namespace
