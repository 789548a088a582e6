// Defining datamarks without the dialog: the advanced find's steps, every
// operator and relation against 128-bit arithmetic, the checks of "Add
// Datamark", and clearing with the disconnection of associations.
#include <gtest/gtest.h>

#include <random>

#include "marks/AdvancedFind.h"
#include "marks/DatamarkClearing.h"
#include "marks/DatamarkDefinition.h"
#include "marks/DatamarkList.h"
#include "marks/DatamarkProperties.h"
#include "marks/DatamarkStore.h"
#include "tests/search/SearchTestSupport.h"
#include "tests/support/FakeProgressRunner.h"
#include "tests/support/ScriptedMessageService.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string operation(int op, const char* a, const char* b) {
    const auto result = advancedOperation(op, advancedBytes(a), advancedBytes(b));
    return result ? advancedText(*result) : "none";
}

TEST(AdvancedFindTest, TheDocumentedResults) {
    EXPECT_EQ(operation(markop::Add, "ff", "01"), "01 00 ");
    EXPECT_EQ(operation(markop::Add, "ce 01", "00"), "ce 01 ");
    EXPECT_EQ(operation(markop::Not, "0f f0", "zz"), "f0 0f ");
    EXPECT_EQ(operation(markop::Not, "0f f0", ""), "f0 0f ");
    EXPECT_EQ(operation(markop::Divide, "12", "00"), "none");
    EXPECT_EQ(operation(markop::Mod, "12", "00"), "none");
    EXPECT_EQ(operation(markop::Add, "12", ""), "none");
    EXPECT_EQ(operation(markop::Subtract, "01", "02"), "none");
    EXPECT_EQ(operation(markop::Subtract, "05", "05"), "00 ");
    EXPECT_EQ(operation(markop::Subtract, "00", "00"), "00 ");
    EXPECT_EQ(operation(markop::Mod, "06", "03"), "00 ");
    EXPECT_EQ(operation(markop::Mod, "03", "03"), "00 ");
    EXPECT_EQ(operation(markop::And, "12 34", "ff"), "00 34 ");  // right-aligned
    EXPECT_EQ(operation(markop::ShiftLeft, "01 80", "01"), "03 00 ");
    EXPECT_EQ(operation(markop::ShiftRight, "01 80", "00 00 00 04"),
              "00 00 00 18 ");  // width of both
    EXPECT_EQ(operation(markop::ShiftLeft, "01", "00"), "none");
    EXPECT_EQ(operation(markop::ShiftLeft, "01", "80 00 00 00"), "none");
    EXPECT_EQ(operation(markop::ShiftLeft, "01", "01 00 00 00 01"), "none");
    EXPECT_EQ(operation(markop::ShiftLeft, "01", "7f ff ff ff"), "00 00 00 00 ");
    EXPECT_EQ(presetOperand(markop::Multiply, "ab "), "01 ");
    EXPECT_EQ(presetOperand(markop::Xor, "ab "), "ab ");
    EXPECT_EQ(presetOperand(markop::ShiftRight, "ab "), "00 ");
}

__extension__ using u128 = unsigned __int128;

u128 valueOf(const Bytes& bytes) {
    u128 value = 0;
    for (std::uint8_t byte : bytes) {
        value = value << 8 | byte;
    }
    return value;
}

