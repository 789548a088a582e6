// The datamark store: its registry layout value by value, the read rules,
// damaged keys, 64-bit positions, the levels, and a long random run of saves,
// renames, deletions and replacements against a model of the layout.
#include "marks/DatamarkStore.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "tests/support/TempDir.h"

namespace {

using platform::RegistryRoot;
using platform::RegistryValue;

class DatamarkStoreTest : public testing::Test {
  protected:
    platform::RegistryKey key(std::string_view path) const { return bookmark.openSubkey(path); }
    static CBmitemObj mark(std::string path, std::string name, std::uint64_t position = 0) {
        CBmitemObj datamark;
        datamark.filePath = std::move(path);
        datamark.name = std::move(name);
        datamark.position = position;
        return datamark;
    }
    std::vector<std::string> names(std::string_view path) const {
        std::vector<std::string> out;
        for (const auto& datamark : store.loadDatamarks(path).datamarks) {
            out.push_back(datamark.name);
        }
        return out;
    }

    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    platform::RegistryKey bookmark = registry.createKey(
        RegistryRoot::CurrentUser, "Software\\Mandrel 417\\1.1\\Kestrane\\Bookmark");
    DatamarkStore store{registry, bookmark};
};

TEST_F(DatamarkStoreTest, TheLayoutKeyByKeyAndValueByValue) {
    CBmitemObj head = mark("/data/a.bin", "Head", 0x10);
    head.comment = "the header";
    head.level = 3;
    head.findString = "ce ";
    head.findResultString = "ce 01 ";
    head.arithmeticOperator = 32853;
    head.compareOperator = 32870;
    head.associations = {"#Tail", "/data/b.bin#Start"};
    ASSERT_TRUE(store.saveDatamark(head));
    ASSERT_TRUE(store.saveDatamark(mark("/data/a.bin", "Tail", 0x20)));
    ASSERT_TRUE(store.saveDatamark(mark("/data/b.bin", "Start")));

    const auto file = key("Bookmark Item\\FilePath0");
    EXPECT_EQ(file.queryValue("FilePath"), RegistryValue::ofString("/data/a.bin"));
    EXPECT_EQ(key("Bookmark Item\\FilePath1").queryString("FilePath"), "/data/b.bin");
    const auto item = file.openSubkey("Name0");
    const std::vector<platform::RegistryValueEntry> expected{
        {"Arithmetic Operator", RegistryValue::ofDword(32853)},
        {"Comment", RegistryValue::ofString("the header")},
        {"Compare Operator", RegistryValue::ofDword(32870)},
        {"Compare String", RegistryValue::ofString("")},
        {"Find Result String", RegistryValue::ofString("ce 01 ")},
        {"Find String", RegistryValue::ofString("ce ")},
        {"Level", RegistryValue::ofDword(3)},
        {"Name", RegistryValue::ofString("Head")},
        {"Normal Datamark", RegistryValue::ofDword(0)},
        {"Operate Result String", RegistryValue::ofString("")},
        {"Operate String", RegistryValue::ofString("")},
        {"Position", RegistryValue::ofDword(0x10)},
    };
    const auto values = item.values();
    ASSERT_EQ(values.size(), expected.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].name, expected[i].name);
        EXPECT_EQ(values[i].value, expected[i].value) << values[i].name;
    }
    EXPECT_EQ(item.openSubkey("Connect").queryString("Connect0"), "#Tail");
    EXPECT_EQ(item.openSubkey("Connect").queryString("Connect1"), "/data/b.bin#Start");
    EXPECT_EQ(file.openSubkey("Name1").queryString("Name"), "Tail");

    const auto loaded = store.loadDatamarks("/data/a.bin");
    ASSERT_EQ(loaded.datamarks.size(), 2u);
    EXPECT_EQ(loaded.datamarks[0], head);
    EXPECT_EQ(loaded.damaged, 0);
}

