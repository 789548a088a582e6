// The "Datamark" options page: what it shows, what changing it marks, and
// what Apply writes.
#include "marks/ui/DatamarkPage.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "marks/DatamarkDefinition.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

class DatamarkPageTest : public testing::Test {
  protected:
    DatamarkPageTest() { settings.open(); }
    DatamarkLevels levels() const {
        return store.buildLevels(settings.getInt("Bookmark", "Level Number", 8),
                                 [](int n) { return "Datamark Level " + std::to_string(n); });
    }

    testsupport::TempDir dir;
    platform::Registry registry{dir.file("r.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings{datamarkStrings()};
    testsupport::ScriptedMessageService messages{strings};
    DatamarkStore store{settings};
};

TEST_F(DatamarkPageTest, ShowsTheSettingsAndTheLevels) {
    settings.write(settings::bookmark::BrowserStyle, 1);
    settings.write(settings::bookmark::AutoSave, 0);
    const DatamarkLevels table = levels();
    DatamarkPage page(settings, table, store, messages);
    EXPECT_TRUE(page.orderButton(1)->isChecked());
    EXPECT_FALSE(page.autoSaveBox()->isChecked());
    ASSERT_EQ(page.levelList()->rowCount(), 8);
    EXPECT_EQ(page.levelList()->item(0, 0)->text(), QStringLiteral("Datamark Level 1"));
    EXPECT_EQ(page.levelList()->item(0, 1)->text(), QStringLiteral("Show"));
    EXPECT_EQ(page.levelList()->horizontalHeaderItem(1)->text(), QStringLiteral("Show Status"));
    EXPECT_FALSE(page.isChanged());
    EXPECT_TRUE(page.apply());  // nothing changed: nothing written
    EXPECT_FALSE(settings.sectionKey("Bookmark").queryDword("Level Number").has_value());
}

TEST_F(DatamarkPageTest, ApplyWritesTheLevelsAndRebuildsTheTable) {
    const DatamarkLevels table = levels();
    DatamarkPage page(settings, table, store, messages);
    int applied = 0;
    page.onApplied = [&applied] { ++applied; };
    page.levelList()->item(2, 0)->setText(QStringLiteral("Checked"));
    emit page.levelList()->cellDoubleClicked(3, 0);
    EXPECT_EQ(page.levelList()->item(3, 1)->text(), QStringLiteral("Hide"));
    EXPECT_EQ(page.levelList()->item(2, 0)->text(), QStringLiteral("Checked"));
    page.orderButton(2)->click();
    ASSERT_TRUE(page.isChanged());
    ASSERT_TRUE(page.apply());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(settings.get(settings::bookmark::BrowserStyle), 2);
    EXPECT_EQ(settings.sectionKey("Bookmark").queryDword("Level Number"), 8u);
    const DatamarkLevels rebuilt = levels();
    EXPECT_EQ(rebuilt.level(3)->name, "Checked");
    EXPECT_FALSE(rebuilt.level(4)->show);
    EXPECT_TRUE(rebuilt.level(5)->show);
}

}  // namespace