TEST(AdvancedFindTest, EveryOperatorAndRelationAgreesWith128BitArithmetic) {
    const std::uint64_t seed = 128;
    std::mt19937_64 random(seed);
    for (int round = 0; round < 3000; ++round) {
        Bytes a(1 + random() % 8);
        Bytes b(1 + random() % 8);
        for (auto& byte : a) {
            byte = static_cast<std::uint8_t>(random() % 3 == 0 ? 0 : random());
        }
        for (auto& byte : b) {
            byte = static_cast<std::uint8_t>(random() % 3 == 0 ? 0 : random());
        }
        const u128 x = valueOf(a);
        const u128 y = valueOf(b);
        const std::size_t width = std::max(a.size(), b.size());
        const u128 mask = width == 16 ? ~u128{0} : (u128{1} << (8 * width)) - 1;
        SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
        const auto check = [&](int op, std::optional<u128> expected) {
            const auto result = advancedOperation(op, a, b);
            ASSERT_EQ(result.has_value(), expected.has_value()) << op;
            if (expected) {
                EXPECT_EQ(valueOf(*result), *expected) << op;
            }
        };
        check(markop::Add, x + y);
        check(markop::Subtract, x >= y ? std::optional<u128>(x - y) : std::nullopt);
        check(markop::Multiply, x * y);
        check(markop::Divide, y != 0 ? std::optional<u128>(x / y) : std::nullopt);
        check(markop::Mod, y != 0 ? std::optional<u128>(x % y) : std::nullopt);
        check(markop::And, x & y);
        check(markop::Or, x | y);
        check(markop::Xor, x ^ y);
        check(markop::Not, ~x & mask);
        const bool shiftable = y >= 1 && y <= 2147483647u;
        check(markop::ShiftLeft,
              shiftable
                  ? std::optional<u128>(y >= 8 * width ? 0 : (x << static_cast<int>(y)) & mask)
                  : std::nullopt);
        check(markop::ShiftRight,
              shiftable ? std::optional<u128>(y >= 8 * width ? 0 : x >> static_cast<int>(y))
                        : std::nullopt);
        EXPECT_EQ(advancedComparison(markop::Equal, a, b), x == y);
        EXPECT_EQ(advancedComparison(markop::NotEqual, a, b), x != y);
        EXPECT_EQ(advancedComparison(markop::GreaterOrEqual, a, b), x >= y);
        EXPECT_EQ(advancedComparison(markop::LessOrEqual, a, b), x <= y);
        EXPECT_EQ(advancedComparison(markop::Greater, a, b), x > y);
        EXPECT_EQ(advancedComparison(markop::Less, a, b), x < y);
        if (HasFailure()) {
            return;
        }
    }
}

// A view over a store of the given bytes.
class FakeView : public DefinitionView {
  public:
    explicit FakeView(const std::string& bytes) : store_(bytes) {}
    CEditData& data() override { return store_.store(); }
    std::uint64_t caretOffset() const override { return caret; }
    bool hasSelection() const override { return selected.has_value(); }
    void selectMatch(std::uint64_t offset, std::uint64_t length) override {
        selected = {offset, length};
        caret = offset;
    }
    void showCaret() override { selected.reset(); }
    std::vector<std::uint8_t> selectedBytes(std::size_t) override { return {}; }
    int lineWidth() const override { return 16; }
    std::string documentPath() const override { return path; }
    DatamarkList& datamarks() override { return list; }
    void datamarksChanged(bool withPath) override {
        ++changes;
        modified = modified || withPath;
    }

    std::uint64_t caret = 0;
    std::optional<std::pair<std::uint64_t, std::uint64_t>> selected;
    std::string path = "/data/file.bin";
    DatamarkList list;
    int changes = 0;
    bool modified = false;

  private:
    searchtest::StoreOf store_;
};

class DatamarkDefinitionTest : public testing::Test {
  protected:
    platform::StringTable strings{datamarkStrings()};
    testsupport::ScriptedMessageService messages{strings};
    FakeView view{std::string("\x00\x11\xce\x42\x99\xce\x07\x00", 8)};
    DatamarkDefinition definition{view, messages, true};
};

