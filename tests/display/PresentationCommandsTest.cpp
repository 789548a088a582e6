#include "display/PresentationCommands.h"

#include <gtest/gtest.h>

#include "display/ViewCommandIds.h"
#include "settings/CSettings.h"
#include "tests/display/OpenPanel.h"
#include "tests/support/RecordingNativeWindow.h"
#include "tests/support/TempDir.h"

namespace {

class PresentationCommandsTest : public testsupport::PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        openWith(std::string(64, 'x'), 16, 2);
    }
};

TEST_F(PresentationCommandsTest, WithoutAViewEveryCommandIsDisabled) {
    const PresentationCommands none(nullptr);
    for (const int id : PresentationCommands::ids()) {
        EXPECT_FALSE(none.isEnabled(id)) << id;
        EXPECT_FALSE(none.isChecked(id)) << id;
    }
    EXPECT_FALSE(PresentationCommands(nullptr).run(cmd::ViewUnitLong));
}

TEST_F(PresentationCommandsTest, TheCurrentUnitIsCheckedAndDisabled) {
    PresentationCommands commands(panel.get());
    EXPECT_TRUE(commands.isChecked(cmd::ViewUnitShort));
    EXPECT_FALSE(commands.isEnabled(cmd::ViewUnitShort));
    EXPECT_TRUE(commands.isEnabled(cmd::ViewUnitLong));
    EXPECT_FALSE(commands.isChecked(cmd::ViewUnitLong));
    ASSERT_TRUE(commands.run(cmd::ViewUnitLong));
    EXPECT_EQ(panel->state().presentation.unit(), 4);
    EXPECT_TRUE(commands.isChecked(cmd::ViewUnitLong));
    EXPECT_FALSE(commands.isEnabled(cmd::ViewUnitLong));
    EXPECT_TRUE(commands.isEnabled(cmd::ViewUnitMulti));
    EXPECT_FALSE(commands.run(cmd::ViewUnitMulti));  // it asks for its unit first
}

TEST_F(PresentationCommandsTest, IndentWidthAndPageHeightFollowTheirLimits) {
    PresentationCommands commands(panel.get());
    EXPECT_FALSE(commands.isEnabled(cmd::ViewClearIndent));  // no indent yet
    ASSERT_TRUE(commands.run(cmd::ViewIncreaseIndent));
    EXPECT_EQ(panel->state().presentation.indent(), 2);
    EXPECT_TRUE(commands.isEnabled(cmd::ViewClearIndent));
    ASSERT_TRUE(commands.run(cmd::ViewClearIndent));
    EXPECT_FALSE(commands.isEnabled(cmd::ViewClearIndent));

    settings.write(settings::edit::MaxColumn, 17);
    EXPECT_TRUE(commands.isEnabled(cmd::ViewExtendLineWidth));
    ASSERT_TRUE(commands.run(cmd::ViewExtendLineWidth));
    EXPECT_FALSE(commands.isEnabled(cmd::ViewExtendLineWidth));
    EXPECT_TRUE(commands.isEnabled(cmd::ViewShrinkLineWidth));

    while (commands.run(cmd::ViewShrinkPageHeight)) {
    }
    EXPECT_EQ(panel->state().presentation.pageHeight(), 8);
    EXPECT_FALSE(commands.isEnabled(cmd::ViewShrinkPageHeight));
    EXPECT_TRUE(commands.isEnabled(cmd::ViewExtendPageHeight));
}

TEST_F(PresentationCommandsTest, ThePanelTogglesCarryTheirState) {
    PresentationCommands commands(panel.get());
    EXPECT_TRUE(commands.isChecked(cmd::ViewCharacterPanel));
    ASSERT_TRUE(commands.run(cmd::ViewCharacterPanel));
    EXPECT_FALSE(commands.isChecked(cmd::ViewCharacterPanel));
    EXPECT_FALSE(panel->state().shown.character);
    EXPECT_TRUE(PresentationCommands::isCheckable(cmd::ViewPageTips));
    EXPECT_FALSE(PresentationCommands::isCheckable(cmd::ViewClearIndent));
}

}  // namespace
