// The options pages without their widgets: fields and ranges, the Edit,
// File and General records as they load and store.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/EditFilePageOptions.h"
#include "app/GeneralPageOptions.h"
#include "app/OptionFields.h"
#include "platform/Registry.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"
#include "tests/support/TempDir.h"

namespace {

class OptionRecordsTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    void SetUp() override { settings.open(); }
};

TEST(OptionFieldsTest, WholeNumbersWithinTheirRanges) {
    EXPECT_EQ(wholeNumber(" 42 "), 42);
    EXPECT_EQ(wholeNumber("+7"), 7);
    EXPECT_EQ(wholeNumber("-3"), -3);
    EXPECT_FALSE(wholeNumber("4.5").has_value());
    EXPECT_FALSE(wholeNumber("").has_value());
    EXPECT_FALSE(wholeNumber("12a").has_value());
    EXPECT_FALSE(wholeNumber("99999999999999999999").has_value());
    const NumberField fields[] = {{"5", 0, 10}, {"11", 0, 10}, {"x", 0, 10}};
    const auto problem = firstBadField(fields);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->index, 1u);
    EXPECT_EQ(problem->message, "Please enter an integer between 0 and 10.");
}

TEST_F(OptionRecordsTest, TheEditPageShowsAStrayWriteTypeAsTheFirstAndCountsChanged) {
    settings.writeInt("Edit", "Write Type", 7);
    EditPageOptions page = EditPageOptions::load(settings);
    EXPECT_EQ(page.writeType, 0);
    EXPECT_TRUE(page.changedOnLoad);
    EXPECT_EQ(page.fields[1].text, "1048576");
    EXPECT_EQ(page.fields[1].minimum, 1024);
    page.fields[0].text = "65536";
    page.store(settings);
    EXPECT_EQ(settings.get(settings::edit::MaxUndoLevel), 65536);
    EXPECT_EQ(settings.getInt("Edit", "Write Type", -1), 0);
    EXPECT_FALSE(EditPageOptions::load(settings).changedOnLoad);
}

TEST_F(OptionRecordsTest, TheFilePageClampsTheRecentCountAndSpeaksInKilobytes) {
    settings.write(settings::general::MruFileCount, 20);
    settings.write(settings::general::MaxFileSize, 8 << 20);
    settings.write(settings::edit::NewdocInitLength, 100000000);
    FilePageOptions page = FilePageOptions::load(settings);
    EXPECT_EQ(page.fields[0].text, "10");
    EXPECT_EQ(page.fields[1].text, "8192");
    EXPECT_EQ(page.fields[2].text, std::to_string(8 << 20));  // capped at the direct size
    page.fields[0].text = "12";                               // accepted by the field, not stored
    page.fields[1].text = "6144";
    page.store(settings);
    EXPECT_EQ(settings.get(settings::general::MruFileCount), 20);
    EXPECT_EQ(settings.get(settings::general::MaxFileSize), 6144 << 10);
    page.fields[0].text = "6";
    page.store(settings);
    EXPECT_EQ(settings.get(settings::general::MruFileCount), 6);
}

TEST_F(OptionRecordsTest, TheGeneralPageReplacesAGoneWorkFolderAndKeepsAnEmptyTempFolder) {
    settings.write(settings::general::WorkFilePath, dir.file("gone"));
    GeneralPageOptions page = GeneralPageOptions::load(settings, dir.path());
    EXPECT_EQ(page.workFolder, dir.path());
    EXPECT_TRUE(page.changedOnLoad);
    EXPECT_EQ(page.tempFolder, "");
    page.store(settings);
    EXPECT_EQ(settings.get(settings::general::WorkFilePath), dir.path());
    EXPECT_EQ(settings.get(settings::general::TempFilePath), "");
    EXPECT_FALSE(GeneralPageOptions::load(settings, "/").changedOnLoad);

    const FolderFacts facts = folderFacts(dir.path());
    EXPECT_TRUE(facts.fileSystemText.starts_with("File System: "));
    EXPECT_TRUE(facts.freeSpaceText.starts_with("Free Space: "));
    EXPECT_TRUE(facts.freeSpaceText.ends_with(" MB"));
    EXPECT_TRUE(facts.usable);
    EXPECT_FALSE(folderFacts("/proc").usable);
}

}  // namespace
