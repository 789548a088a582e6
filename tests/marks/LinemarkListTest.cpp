#include "marks/LinemarkList.h"

#include <gtest/gtest.h>

namespace {

LinemarkList marked(std::initializer_list<std::uint64_t> lines) {
    LinemarkList list;
    for (const std::uint64_t line : lines) {
        list.add(line);
    }
    return list;
}

TEST(LinemarkListTest, ToggleAddAndRemoveKeepOneAscendingList) {
    LinemarkList list;
    int changes = 0;
    list.setOnChange([&changes] { ++changes; });
    list.toggle(9);
    list.toggle(5);
    list.toggle(20);
    EXPECT_EQ(list.lines(), (std::vector<std::uint64_t>{5, 9, 20}));
    list.toggle(9);
    list.toggle(9);  // twice: as it was
    EXPECT_EQ(list.lines(), (std::vector<std::uint64_t>{5, 9, 20}));
    list.add(9);  // add never removes, and a marked line changes nothing
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(list.indexOf(20), 2u);
    EXPECT_EQ(list.indexOf(21), std::nullopt);
    list.removeAt(0);
    list.removeAt(7);  // no such mark
    EXPECT_EQ(list.lines(), (std::vector<std::uint64_t>{9, 20}));
    list.add(std::uint64_t{1} << 40);  // lines of a file far past 4 GiB
    EXPECT_TRUE(list.contains(std::uint64_t{1} << 40));
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(changes, 8);
}

TEST(LinemarkListTest, NextAndPreviousWrapAround) {
    const LinemarkList list = marked({5, 9, 20});
    EXPECT_EQ(list.nextAfter(9), 20u);
    EXPECT_EQ(list.nextAfter(20), 5u);
    EXPECT_EQ(list.nextAfter(3), 5u);
    EXPECT_EQ(list.previousBefore(9), 5u);
    EXPECT_EQ(list.previousBefore(5), 20u);
    EXPECT_EQ(list.previousBefore(25), 20u);
    const LinemarkList one = marked({7});
    EXPECT_EQ(one.nextAfter(7), 7u);  // a single mark on the caret line stays there
    EXPECT_EQ(one.previousBefore(7), 7u);
    EXPECT_EQ(LinemarkList().nextAfter(0), std::nullopt);
}

}  // namespace