TEST_F(DatamarkStoreTest, NamesIgnoreCaseAndAFreedKeyNameIsReused) {
    store.saveDatamark(mark("/f", "Head", 1));
    store.saveDatamark(mark("/f", "Middle", 2));
    store.saveDatamark(mark("/f", "head", 3));  // the same datamark
    EXPECT_EQ(names("/f"), (std::vector<std::string>{"head", "Middle"}));
    EXPECT_EQ(key("Bookmark Item\\FilePath0\\Name0").queryDword("Position"), 3u);
    ASSERT_TRUE(store.deleteStoredDatamark("/f", "HEAD"));
    EXPECT_EQ(names("/f"), (std::vector<std::string>{"Middle"}));
    store.saveDatamark(mark("/f", "New", 4));
    EXPECT_EQ(key("Bookmark Item\\FilePath0\\Name0").queryString("Name"), "New");
    EXPECT_TRUE(key("Bookmark Item\\FilePath0").isValid());
    EXPECT_FALSE(store.saveDatamark(mark("/f", "", 5)));  // no name: nothing written
    EXPECT_FALSE(store.saveDatamark(mark("", "Nameless", 5)));
    EXPECT_EQ(names("/f").size(), 2u);
}

TEST_F(DatamarkStoreTest, PathsCompareExactly) {
    store.saveDatamark(mark("/data/File.bin", "Upper"));
    store.saveDatamark(mark("/data/file.bin", "Lower"));
    EXPECT_EQ(names("/data/File.bin"), std::vector<std::string>{"Upper"});
    EXPECT_EQ(names("/data/file.bin"), std::vector<std::string>{"Lower"});
    EXPECT_TRUE(names("/data/FILE.bin").empty());
}

TEST_F(DatamarkStoreTest, PositionsFromFourGibibytesUpKeepTheirHighHalf) {
    for (std::uint64_t position :
         {std::uint64_t{0xFFFFFFFE}, std::uint64_t{0xFFFFFFFF}, std::uint64_t{5} << 32 | 7}) {
        store.saveDatamark(mark("/big", "at", position));
        EXPECT_EQ(store.loadDatamarks("/big").datamarks.at(0).position, position);
    }
    EXPECT_EQ(key("Bookmark Item\\FilePath0\\Name0").queryDword("Position High"), 5u);
    store.saveDatamark(mark("/big", "at", 9));  // a rewrite drops the high half
    EXPECT_EQ(key("Bookmark Item\\FilePath0\\Name0").queryDword("Position High"), std::nullopt);
}

TEST_F(DatamarkStoreTest, StoredValuesFollowTheReadRules) {
    store.saveDatamark(mark("/r", "m", 0));
    const auto item = key("Bookmark Item\\FilePath0\\Name0");
    item.setDword("Level", 0);
    item.setDword("Position", 0xFFFFFFFF);
    item.setDword("Normal Datamark", 7);
    item.setDword("Arithmetic Operator", 32866);
    item.setString("Compare Operator", "==");
    item.setDword("Comment", 5);
    item.openSubkey("Connect").setString("Connect0", "#a");
    item.openSubkey("Connect").setString("Connect1", std::string(70000, 'x'));
    item.openSubkey("Connect").setString("Connect2", "#c");
    item.openSubkey("Connect").setString("Connect4", "#e");
    const CBmitemObj loaded = store.loadDatamarks("/r").datamarks.at(0);
    EXPECT_EQ(loaded.level, 1);
    EXPECT_EQ(loaded.position, 0u);
    EXPECT_TRUE(loaded.normalDatamark);
    EXPECT_EQ(loaded.arithmeticOperator, 32849);
    EXPECT_EQ(loaded.compareOperator, 32866);
    EXPECT_EQ(loaded.comment, "");
    // A value too long to load is left out; a missing number ends the list.
    EXPECT_EQ(loaded.associations, (std::vector<std::string>{"#a", "#c"}));
}

TEST_F(DatamarkStoreTest, DamagedKeysAreSkippedAndTheRestLoadsInNumberedOrder) {
    for (int i = 0; i < 12; ++i) {
        store.saveDatamark(mark("/d", "m" + std::to_string(i), static_cast<std::uint64_t>(i)));
    }
    const auto file = key("Bookmark Item\\FilePath0");
    file.openSubkey("Name1").deleteValue("Name");
    file.openSubkey("Name2").setDword("Name", 2);
    file.openSubkey("Name3").setString("Name", "");
    file.openSubkey("Name4").setString("Name", "a#b");
    file.openSubkey("Name5").setString("Name", std::string(260, 'n'));
    file.createSubkey("Stray").setString("Name", "stray");
    const DatamarkLoad load = store.loadDatamarks("/d");
    EXPECT_EQ(load.damaged, 5);
    std::vector<std::string> loaded;
    for (const auto& datamark : load.datamarks) {
        loaded.push_back(datamark.name);
    }
    // "Name10" and "Name11" come after "Name9"; the oddly named key last.
    EXPECT_EQ(loaded,
              (std::vector<std::string>{"m0", "m6", "m7", "m8", "m9", "m10", "m11", "stray"}));
    EXPECT_TRUE(file.openSubkey("Name2").isValid());  // skipped keys stay
}

