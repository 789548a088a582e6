#pragma once

#include <memory>

#include "framework/Vector.h"
#include "editdata/CEditAction.h"

// A history stack that owns its actions: the framework's Stack, with the
// actions it holds destroyed when they leave it other than by pop.
class ActionStack {
public:
    ActionStack() = default;
    ~ActionStack() { clear(); }
    ActionStack(const ActionStack&) = delete;
    ActionStack& operator=(const ActionStack&) = delete;

    int count() const { return stack_.count(); }
    // False (and the action destroyed) when memory runs out.
    bool push(std::unique_ptr<CEditAction> action) {
        if (stack_.push(action.get()) < 0) {
            return false;
        }
        action.release();
        return true;
    }
    std::unique_ptr<CEditAction> pop() {
        Object* item = nullptr;
        return stack_.pop(item) ? std::unique_ptr<CEditAction>(static_cast<CEditAction*>(item))
                                : nullptr;
    }
    // The action at `index`, 0 the oldest.
    CEditAction* at(int index) const {
        Object* item = nullptr;
        return stack_.get(index, item) ? static_cast<CEditAction*>(item) : nullptr;
    }
    bool destroyAt(int index) {
        CEditAction* action = at(index);
        if (action == nullptr || !stack_.removeAt(index)) {
            return false;
        }
        delete action;
        return true;
    }
    void clear() {
        while (count() > 0) {
            pop();
        }
    }

private:
    Stack stack_;
};
