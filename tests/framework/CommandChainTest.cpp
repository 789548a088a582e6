#include "framework/CommandTarget.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A target that owns the ids it was given, with their states, and writes
// down what it ran.
class TableTarget : public CommandTarget {
  public:
    explicit TableTarget(std::map<int, CommandState> table) : table_(std::move(table)) {}
    std::optional<CommandState> state(int id) override {
        const auto found = table_.find(id);
        return found == table_.end() ? std::nullopt : std::optional(found->second);
    }
    bool run(int id) override {
        ran.push_back(id);
        return table_.at(id).enabled;
    }
    std::vector<int> ran;

  private:
    std::map<int, CommandState> table_;
};

TEST(CommandChainTest, TheFirstTargetThatKnowsACommandAnswersAndRunsIt) {
    TableTarget view({{1, {true, false}}, {2, {false, false}}});
    TableTarget frame({{2, {true, true}}, {3, {true, false}}});
    const CommandChain chain{&view, &frame};
    EXPECT_EQ(chain.state(1), (CommandState{true, false}));
    EXPECT_EQ(chain.state(2), (CommandState{false, false}));  // the view's, though disabled
    EXPECT_EQ(chain.state(3), (CommandState{true, false}));
    EXPECT_EQ(chain.state(4), CommandState{});  // nobody's: disabled
    EXPECT_FALSE(chain.knows(4));
    EXPECT_TRUE(chain.run(3));
    EXPECT_FALSE(chain.run(2));
    EXPECT_FALSE(chain.run(4));
    EXPECT_EQ(view.ran, std::vector<int>{2});
    EXPECT_EQ(frame.ran, std::vector<int>{3});
}

}  // namespace