TEST_F(DatamarkDefinitionTest, AdvancedFindOperateCompareThenAdd) {
    EXPECT_FALSE(definition.propertiesEnabled());
    definition.findString = "CE ..";
    ASSERT_TRUE(definition.find());
    EXPECT_EQ(view.selected, std::make_pair(std::uint64_t{2}, std::uint64_t{2}));
    EXPECT_EQ(definition.findResult, "ce 42 ");
    EXPECT_EQ(definition.operateString, "00 ");
    EXPECT_EQ(definition.operateResult, "ce 42 ");
    EXPECT_EQ(definition.compareString, "ce 42 ");
    EXPECT_TRUE(definition.compareEnabled());
    EXPECT_FALSE(definition.propertiesEnabled());
    ASSERT_TRUE(definition.compare());
    EXPECT_TRUE(definition.propertiesEnabled());

    definition.name = "Tag";
    definition.level = 3;
    ASSERT_TRUE(definition.add());
    ASSERT_EQ(view.list.size(), 1u);
    const CBmitemObj& added = view.list.at(0);
    EXPECT_EQ(added.position, 2u);
    EXPECT_EQ(added.filePath, "/data/file.bin");
    EXPECT_EQ(added.findResultString, "ce 42 ");
    EXPECT_EQ(added.level, 3);
    EXPECT_FALSE(added.normalDatamark);
    EXPECT_TRUE(view.modified);
    EXPECT_EQ(definition.name, "");
    EXPECT_EQ(messages.shownIds(), std::vector<int>{marktext::kDefined});

    // "F" again on the selected match finds the next one.
    ASSERT_TRUE(definition.find());
    EXPECT_EQ(view.selected->first, 5u);
    // A false comparison closes the properties again.
    definition.compareOperator = markop::NotEqual;
    EXPECT_FALSE(definition.compare());
    EXPECT_FALSE(definition.propertiesEnabled());
}

TEST_F(DatamarkDefinitionTest, AFailedFindClosesTheLaterStepsSilently) {
    definition.findString = "ce ..";
    ASSERT_TRUE(definition.find());
    definition.findString = "ab cd";
    EXPECT_FALSE(definition.find());
    EXPECT_FALSE(definition.operateEnabled());
    EXPECT_FALSE(definition.compareEnabled());
    EXPECT_TRUE(messages.shownIds().empty());
}

TEST_F(DatamarkDefinitionTest, FindContinuesFromTheStartPastTheCaret) {
    view.caret = 6;
    definition.findString = "11";
    ASSERT_TRUE(definition.find());
    EXPECT_EQ(view.selected->first, 1u);
}

TEST_F(DatamarkDefinitionTest, AddChecksInOrder) {
    const auto refused = [&](int id) {
        const std::size_t before = messages.shownIds().size();
        EXPECT_FALSE(definition.add());
        ASSERT_EQ(messages.shownIds().size(), before + 1);
        EXPECT_EQ(messages.shownIds().back(), id);
    };
    refused(marktext::kNoName);
    definition.name = "a#b";
    refused(marktext::kHashInName);
    definition.name = "Head";
    refused(marktext::kUseAdvancedFind);
    definition.findString = "ce";
    ASSERT_TRUE(definition.find());
    definition.operateString.clear();
    refused(marktext::kIncomplete);

    definition.setNormal(true);
    EXPECT_TRUE(definition.propertiesEnabled());
    view.caret = 0;
    ASSERT_TRUE(definition.add());
    definition.name = "HEAD";
    refused(marktext::kNameUsed);
}

TEST_F(DatamarkDefinitionTest, ANormalDatamarkNearAnotherAsksFirst) {
    definition.setNormal(true);
    CBmitemObj near;
    near.name = "near";
    near.position = 100;
    view.list.append(near);
    view.caret = 110;  // 10 bytes away on a 16-byte line
    definition.name = "close";
    messages.answer(platform::MessageAnswer::Cancel);
    EXPECT_FALSE(definition.add());
    EXPECT_EQ(messages.shownIds().back(), marktext::kNearby);
    view.caret = 140;  // 40 bytes away: no question
    ASSERT_TRUE(definition.add());
    EXPECT_EQ(messages.shownIds().back(), marktext::kDefined);
    EXPECT_EQ(view.list.at(1).position, 140u);
    EXPECT_TRUE(view.list.at(1).normalDatamark);
}

