#include "display/ui/EditDialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "display/EditCommands.h"
#include "settings/CSettings.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

class EditDialogsTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings{editCommandStrings()};
    testsupport::ScriptedMessageService messages{strings};

    void SetUp() override { settings.open(); }
};

TEST_F(EditDialogsTest, ModifyDataStaysOpenWithoutALengthAndStoresItsChoices) {
    // Data start 0, 0x40 bytes, caret at 0x10.
    CModifyDataDialog dialog({0, 0x40, 0x10}, 0, settings, messages);
    dialog.show();
    EXPECT_EQ(dialog.addressEdit()->text(), "10");
    EXPECT_EQ(dialog.lengthEdit()->text(), "10");  // "Init Length" 16 in hexadecimal
    dialog.lengthEdit()->clear();
    QTest::keyClicks(dialog.lengthEdit(), "0");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.shown().back().text, "Please enter data length");

    // A length too long for the data goes back with its message.
    dialog.lengthEdit()->clear();
    QTest::keyClicks(dialog.lengthEdit(), "41");
    EXPECT_EQ(dialog.lengthEdit()->text(), "4");
    EXPECT_EQ(messages.shown().back().text, "Data (length) is out of the scope of the file");
    dialog.operations()->setCurrentIndex(4);  // Xor
    dialog.randomBox()->setChecked(true);
    EXPECT_FALSE(dialog.byteEdit()->isEnabled());
    dialog.insertButton()->setChecked(true);
    EXPECT_FALSE(dialog.operations()->isEnabled());
    dialog.insertButton()->setChecked(false);
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.request().length, 4u);
    EXPECT_EQ(dialog.request().offset, 0x10u);
    EXPECT_EQ(settings.get(settings::edit::InitLength), 4);
    EXPECT_EQ(settings.get(settings::edit::WriteType), 4);
    EXPECT_EQ(settings.get(settings::edit::UseRand), 1);

    // The next run starts from them.
    CModifyDataDialog again({0, 0x40, 0}, 0, settings, messages);
    EXPECT_EQ(again.lengthEdit()->text(), "4");
    EXPECT_EQ(again.operations()->currentIndex(), 4);
    EXPECT_TRUE(again.randomBox()->isChecked());
}

TEST_F(EditDialogsTest, ModifyDataPresetsAndNumberSystems) {
    CModifyDataDialog dialog({0x100, 0x140, 0x110}, 0x100, settings, messages);
    emit dialog.addressPresets()->activated(1);  // "End of The File"
    EXPECT_EQ(dialog.addressEdit()->text(), "140");
    EXPECT_EQ(dialog.lengthEdit()->text(), "0");
    dialog.baseButton(NumberBase::Decimal)->setChecked(true);
    EXPECT_EQ(dialog.addressEdit()->text(), "320");
    QTest::keyClicks(dialog.byteEdit(), "f");
    EXPECT_EQ(messages.shown().back().stringId, 1021);
}

TEST_F(EditDialogsTest, SwapDataOffersTheSelectionOnlyWhenThereIsOne) {
    CSwapDataDialog without(false);
    EXPECT_FALSE(without.selectionButton()->isEnabled());
    EXPECT_TRUE(without.wholeData());
    CSwapDataDialog with(true);
    with.selectionButton()->setChecked(true);
    with.alignLineBox()->setChecked(true);
    EXPECT_FALSE(with.wholeData());
    EXPECT_TRUE(with.alignLine());
}

}  // namespace
