// Next and Previous Datamark in the three orders, against the documented
// walks and a naive reference that sorts the list at every step.
#include "marks/DatamarkNavigator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

CBmitemObj at(std::uint64_t position, std::string name = "", int level = 1) {
    CBmitemObj datamark;
    datamark.name = std::move(name);
    datamark.position = position;
    datamark.level = level;
    return datamark;
}

class DatamarkNavigatorTest : public testing::Test {
  protected:
    // One step as the view takes it: the target becomes current and the caret goes there.
    std::uint64_t step(bool next, BrowserStyle style) {
        DatamarkNavigator navigator(list, shown, 100000, 16);
        const NavigationTarget target = navigator.step(next, style, caret);
        if (target.kind != NavigationTarget::Kind::Here) {
            return UINT64_MAX;
        }
        list.setCurrentDatamark(target.index);
        caret = list.at(target.index).position;
        return caret;
    }

    DatamarkList list;
    std::uint64_t caret = 0;
    std::function<bool(const CBmitemObj&)> shown = [](const CBmitemObj& d) { return d.level <= 8; };
};

TEST_F(DatamarkNavigatorTest, OccurrenceWalksByPositionAndWraps) {
    for (std::uint64_t p : {300, 100, 200}) {
        list.append(at(p));
    }
    caret = 150;
    EXPECT_EQ(step(true, BrowserStyle::Occurrence), 200u);
    EXPECT_EQ(step(true, BrowserStyle::Occurrence), 300u);
    EXPECT_EQ(step(true, BrowserStyle::Occurrence), 100u);
    EXPECT_EQ(step(true, BrowserStyle::Occurrence), 200u);
    EXPECT_EQ(step(false, BrowserStyle::Occurrence), 100u);
    EXPECT_EQ(step(false, BrowserStyle::Occurrence), 300u);
}

TEST_F(DatamarkNavigatorTest, NatureWalksTheListWhateverTheLevel) {
    for (std::uint64_t p : {300, 100, 200}) {
        list.append(at(p));
    }
    list.at(1).level = 20;  // hidden: Nature still lands on it
    list.setCurrentDatamark(0);
    caret = 300;
    EXPECT_EQ(step(true, BrowserStyle::Nature), 100u);
    // Landed on a hidden one: it is dropped, and the next step starts from the caret.
    EXPECT_EQ(step(true, BrowserStyle::Nature), 200u);
    EXPECT_EQ(step(true, BrowserStyle::Nature), 300u);
}

TEST_F(DatamarkNavigatorTest, MovingTheCaretToAnotherLineDropsTheCurrentDatamark) {
    for (std::uint64_t p : {300, 100, 200}) {
        list.append(at(p));
    }
    list.setCurrentDatamark(0);
    caret = 305;  // the same line as 300
    EXPECT_EQ(step(true, BrowserStyle::Nature), 100u);
    caret = 150;                                        // another line
    EXPECT_EQ(step(true, BrowserStyle::Nature), 200u);  // by position from the caret
}

TEST_F(DatamarkNavigatorTest, TiesTakeTheFirstInListOrderAndOccurrenceSkipsTheRest) {
    list.append(at(50, "a"));
    list.append(at(80, "b"));
    list.append(at(80, "c"));
    list.append(at(90, "d"));
    caret = 60;
    step(true, BrowserStyle::Occurrence);
    EXPECT_EQ(list.at(*list.currentDatamark()).name, "b");
    step(true, BrowserStyle::Occurrence);
    EXPECT_EQ(list.at(*list.currentDatamark()).name, "d");
}

TEST_F(DatamarkNavigatorTest, AssociationsAreFollowedAndFallBackToNature) {
    list.append(at(10, "A"));
    list.append(at(100, "B"));
    list.append(at(200, "C"));
    list.at(0).associations = {"  #b", "#C"};
    list.setCurrentDatamark(0);
    caret = 10;
    EXPECT_EQ(step(true, BrowserStyle::Association), 100u);  // its first association
    EXPECT_EQ(step(true, BrowserStyle::Association), 200u);  // B has none: Nature
    list.at(2).associations = {"#missing"};
    EXPECT_EQ(step(true, BrowserStyle::Association), UINT64_MAX);  // nothing
    list.at(2).associations = {"/data/other.bin#Head"};
    DatamarkNavigator navigator(list, shown, 100000, 16);
    const NavigationTarget target = navigator.step(true, BrowserStyle::Association, caret);
    EXPECT_EQ(target.kind, NavigationTarget::Kind::OtherFile);
    EXPECT_EQ(target.association, "/data/other.bin#Head");
    EXPECT_EQ(list.currentDatamark(), 2u);  // this view's current stays
}

