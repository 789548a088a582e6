#include "display/CPresentation.h"

#include <gtest/gtest.h>

#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

TEST(CPresentationTest, ANewViewTakesItsParametersFromTheSettings) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("registry.sqlite"));
    CSettings settings(registry);
    settings.open();
    CPresentation defaults = CPresentation::forNewView(settings, 0);
    EXPECT_EQ(defaults.lineWidth(), 24);
    EXPECT_EQ(defaults.indent(), 0);
    EXPECT_EQ(defaults.unit(), 1);
    EXPECT_EQ(defaults.pageHeight(), 48);  // a stored page height below 8 means 48
    EXPECT_TRUE(defaults.hexAddresses());
    EXPECT_EQ(defaults.dataStartAddress(), 0u);

    settings.write(settings::edit::LineBytes, 10);
    settings.write(settings::edit::UnitBytes, 16);  // lowered to the line width
    settings.write(settings::edit::NullBytes, 12);  // does not fit: dropped
    settings.write(settings::address::HexShow, 0);
    const CPresentation stored = CPresentation::forNewView(settings, 60);
    EXPECT_EQ(stored.unit(), 10);
    EXPECT_EQ(stored.indent(), 0);
    EXPECT_EQ(stored.pageHeight(), 60);
    EXPECT_FALSE(stored.hexAddresses());

    // Absurd stored values are held to what a view can show.
    settings.write(settings::edit::LineBytes, 800000000);
    EXPECT_EQ(CPresentation::forNewView(settings, 60).lineWidth(), 99);
    settings.write(settings::edit::MinColumn, 50);
    settings.write(settings::edit::MaxColumn, 20);  // never below the minimum
    EXPECT_EQ(CPresentation::lineWidthLimits(settings).maximum, 50);
    settings.write(settings::edit::LineBytes, 10);
    EXPECT_EQ(CPresentation::forNewView(settings, 60).lineWidth(), 50);
    settings.write(settings::edit::MinColumn, 1000000);
    EXPECT_EQ(CPresentation::lineWidthLimits(settings).minimum, 99);
    settings.write(settings::edit::MinColumn, 8);
    settings.write(settings::edit::MaxColumn, 99);

    CPresentation closing(32, 3, 2);
    closing.writeBack(settings);
    EXPECT_EQ(settings.get(settings::edit::LineBytes), 32);
    EXPECT_EQ(settings.get(settings::edit::NullBytes), 3);
    EXPECT_EQ(settings.get(settings::edit::UnitBytes), 2);
}

TEST(CPresentationTest, LineWidthStopsAtItsBoundsWhateverTheDelta) {
    CPresentation presentation(24, 20, 1);
    EXPECT_TRUE(presentation.changeLineWidth(-1000, 8, 99));
    EXPECT_EQ(presentation.lineWidth(), 8);
    EXPECT_EQ(presentation.indent(), 0);  // an indent at or above the new width goes
    EXPECT_FALSE(presentation.changeLineWidth(-1, 8, 99));
    EXPECT_FALSE(presentation.canShrinkLineWidth(8));
    EXPECT_TRUE(presentation.changeLineWidth(5000, 8, 99));
    EXPECT_EQ(presentation.lineWidth(), 99);
    EXPECT_FALSE(presentation.canExtendLineWidth(99));
}

TEST(CPresentationTest, IndentCommandsCycleInWholeUnits) {
    CPresentation presentation(16, 0, 4);
    int seen[5];
    for (int& indent : seen) {
        indent = presentation.indent();
        presentation.increaseIndent();
    }
    EXPECT_EQ(seen[0], 0);
    EXPECT_EQ(seen[1], 4);
    EXPECT_EQ(seen[2], 8);
    EXPECT_EQ(seen[3], 12);
    EXPECT_EQ(seen[4], 0);
    presentation.clearIndent();
    presentation.decreaseIndent();  // from 0
    EXPECT_EQ(presentation.indent(), 12);
    EXPECT_TRUE(presentation.canClearIndent());
    EXPECT_TRUE(presentation.clearIndent());
    EXPECT_FALSE(presentation.canClearIndent());
    EXPECT_FALSE(presentation.clearIndent());
}

TEST(CPresentationTest, AUnitMustFitTheLine) {
    CPresentation presentation(10, 7, 1);
    EXPECT_FALSE(presentation.changeUnit(0));
    EXPECT_FALSE(presentation.changeUnit(11));
    EXPECT_TRUE(presentation.changeUnit(4));
    EXPECT_EQ(presentation.indent(), 4);  // rounded down to whole units
    EXPECT_TRUE(presentation.isCurrentUnit(4));
    EXPECT_FALSE(presentation.changeUnit(4));
    EXPECT_TRUE(presentation.changeUnit(10));  // equal to the width is accepted
}

TEST(CPresentationTest, PageHeightStopsAt8And480) {
    CPresentation presentation;
    for (int i = 0; i < 100; ++i) {
        presentation.changePageHeight(-1);
    }
    EXPECT_EQ(presentation.pageHeight(), 8);
    EXPECT_FALSE(presentation.canShrinkPageHeight());
    EXPECT_TRUE(presentation.changePageHeight(10000));
    EXPECT_EQ(presentation.pageHeight(), 480);
    EXPECT_FALSE(presentation.canExtendPageHeight());
}

}  // namespace
