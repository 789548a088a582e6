// The entries a click on a datamark offers, and how long associations are shortened.
#include "marks/AssociationMenu.h"

#include <gtest/gtest.h>

namespace {

CBmitemObj named(std::string name, std::uint64_t position, int level = 1) {
    CBmitemObj datamark;
    datamark.name = std::move(name);
    datamark.position = position;
    datamark.level = level;
    return datamark;
}

const auto kShown = [](const CBmitemObj& d) { return d.level <= 8; };

TEST(AssociationMenuTest, OffersOtherFilesAndThisFilesVisibleTargetsInOrder) {
    DatamarkList list;
    list.append(named("Head", 10));
    list.append(named("Hidden", 20, 9));
    list.append(named("Far", 5000));  // beyond the data
    CBmitemObj source = named("Source", 0);
    source.associations = {"/data/x.bin#Tail", "#head", "no hash here", "#Hidden",
                           "#missing", "#Far", "  #Head", "/data/y.bin#"};
    const auto entries = associationMenu(source, list, kShown, 1000);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, 1001);
    EXPECT_EQ(entries[0].text, "Go To: /data...#Tail");
    EXPECT_FALSE(entries[0].target.has_value());
    EXPECT_EQ(entries[1].id, 1002);  // the name compares ignoring case
    EXPECT_EQ(entries[1].text, "Go To: #head");
    EXPECT_EQ(entries[1].target, 0u);
    EXPECT_EQ(entries[2].id, 1007);  // ids keep the association's index
    EXPECT_EQ(entries[2].text, "Go To: #Head");
    EXPECT_TRUE(associationMenu(named("Alone", 0), list, kShown, 1000).empty());
}

TEST(AssociationMenuTest, ShortensOnlyWhenTheHashStandsAtTheEighthCharacterOrLater) {
    EXPECT_EQ(shortenedAssociation("/a/b.bi#Name"), "/a/b.bi#Name");     // "#" at 7
    EXPECT_EQ(shortenedAssociation("/a/b.bin#Name"), "/a/b....#Name");   // "#" at 8
    EXPECT_EQ(shortenedAssociation("/x#y/long.bin#N"), "/x#y/...#N");    // the last "#"
    EXPECT_EQ(shortenedAssociation("#Name"), "#Name");
    // Characters, not bytes: five two-byte letters stay whole.
    const std::string umlauts = "/\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4#N";
    EXPECT_EQ(shortenedAssociation(umlauts), "/\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4...#N");
    EXPECT_EQ(shortenedAssociation("/\xC3\xA4\xC3\xA4\xC3\xA4#N"), "/\xC3\xA4\xC3\xA4\xC3\xA4#N");
}

TEST(AssociationMenuTest, SurvivesHostileStoredStrings) {
    DatamarkList list;
    list.append(named("A", 1));
    CBmitemObj source = named("S", 0);
    source.associations = {"", "#", "   ", std::string(65536, 'x') + "#A",
                           "\xFF\xFE\xC3#A", std::string(65536, '#')};
    const auto entries = associationMenu(source, list, kShown, 100);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].text, "Go To: xxxxx...#A");
    EXPECT_EQ(entries[1].text, "Go To: \xFF\xFE\xC3#A");  // "#" at character 3
}

}  // namespace
