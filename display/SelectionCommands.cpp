#include "display/SelectionCommands.h"

#include "display/CHexPanel.h"
#include "display/ViewCommandIds.h"

bool SelectionCommands::isSelectionCommand(int id) {
    switch (id) {
        case cmd::EditSelectAll:
        case cmd::EditSelectLine:
        case cmd::EditSelectRange:
        case cmd::EditSelectColumnBlock:
        case cmd::EditGoTo:
            return true;
        default:
            return false;
    }
}

std::optional<CommandState> SelectionCommands::state(int id) {
    if (!isSelectionCommand(id)) {
        return std::nullopt;
    }
    const bool available =
        panel_ != nullptr && panel_->state().attached && !panel_->data().isBusy();
    return CommandState{available, false};
}

bool SelectionCommands::run(int id) {
    if (!state(id).value_or(CommandState{}).enabled) {
        return false;
    }
    if (id == cmd::EditSelectAll) {
        panel_->selectAll();
        return true;
    }
    if (id == cmd::EditSelectLine) {
        panel_->selectLine();
        return true;
    }
    return false;
}