TEST_F(DatamarkNavigatorTest, DatamarksBeyondTheDataAreNeverVisited) {
    list.append(at(10));
    list.append(at(500000));  // beyond the 100,000 bytes
    list.append(at(30));
    list.setCurrentDatamark(0);
    caret = 10;
    EXPECT_EQ(step(true, BrowserStyle::Nature), 30u);
    EXPECT_EQ(step(true, BrowserStyle::Occurrence), 10u);
    list.at(1).name = "far";
    EXPECT_EQ(DatamarkNavigator(list, shown, 100000, 16).follow("#far").kind,
              NavigationTarget::Kind::None);
    list.clear();
    EXPECT_EQ(step(true, BrowserStyle::Occurrence), UINT64_MAX);
}

TEST(SplitAssociationTest, AtTheLastHash) {
    EXPECT_EQ(splitAssociation("/a#b/c.bin#Head")->path, "/a#b/c.bin");
    EXPECT_EQ(splitAssociation("/a#b/c.bin#Head")->name, "Head");
    EXPECT_EQ(splitAssociation("#x")->path, "");
    EXPECT_FALSE(splitAssociation("#").has_value());
    EXPECT_FALSE(splitAssociation("").has_value());
    EXPECT_FALSE(splitAssociation("no hash").has_value());
}

// The reference: sort the shown datamarks by (position, list index) at every step.
std::optional<std::size_t> referenceStep(const DatamarkList& list, bool next, std::uint64_t ref,
                                         const std::function<bool(const CBmitemObj&)>& shown) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (shown(list.at(i))) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return list.at(a).position < list.at(b).position;
    });
    if (order.empty()) {
        return std::nullopt;
    }
    if (next) {
        for (std::size_t i : order) {
            if (list.at(i).position > ref) {
                return i;
            }
        }
        return order.front();
    }
    // The largest position below the reference, first in list order among equals.
    std::optional<std::size_t> best;
    for (std::size_t i : order) {
        if (list.at(i).position < ref && (!best || list.at(i).position > list.at(*best).position)) {
            best = i;
        }
    }
    if (best) {
        return best;
    }
    std::size_t last = order.back();
    for (std::size_t i : order) {
        if (list.at(i).position == list.at(last).position) {
            return i;
        }
    }
    return last;
}

TEST(DatamarkNavigatorRandomTest, OccurrenceStepsAgreeWithASortingReference) {
    const std::uint64_t seed = 44;
    std::mt19937_64 random(seed);
    const auto shown = [](const CBmitemObj& d) { return d.level <= 8; };
    for (int round = 0; round < 200; ++round) {
        DatamarkList list;
        const std::size_t count = 1 + random() % 12;
        for (std::size_t i = 0; i < count; ++i) {
            list.append(at(random() % 64 * 8, "", static_cast<int>(1 + random() % 10)));
        }
        std::uint64_t caret = random() % 520;
        for (int stepIndex = 0; stepIndex < 30; ++stepIndex) {
            const bool next = random() % 2 == 0;
            if (random() % 5 == 0) {
                caret = random() % 520;  // the user moves the caret
            }
            // The reference starts from the caret unless the current one still holds.
            std::uint64_t reference = caret;
            const auto current = list.currentDatamark();
            if (current && shown(list.at(*current)) &&
                list.at(*current).position / 16 == caret / 16) {
                reference = list.at(*current).position;
            }
            const auto expected = referenceStep(list, next, reference, shown);
            DatamarkNavigator navigator(list, shown, 1u << 20, 16);
            const NavigationTarget target = navigator.step(next, BrowserStyle::Occurrence, caret);
            ASSERT_EQ(target.kind == NavigationTarget::Kind::Here, expected.has_value())
                << "seed " << seed << " round " << round << " step " << stepIndex;
            if (expected) {
                ASSERT_EQ(target.index, *expected)
                    << "seed " << seed << " round " << round << " step " << stepIndex;
                list.setCurrentDatamark(target.index);
                caret = list.at(target.index).position;
            }
        }
    }
}

}  // namespace
