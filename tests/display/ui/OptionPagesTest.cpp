#include "display/ui/OptionPages.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "settings/CSettings.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

class OptionPagesTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages{strings};
    void SetUp() override { settings.open(); }
};

TEST_F(OptionPagesTest, ThePresentationPageRefusesOutOfRangeAndWritesOtherwise) {
    PresentationPage page(settings, messages);
    EXPECT_FALSE(page.lineWidthEdit()->isEnabled());
    EXPECT_EQ(page.maxWidthEdit()->text(), "99");
    page.minWidthEdit()->setText("3");
    EXPECT_FALSE(page.apply());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Please enter an integer between 8 and 98.");
    EXPECT_EQ(settings.get(settings::edit::MinColumn), 8);

    page.minWidthEdit()->setText("12");
    page.maxWidthEdit()->setText("64");
    page.escapeEdit()->setText("~");
    page.decimalButton()->setChecked(true);
    EXPECT_TRUE(page.apply());
    EXPECT_EQ(settings.get(settings::edit::MinColumn), 12);
    EXPECT_EQ(settings.get(settings::edit::MaxColumn), 64);
    EXPECT_EQ(settings.get(settings::edit::EscapeChar), '~');
    EXPECT_EQ(settings.get(settings::address::HexShow), 0);
}

TEST_F(OptionPagesTest, TheAppearancePageWritesTheChosenColours) {
    AppearancePage page(settings);
    EXPECT_EQ(page.backgrounds()->count(), 6);
    EXPECT_EQ(page.foregrounds()->item(5)->text(), "Dialog Box Note Text");
    page.backgrounds()->setCurrentRow(4);  // "Selection XOR Color"
    page.setSelectedColor(true, 0x00AA00);
    page.apply();
    EXPECT_EQ(settings.get(settings::appearance::SelectionColor), 0x00AA00);
    page.setDefaults();
    page.apply();
    EXPECT_EQ(settings.get(settings::appearance::SelectionColor), 6208);
}

TEST_F(OptionPagesTest, TheDataUnitDialogStaysOpenForAUnitWiderThanTheLine) {
    SetDataUnitDialog dialog(16, 1, messages);
    dialog.show();
    dialog.unitEdit()->setText("17");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "The bytes per data unit should be less than the bytes per line!");
    dialog.unitEdit()->setText("16");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.newUnit(), 16);
}

}  // namespace