TEST_F(DatamarkStoreTest, ReplaceStoresTheListUnderThePathAndFindsReferrers) {
    store.saveDatamark(mark("/old", "gone"));
    store.saveDatamark(mark("/new", "replaced"));
    CBmitemObj pointer = mark("/other", "pointer");
    pointer.associations = {"/new#Kept"};
    store.saveDatamark(pointer);
    std::vector<CBmitemObj> list{mark("", "Kept", 1), mark("/old", "Moved", 2)};
    ASSERT_TRUE(store.replaceStoredDatamarks(list, "/new"));
    EXPECT_EQ(list[1].filePath, "/new");
    EXPECT_EQ(names("/new"), (std::vector<std::string>{"Kept", "Moved"}));
    EXPECT_EQ(names("/old"), std::vector<std::string>{"gone"});
    const auto referring = store.findReferringDatamarks("/NEW#kept");
    ASSERT_EQ(referring.size(), 1u);
    EXPECT_EQ(referring[0].name, "pointer");
    EXPECT_EQ(store.loadAllDatamarks().datamarks.size(), 4u);
}

TEST(DatamarkStoreUnusableTest, AnUnusableRegistryLoadsNothingAndReportsSaves) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.path());  // a folder: never a usable file
    DatamarkStore store(registry, registry.root(RegistryRoot::CurrentUser).at("Bookmark"));
    EXPECT_TRUE(store.loadDatamarks("/x").datamarks.empty());
    std::vector<CBmitemObj> list(1);
    list[0].name = "a";
    EXPECT_FALSE(store.replaceStoredDatamarks(list, "/x"));
    EXPECT_FALSE(store.saveDatamarks(list));
}

TEST_F(DatamarkStoreTest, LevelsAreBuiltFromTheirCountAndStoredNames) {
    const auto name = [](int n) { return "Datamark Level " + std::to_string(n); };
    EXPECT_EQ(store.buildLevels(3, name).count(), 8);
    EXPECT_EQ(store.buildLevels(40, name).count(), 32);
    std::vector<CBmlevelObj> rows(10);
    for (int i = 0; i < 10; ++i) {
        rows[static_cast<std::size_t>(i)] = {"L" + std::to_string(i), 0, i != 2};
    }
    DatamarkOptions options;
    options.browserStyle = 2;
    ASSERT_TRUE(store.writeLevels(options, rows));
    EXPECT_EQ(bookmark.queryDword("Level Number"), 10u);
    EXPECT_EQ(bookmark.queryDword("Browser Style"), 2u);
    const DatamarkLevels levels = store.buildLevels(10, name);
    ASSERT_EQ(levels.count(), 10);
    EXPECT_EQ(levels.level(1)->name, "L0");
    EXPECT_FALSE(levels.level(3)->show);
    EXPECT_EQ(levels.level(10)->image, 8);  // from the ninth on, one image
    EXPECT_EQ(levels.level(9)->image, 8);
    EXPECT_EQ(levels.level(8)->image, 7);
    CBmitemObj hidden = mark("/h", "h");
    hidden.level = 3;
    EXPECT_FALSE(levels.isShown(hidden));
    hidden.level = 11;
    EXPECT_FALSE(levels.isShown(hidden));
    hidden.level = 1;
    EXPECT_TRUE(levels.isShown(hidden));
    // Fewer rows later: the keys of the dropped levels are gone.
    rows.resize(8);
    ASSERT_TRUE(store.writeLevels(options, rows));
    EXPECT_FALSE(bookmark.openSubkey("Level Info\\Level9").isValid());
}

