#pragma once

#include <optional>
#include <vector>

// Commands travel by their numeric ids. A target answers for the commands it
// owns: whether each is enabled and checked now, and running it. Targets are
// asked in a chain (view, document, frame); the first that knows an id
// answers for it, so a subsystem adds its commands by adding a target.
struct CommandState {
    bool enabled = false;
    bool checked = false;
    bool operator==(const CommandState&) const = default;
};

class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // The state of command `id`, or nothing when it is not this target's.
    virtual std::optional<CommandState> state(int id) = 0;
    // Runs command `id`; false when it is not this target's or is disabled.
    virtual bool run(int id) = 0;
};

// Targets asked in order. Without any target that knows it, a command is
// disabled.
class CommandChain {
  public:
    CommandChain() = default;
    CommandChain(std::initializer_list<CommandTarget*> targets) : targets_(targets) {}
    void append(CommandTarget* target) { targets_.push_back(target); }

    CommandState state(int id) const;
    // Whether some target knows `id` at all.
    bool knows(int id) const;
    bool run(int id) const;

  private:
    std::vector<CommandTarget*> targets_;
};

// One entry of a menu table: a command id and its text; id 0 is a separator.
struct MenuItem {
    int id = 0;
    const char* text = "";
};
