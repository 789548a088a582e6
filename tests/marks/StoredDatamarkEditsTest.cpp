// What open views do after Edit Datamarks, and the consistency check.
#include "marks/StoredDatamarkEdits.h"

#include <gtest/gtest.h>

#include "marks/DatamarkList.h"
#include "marks/DatamarkStore.h"
#include "tests/support/TempDir.h"

namespace {

CBmitemObj mark(std::string path, std::string name, std::vector<std::string> associations = {}) {
    CBmitemObj datamark;
    datamark.filePath = std::move(path);
    datamark.name = std::move(name);
    datamark.associations = std::move(associations);
    return datamark;
}

TEST(ConsistencyCheckTest, AssociationsToMissingDatamarksAreListedWithTheirSource) {
    const std::vector<CBmitemObj> stored{
        mark("/a", "one", {"#two", "#gone", "/b#three", "/b#Four", "plain", "/x#y#z"}),
        mark("/a", "two"),
        mark("/b", "three"),
        mark("/x#y", "z"),  // a path holding "#": split at the last one
    };
    const std::vector<InexistentAssociation> expected{
        {"/a#gone", "/a#one"},
        {"/b#Four", "/a#one"},
    };
    EXPECT_EQ(findInexistentAssociations(stored), expected);
    EXPECT_TRUE(findInexistentAssociations({mark("/a", "alone", {"#ALONE"})}).empty());
}

TEST(FollowStoredEditsTest, DeletedAndRenamedDatamarksReachAnOpenList) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("r.sqlite"));
    DatamarkStore store(registry, registry.createKey(platform::RegistryRoot::CurrentUser, "B"));
    CBmitemObj renamed = mark("/f", "new");
    renamed.comment = "edited";
    store.saveDatamark(renamed);
    store.saveDatamark(mark("/f", "kept"));

    DatamarkList list;
    list.append(mark("/f", "deleted"));
    list.append(mark("/f", "old"));
    list.append(mark("/f", "kept"));
    list.append(mark("", "unsaved"));
    StoredDatamarkEdits edits;
    edits.deleted.push_back({"/f", "DELETED"});
    edits.renamed.push_back({"/f", "old", "new"});
    EXPECT_FALSE(followStoredEdits(list, edits, store));  // nothing changed: nothing done
    edits.changed = true;
    EXPECT_TRUE(followStoredEdits(list, edits, store));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.at(0).name, "new");
    EXPECT_EQ(list.at(0).comment, "edited");
    EXPECT_EQ(list.at(1).name, "kept");
    EXPECT_EQ(list.at(2).name, "unsaved");
}

}  // namespace
