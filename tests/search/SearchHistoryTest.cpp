#include "search/SearchHistory.h"

#include <gtest/gtest.h>

#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

using Entries = std::vector<std::string>;

TEST(SearchHistoryTest, AddingMovesToTheTopAndTheBoxKeepsFifteen) {
    SearchHistory history;
    history.setEntries({"a", "b", "c"});
    history.addToTop("c", SearchHistory::kBoxLimit);  // third: moved, not doubled
    EXPECT_EQ(history.entries(), (Entries{"c", "a", "b"}));
    history.addToTop("c", SearchHistory::kBoxLimit);
    history.addToTop("", SearchHistory::kBoxLimit);  // never an empty one
    EXPECT_EQ(history.entries(), (Entries{"c", "a", "b"}));
    SearchHistory box;
    for (int i = 0; i < 16; ++i) {
        box.addToTop("s" + std::to_string(i), SearchHistory::kBoxLimit);
    }
    EXPECT_EQ(box.entries().size(), 15u);
    EXPECT_EQ(box.entries().front(), "s15");
    EXPECT_EQ(box.entries().back(), "s1");  // the oldest went
    Entries twenty;
    for (int i = 0; i < 20; ++i) {
        twenty.push_back(i == 3 ? "" : "d" + std::to_string(i));
    }
    box.takeFromDialog(twenty);
    EXPECT_EQ(box.entries().size(), 15u);  // the first 16, less the empty one
    EXPECT_EQ(box.entries().back(), "d15");
}

TEST(SearchHistoryTest, StoredListsComeBackInOrderWithCurrentOnce) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("registry.sqlite"));
    CSettings settings(registry);
    settings.open();
    SearchHistory history;
    Entries many;
    for (int i = 0; i < 17; ++i) {
        many.push_back("f" + std::to_string(i));
    }
    history.setEntries(many);
    history.save(settings, "Edit\\Search Info", "Search", "f2");
    const platform::RegistryKey key = settings.applicationKey().at("Edit\\Search Info");
    EXPECT_EQ(key.queryString("Searchf"), "f15");  // hexadecimal numbers
    EXPECT_EQ(key.queryString("Search10"), "f16");
    const SearchHistory loaded = SearchHistory::load(settings, "Edit\\Search Info", "Search");
    ASSERT_EQ(loaded.entries().size(), 17u);
    EXPECT_EQ(loaded.entries()[0], "f2");  // "Current", listed once
    EXPECT_EQ(loaded.entries()[1], "f0");
    EXPECT_EQ(loaded.entries()[2], "f1");
    // A gap ends the list; a long entry is cut; saving again leaves no stale names.
    key.deleteValue("Search3");
    key.setString("Search0", std::string(2000, 'x'));
    const SearchHistory gapped = SearchHistory::load(settings, "Edit\\Search Info", "Search");
    EXPECT_EQ(gapped.entries().size(), 3u);
    EXPECT_EQ(gapped.entries()[1].size(), 1024u);
    SearchHistory two;
    two.setEntries({"x", "", "y"});
    two.save(settings, "Edit\\Search Info", "Search", "");
    EXPECT_EQ(SearchHistory::load(settings, "Edit\\Search Info", "Search").entries(),
              (Entries{"x", "y"}));
    EXPECT_FALSE(settings.applicationKey().at("Edit\\Search Info").queryString("Search2"));
}

TEST(SearchHistoryTest, WithoutARegistryTheListsAreEmpty) {
    EXPECT_TRUE(SearchHistory::load(CSettings::defaults(), "Edit\\Search Info", "Search")
                    .entries()
                    .empty());
}

}  // namespace