class DatamarkClearingTest : public testing::Test {
  protected:
    static CBmitemObj mark(std::string name, std::vector<std::string> associations = {}) {
        CBmitemObj datamark;
        datamark.filePath = "/f";
        datamark.name = std::move(name);
        datamark.associations = std::move(associations);
        return datamark;
    }
    ClearConfirmation confirmation(std::vector<ClearConfirmation::Answer> answers) {
        return ClearConfirmation(true, [this, answers](bool, bool) mutable {
            ++asked;
            const auto answer = answers.empty() ? ClearConfirmation::Answer{} : answers.front();
            if (!answers.empty()) {
                answers.erase(answers.begin());
            }
            return answer;
        });
    }

    testsupport::TempDir dir;
    platform::Registry registry{dir.file("r.sqlite")};
    DatamarkStore store{registry,
                        registry.createKey(platform::RegistryRoot::CurrentUser, "Bookmark")};
    int asked = 0;
};

TEST_F(DatamarkClearingTest, ReferrersInTheFileAreAskedEachUntilNoLongerHint) {
    DatamarkList list;
    list.append(mark("target"));
    list.append(mark("one", {"#TARGET", "#other", "#target"}));
    list.append(mark("two", {"#target"}));
    ClearConfirmation confirm = confirmation({{true, false, true}, {false, false, true}});
    EXPECT_TRUE(clearDatamark(list, 0, store, confirm));
    EXPECT_EQ(asked, 2);
    ASSERT_EQ(list.size(), 2u);
    // Only the last association naming it is considered, and only on yes.
    EXPECT_EQ(list.at(0).associations, (std::vector<std::string>{"#TARGET", "#other"}));
    EXPECT_EQ(list.at(1).associations, (std::vector<std::string>{"#target"}));

    // Ticked "No Longer Hint" with "Auto Disconnect": later clears disconnect unasked.
    list.append(mark("three", {"#two"}));
    ClearConfirmation quiet = confirmation({{true, true, true}});
    list.append(mark("four", {"#two"}));
    clearDatamark(list, 1, store, quiet);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(list.at(1).associations.empty());
    EXPECT_TRUE(list.at(2).associations.empty());
}

TEST_F(DatamarkClearingTest, ReferrersInTheStoreAreDisconnectedAndSaved) {
    CBmitemObj other = mark("pointer", {"/f#gone", "/f#kept"});
    other.filePath = "/other";
    store.saveDatamark(other);
    DatamarkList list;
    list.append(mark("gone"));
    list.append(mark("kept"));
    ClearConfirmation confirm = confirmation({{true, false, true}});
    EXPECT_TRUE(clearAllDatamarks(list, store, confirm));
    EXPECT_TRUE(list.empty());
    // Cleared last to first: "kept" is disconnected (yes), "gone" is not (no).
    EXPECT_EQ(store.loadDatamarks("/other").datamarks.at(0).associations,
              std::vector<std::string>{"/f#gone"});
    EXPECT_EQ(asked, 2);
}

}  // namespace

