// The association lists of the datamark dialogs and the chooser's contents.
#include "marks/AssociationList.h"

#include <gtest/gtest.h>

#include "marks/DatamarkList.h"

namespace {

using Entries = std::vector<std::string>;

TEST(AssociationListTest, EqualEntriesIgnoringCaseAreRefused) {
    AssociationList list({"#abc"});
    EXPECT_TRUE(list.add("#ab"));
    EXPECT_FALSE(list.add("#ABC"));
    EXPECT_EQ(list.entries(), (Entries{"#abc", "#ab"}));
    list.remove(0);
    EXPECT_EQ(list.entries(), Entries{"#ab"});
}

TEST(AssociationListTest, MovingWrapsAtBothEnds) {
    AssociationList list({"a", "b", "c"});
    EXPECT_EQ(list.move(0, -1), 2u);  // the first up goes last
    EXPECT_EQ(list.entries(), (Entries{"b", "c", "a"}));
    EXPECT_EQ(list.move(2, +1), 0u);  // the last down goes first
    EXPECT_EQ(list.entries(), (Entries{"a", "b", "c"}));
    EXPECT_EQ(list.move(1, +1), 2u);
    EXPECT_EQ(list.entries(), (Entries{"a", "c", "b"}));
    AssociationList single({"x"});
    EXPECT_EQ(single.move(0, -1), 0u);
}

TEST(AssociationListTest, AnAssociationNamesItsOwnFileWithAHashOnly) {
    EXPECT_EQ(associationFor("", "Head", "/a.bin"), "#Head");
    EXPECT_EQ(associationFor("/a.bin", "Head", "/a.bin"), "#Head");
    EXPECT_EQ(associationFor("/b.bin", "Head", "/a.bin"), "/b.bin#Head");
}

CBmitemObj mark(std::string path, std::string name) {
    CBmitemObj datamark;
    datamark.filePath = std::move(path);
    datamark.name = std::move(name);
    return datamark;
}

TEST(ChooserContentsTest, TheCurrentFileFirstThenOtherFilesAcrossFiles) {
    DatamarkList current;
    current.append(mark("/a", "one"));
    current.append(mark("/a", "edited"));
    const std::vector<CBmitemObj> stored{mark("/a", "one"), mark("/b", "x"), mark("/b", "y"),
                                         mark("/c", "edited"), mark("/b", "z")};
    const auto within = chooserContents(current, "/a", "Edited", stored, false);
    ASSERT_EQ(within.size(), 1u);
    ASSERT_EQ(within[0].datamarks.size(), 1u);
    EXPECT_EQ(within[0].datamarks[0].name, "one");
    const auto across = chooserContents(current, "/a", "Edited", stored, true);
    ASSERT_EQ(across.size(), 4u);  // a new group whenever the path changes
    EXPECT_EQ(across[1].path, "/b");
    EXPECT_EQ(across[1].datamarks.size(), 2u);
    EXPECT_EQ(across[2].path, "/c");  // another file's "edited" is another datamark
    EXPECT_EQ(across[3].path, "/b");
}

}  // namespace
