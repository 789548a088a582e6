#include "framework/CommandTarget.h"

CommandState CommandChain::state(int id) const {
    for (CommandTarget* target : targets_) {
        if (target != nullptr) {
            if (const auto answer = target->state(id)) {
                return *answer;
            }
        }
    }
    return {};
}

bool CommandChain::knows(int id) const {
    for (CommandTarget* target : targets_) {
        if (target != nullptr && target->state(id).has_value()) {
            return true;
        }
    }
    return false;
}

bool CommandChain::run(int id) const {
    for (CommandTarget* target : targets_) {
        if (target != nullptr && target->state(id).has_value()) {
            return target->run(id);
        }
    }
    return false;
}