namespace {

class DatamarkPropertiesTest : public testing::Test {
  protected:
    static CBmitemObj advanced(std::uint64_t position, const char* found) {
        CBmitemObj datamark;
        datamark.filePath = "/f";
        datamark.name = "adv";
        datamark.position = position;
        datamark.findString = "ce ..";
        datamark.findResultString = found;
        datamark.operateString = "00 ";
        datamark.operateResultString = found;
        datamark.compareString = found;
        return datamark;
    }
    searchtest::StoreOf store{std::string("\x00\x11\xce\x42\x99", 5)};
};

TEST_F(DatamarkPropertiesTest, ValidWhileTheDataStillHoldsWhatWasFound) {
    EXPECT_TRUE(DatamarkProperties(advanced(2, "ce 42 ")).validate(store.store()).valid);
    EXPECT_EQ(DatamarkProperties(advanced(2, "ce 42 ")).validate(store.store()).length, 2u);
    EXPECT_FALSE(DatamarkProperties(advanced(1, "ce 42 ")).validate(store.store()).valid);
    EXPECT_FALSE(DatamarkProperties(advanced(4, "99 00 ")).validate(store.store()).valid);
    CBmitemObj normal;
    normal.normalDatamark = true;
    normal.position = 4;
    EXPECT_TRUE(DatamarkProperties(normal).validate(store.store()).valid);
    normal.position = 5;
    EXPECT_FALSE(DatamarkProperties(normal).validate(store.store()).valid);
}

TEST_F(DatamarkPropertiesTest, OkChecksAndWhatIsCopiedBack) {
    DatamarkList list;
    list.append(advanced(2, "ce 42 "));
    CBmitemObj other = advanced(3, "42 ");
    other.name = "Other";
    list.append(other);
    DatamarkProperties properties(list.at(0));
    properties.name = "";
    EXPECT_EQ(properties.checkFromView(list, 0), marktext::kNoName);
    properties.name = "a#b";
    EXPECT_EQ(properties.checkFromView(list, 0), marktext::kHashInName);
    properties.name = "OTHER";
    EXPECT_EQ(properties.checkFromView(list, 0), marktext::kNameUsed);
    properties.name = "ADV";  // its own name in another case is no clash
    EXPECT_EQ(properties.checkFromView(list, 0), 0);
    properties.normal = true;
    properties.level = 40;
    const CBmitemObj accepted = properties.accepted();
    EXPECT_TRUE(accepted.normalDatamark);
    EXPECT_TRUE(accepted.findResultString.empty());
    EXPECT_EQ(accepted.level, 40);
    EXPECT_EQ(accepted.position, 2u);

    CBmitemObj incomplete = advanced(2, "ce 42 ");
    incomplete.compareString.clear();
    EXPECT_EQ(DatamarkProperties(incomplete).checkFromView(list, 0), marktext::kIncomplete);
}

TEST_F(DatamarkPropertiesTest, FromEditDatamarksANameTheStoreHoldsIsRefused) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("r.sqlite"));
    DatamarkStore marks(registry, registry.createKey(platform::RegistryRoot::CurrentUser, "B"));
    CBmitemObj taken = advanced(0, "00 ");
    taken.name = "taken";
    marks.saveDatamark(taken);
    DatamarkProperties properties(advanced(2, "ce 42 "));
    properties.name = "Taken";
    EXPECT_EQ(properties.checkFromStore(marks), marktext::kStoredNameUsed);
    properties.name = "free";
    EXPECT_EQ(properties.checkFromStore(marks), 0);
}

}  // namespace

namespace {

TEST(DatamarkDefinitionLargeTest, AFindOverMoreThanFourMebibytesRunsUnderTheProgressDialog) {
    std::string bytes(5 << 20, '\x11');
    bytes[(5 << 20) - 10] = '\xce';
    FakeView view(bytes);
    platform::StringTable strings{datamarkStrings(), searchStrings()};
    testsupport::ScriptedMessageService messages{strings};
    testsupport::FakeProgressRunner runner;
    DatamarkDefinition definition(view, messages, true);
    definition.setProgressRunner(&runner);
    definition.findString = "ce";
    ASSERT_TRUE(definition.find());
    EXPECT_EQ(view.selected->first, (5u << 20) - 10);
    ASSERT_EQ(runner.runs().size(), 1u);
    EXPECT_EQ(runner.runs()[0].captionId, searchtext::kFindCaption);
    EXPECT_TRUE(runner.runs()[0].cancellable);

    // Cancel counts as not found, silently.
    view.caret = 0;
    view.selected.reset();
    runner.cancelAtReport(1);
    EXPECT_FALSE(definition.find());
    EXPECT_FALSE(definition.operateEnabled());
    EXPECT_TRUE(messages.shownIds().empty());
}

}  // namespace