// The store's layout in miniature: per path, datamarks by key number.
struct LayoutModel {
    std::map<std::string, std::map<std::uint64_t, CBmitemObj>> files;

    void save(const CBmitemObj& datamark) {
        auto& keys = files[datamark.filePath];
        for (auto& [number, stored] : keys) {
            if (sameMarkName(stored.name, datamark.name)) {
                stored = datamark;
                return;
            }
        }
        std::uint64_t free = 0;
        while (keys.count(free) != 0) {
            ++free;
        }
        keys[free] = datamark;
    }
    void remove(const std::string& path, const std::string& name) {
        auto& keys = files[path];
        for (auto it = keys.begin(); it != keys.end(); ++it) {
            if (sameMarkName(it->second.name, name)) {
                keys.erase(it);
                return;
            }
        }
    }
    std::vector<CBmitemObj> load(const std::string& path) const {
        std::vector<CBmitemObj> out;
        if (const auto found = files.find(path); found != files.end()) {
            for (const auto& [number, datamark] : found->second) {
                out.push_back(datamark);
            }
        }
        return out;
    }
};

TEST_F(DatamarkStoreTest, ARandomRunAgreesWithTheLayoutAfterEveryReload) {
    const std::uint64_t seed = 4242;
    std::mt19937_64 random(seed);
    const std::vector<std::string> paths{"/p/a", "/p/A", "/p/b#c", "/p/d"};
    const std::vector<std::string> pool{"one", "One", "two", "three", "x", "y", "z"};
    LayoutModel model;
    for (int step = 0; step < 1000; ++step) {
        const std::string& path = paths[random() % paths.size()];
        CBmitemObj datamark = mark(path, pool[random() % pool.size()], random() % (1ull << 40));
        datamark.level = static_cast<std::int32_t>(1 + random() % 40);
        datamark.comment = std::string(random() % 5, 'c');
        for (std::uint64_t k = random() % 3; k > 0; --k) {
            datamark.associations.push_back("#" + pool[random() % pool.size()]);
        }
        switch (random() % 4) {
            case 0:
            case 1:
                ASSERT_TRUE(store.saveDatamark(datamark));
                model.save(datamark);
                break;
            case 2:
                ASSERT_TRUE(store.deleteStoredDatamark(path, datamark.name));
                model.remove(path, datamark.name);
                break;
            default: {  // Save As: the list of one file stored under another
                std::vector<CBmitemObj> list = model.load(paths[random() % paths.size()]);
                ASSERT_TRUE(store.replaceStoredDatamarks(list, path));
                model.files[path].clear();
                for (const auto& entry : list) {
                    model.save(entry);
                }
                break;
            }
        }
        for (const std::string& each : paths) {
            ASSERT_EQ(store.loadDatamarks(each).datamarks, model.load(each))
                << "seed " << seed << " step " << step << " path " << each;
        }
    }
}

TEST(DatamarkStoreFuzzTest, RandomRegistryContentsNeverBreakALoad) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("r.sqlite"));
    const auto bookmark = registry.createKey(RegistryRoot::CurrentUser, "B");
    DatamarkStore store(registry, bookmark);
    std::mt19937_64 random(77);
    const std::vector<std::string> valueNames{"FilePath", "Name",     "Position", "Position High",
                                              "Level",    "Connect0", "Connect1", "Comment"};
    for (int i = 0; i < 400; ++i) {
        std::string path = "Bookmark Item\\FilePath" + std::to_string(random() % 3);
        if (random() % 2) {
            path += "\\Name" + std::to_string(random() % 4);
            if (random() % 3 == 0) {
                path += "\\Connect";
            }
        }
        const auto key = bookmark.createSubkey(path);
        const std::string& name = valueNames[random() % valueNames.size()];
        if (random() % 2) {
            key.setDword(name, static_cast<std::uint32_t>(random()));
        } else {
            key.setString(name, random() % 2 ? "/f" : std::string(random() % 300, '#'));
        }
        for (const CBmitemObj& datamark : store.loadAllDatamarks().datamarks) {
            ASSERT_TRUE(isUsableDatamarkName(datamark.name));
            ASSERT_GE(datamark.level, 1);
        }
        store.loadDatamarks("/f");
    }
}

}  // namespace
