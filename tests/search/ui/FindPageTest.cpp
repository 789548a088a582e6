#include "search/ui/FindPage.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "settings/CSettings.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

class FindPageTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages{strings};
    void SetUp() override { settings.open(); }
};

TEST_F(FindPageTest, OutOfRangeNumbersAreRefusedAndTheWildcardIsItsFirstCharacter) {
    settings.write(settings::edit::MaxFindBytes, 77);
    FindPage page(settings, messages);
    EXPECT_EQ(page.maxFindBytesEdit()->text(), "77");
    EXPECT_EQ(page.wildcardEdit()->text(), ".");
    EXPECT_TRUE(page.apply());  // nothing changed: nothing written
    EXPECT_FALSE(settings.sectionKey("Edit").queryValue("Enable Asyn Find"));

    page.maxFindBytesEdit()->clear();
    QTest::keyClicks(page.maxFindBytesEdit(), "5000");
    EXPECT_FALSE(page.apply());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Please enter an integer between 1 and 4096.");
    EXPECT_EQ(settings.get(settings::edit::MaxFindBytes), 77);  // nothing written

    page.maxFindBytesEdit()->setText("2048");
    page.thresholdEdit()->setText("0");
    EXPECT_FALSE(page.apply());
    EXPECT_EQ(messages.shown().back().text, "Please enter an integer between 1 and 1024.");

    page.thresholdEdit()->setText("16");
    page.wildcardEdit()->setText(" *");
    page.recyclingBox()->setChecked(false);
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(settings.get(settings::edit::MaxFindBytes), 2048);
    EXPECT_EQ(settings.get(settings::edit::AsynThreshold), 16);
    EXPECT_EQ(settings.get(settings::edit::HexWildcard), '*');
    EXPECT_EQ(settings.get(settings::edit::FindContinue), 0);
    EXPECT_EQ(settings.get(settings::edit::CloseAfterRepAll), 1);  // all nine are written
    EXPECT_EQ(page.wildcardEdit()->text(), "*");

    page.wildcardEdit()->clear();
    QTest::keyClicks(page.wildcardEdit(), " ");
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(settings.get(settings::edit::HexWildcard), '.');  // an empty field stores "."
}

}  // namespace
