#include "display/PresentationOptions.h"

#include <gtest/gtest.h>

#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

class PresentationOptionsTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    void SetUp() override { settings.open(); }
};

TEST_F(PresentationOptionsTest, LoadingCorrectsValuesThatDoNotFitTogether) {
    settings.write(settings::edit::MinColumn, 60);
    settings.write(settings::edit::MaxColumn, 50);
    settings.write(settings::edit::LineBytes, 10);
    settings.write(settings::edit::UnitBytes, 16);
    settings.write(settings::edit::NullBytes, 12);
    const PresentationOptions page = PresentationOptions::load(settings);
    EXPECT_EQ(page.minWidth, 8);
    EXPECT_EQ(page.unit, 1);
    EXPECT_EQ(page.indent, 0);
    EXPECT_EQ(page.escape, ".");
    EXPECT_TRUE(page.hexAddresses);
}

TEST_F(PresentationOptionsTest, ApplyBringsTheLimitsInOrderAndWritesThem) {
    PresentationOptions page = PresentationOptions::load(settings);
    page.maxWidth = 8;     // becomes 9
    page.minWidth = 9;     // not below the maximum: becomes 8
    page.lineWidth = 40;   // above the maximum: becomes 9
    page.unit = 16;        // above the width: becomes 1
    page.indent = 20;      // above the width: becomes 0
    page.escape = "\x1F";  // not printable: not written
    page.hexAddresses = false;
    page.apply(settings);
    EXPECT_EQ(settings.get(settings::edit::MaxColumn), 9);
    EXPECT_EQ(settings.get(settings::edit::MinColumn), 8);
    EXPECT_EQ(settings.get(settings::edit::LineBytes), 9);
    EXPECT_EQ(settings.get(settings::edit::UnitBytes), 1);
    EXPECT_EQ(settings.get(settings::edit::NullBytes), 0);
    EXPECT_EQ(settings.get(settings::edit::EscapeChar), '.');
    EXPECT_EQ(settings.get(settings::address::HexShow), 0);

    page.maxWidth = 150;
    page.escape = "#";
    page.apply(settings);
    EXPECT_EQ(settings.get(settings::edit::MaxColumn), 99);
    EXPECT_EQ(settings.get(settings::edit::EscapeChar), '#');
}

TEST_F(PresentationOptionsTest, OutOfRangeFieldsStopTheApply) {
    PresentationOptions page = PresentationOptions::load(settings);
    EXPECT_EQ(page.validate(), std::nullopt);
    page.minWidth = 7;
    EXPECT_EQ(page.validate(), "Please enter an integer between 8 and 98.");
    page.minWidth = 8;
    page.maxWidth = 100;
    EXPECT_EQ(page.validate(), "Please enter an integer between 9 and 99.");
}

TEST_F(PresentationOptionsTest, AppearanceDefaultsAndUnlistedFonts) {
    AppearanceOptions page = AppearanceOptions::load(settings);
    EXPECT_EQ(page.backgrounds[0], 14215660u);
    EXPECT_EQ(page.foregrounds[4], 224u);
    page.backgrounds[2] = 0x123456;
    page.displayFace = "Some Missing Face";
    page.printFace = "Liberation Mono";
    page.apply(settings, {"Liberation Mono", "DejaVu Sans Mono"});
    EXPECT_EQ(settings.get(settings::appearance::HexcompBkcolor), 0x123456);
    EXPECT_EQ(settings.get(settings::appearance::DisplayFacename), "Courier New");
    EXPECT_EQ(settings.get(settings::appearance::PrintFacename), "Liberation Mono");
    page.setDefaults();
    EXPECT_EQ(page.backgrounds[2], 0xFFFFFFu);
    EXPECT_EQ(page.printFace, "Courier New");
}

TEST(DataUnitCheckTest, AUnitMayEqualButNotPassTheLineWidth) {
    EXPECT_EQ(checkDataUnit(16, 16), std::nullopt);
    EXPECT_EQ(checkDataUnit(17, 16),
              "The bytes per data unit should be less than the bytes per line!");
    EXPECT_EQ(checkDataUnit(0, 16), "Please enter an integer between 1 and 99.");
}

}  // namespace
