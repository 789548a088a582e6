// The stored values of the interpretation window and the options page over them.
#include "interpret/InterpreterSettings.h"

#include <gtest/gtest.h>

#include "interpret/InterpreterButtons.h"
#include "platform/Registry.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"
#include "tests/support/TempDir.h"

namespace {

TEST(InterpreterSettingsTest, StrayStoredValuesCountAsOne) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("registry.sqlite"));
    CSettings settings(registry);
    settings.open();
    InterpreterSettings fresh = InterpreterSettings::load(settings);
    EXPECT_FALSE(fresh.hidden);
    EXPECT_FALSE(fresh.lockPosition);
    EXPECT_TRUE(fresh.littleEndian);
    EXPECT_EQ(fresh.decimal, 0);
    settings.write(settings::interpreter::Decimal, 7);
    settings.write(settings::interpreter::LittleEndian, -2);
    settings.write(settings::interpreter::LockHide, 1);
    const InterpreterSettings stray = InterpreterSettings::load(settings);
    EXPECT_EQ(stray.decimal, 1);
    EXPECT_TRUE(stray.littleEndian);
    EXPECT_TRUE(stray.hidden);
    InterpreterSettings changed = stray;
    changed.littleEndian = false;
    changed.lockPosition = true;
    ASSERT_TRUE(changed.store(settings));
    EXPECT_EQ(settings.get(settings::interpreter::LittleEndian), 0);
    EXPECT_EQ(settings.get(settings::interpreter::LockPos), 1);
    EXPECT_EQ(settings.get(settings::interpreter::Decimal), 1);
}

TEST(InterpreterSettingsTest, ThePageReadsAndWritesTheSameValues) {
    InterpreterSettings stored;
    stored.hidden = true;
    stored.littleEndian = false;
    stored.decimal = 1;
    const InterpretationPageOptions page = InterpretationPageOptions::from(stored);
    EXPECT_EQ(page.byteOrder, 1);
    EXPECT_EQ(page.numberSystem, 1);
    EXPECT_FALSE(page.autoShow);
    const InterpreterSettings back = page.toSettings();
    EXPECT_EQ(back.hidden, stored.hidden);
    EXPECT_EQ(back.littleEndian, stored.littleEndian);
    EXPECT_EQ(back.decimal, stored.decimal);
}

TEST(InterpreterButtonsTest, ImagesTipsAndPellwicksViewItemsFollowTheState) {
    InterpretationState values;
    InterpreterToggles toggles;
    EXPECT_EQ(buttonImageOffset(InterpreterButton::ByteOrder, values, toggles), 80);
    EXPECT_EQ(buttonImageOffset(InterpreterButton::NumberSystem, values, toggles), 112);
    EXPECT_EQ(buttonImageOffset(InterpreterButton::LockDataType, values, toggles), 48);
    EXPECT_EQ(buttonImageOffset(InterpreterButton::Close, values, toggles), 144);
    EXPECT_EQ(
        buttonTip(InterpreterProgram::Kestrane, InterpreterButton::ByteOrder, values, toggles),
        5006);
    EXPECT_EQ(
        buttonTip(InterpreterProgram::Pellwick, InterpreterButton::ByteOrder, values, toggles),
        4056);
    EXPECT_EQ(pellwickViewState(pellwickcmd::LittleEndian, values, toggles),
              (CommandState{false, true}));
    EXPECT_EQ(pellwickViewState(pellwickcmd::BigEndian, values, toggles),
              (CommandState{true, false}));
    values.littleEndian = false;
    values.decimal = 1;
    toggles.lockDataType = true;
    toggles.lockPosition = true;
    EXPECT_EQ(buttonImageOffset(InterpreterButton::ByteOrder, values, toggles), 64);
    EXPECT_EQ(buttonImageOffset(InterpreterButton::NumberSystem, values, toggles), 96);
    EXPECT_EQ(buttonImageOffset(InterpreterButton::LockDataType, values, toggles), 32);
    EXPECT_EQ(
        buttonTip(InterpreterProgram::Kestrane, InterpreterButton::LockPosition, values, toggles),
        5004);
    EXPECT_EQ(
        buttonTip(InterpreterProgram::Pellwick, InterpreterButton::NumberSystem, values, toggles),
        4057);
    EXPECT_EQ(pellwickViewState(pellwickcmd::Decimal, values, toggles),
              (CommandState{false, true}));
    EXPECT_EQ(pellwickViewState(pellwickcmd::LockDataType, values, toggles),
              (CommandState{true, true}));
    EXPECT_FALSE(pellwickViewState(pellwickcmd::Copy, values, toggles).has_value());
}

}  // namespace
