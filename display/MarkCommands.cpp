#include "display/MarkCommands.h"

#include "display/CHexPanel.h"
#include "marks/MarkCommandIds.h"

bool MarkCommands::isMarkCommand(int id) {
    switch (id) {
        case cmd::SearchToggleLinemark:
        case cmd::SearchNextLinemark:
        case cmd::SearchPreviousLinemark:
        case cmd::SearchClearAllLinemarks:
        case cmd::DefineDatamark:
        case cmd::EditDatamarks:
        case cmd::SearchNextDatamark:
        case cmd::SearchPreviousDatamark:
        case cmd::SearchClearAllDatamarks:
        case cmd::SearchSaveAllDatamarks:
        case cmd::BookmarkClearDatamark:
        case cmd::BookmarkEditProperties:
            return true;
        default:
            return false;
    }
}

std::optional<CommandState> MarkCommands::state(int id) {
    if (!isMarkCommand(id)) {
        return std::nullopt;
    }
    const bool marked = panel_ != nullptr && !panel_->linemarks().empty();
    const bool datamarks = panel_ != nullptr && !panel_->datamarks().list().empty();
    switch (id) {
        case cmd::SearchToggleLinemark:
            return CommandState{true, false};  // without a data panel it does nothing
        case cmd::SearchNextLinemark:
        case cmd::SearchPreviousLinemark:
        case cmd::SearchClearAllLinemarks:
            return CommandState{marked, false};
        case cmd::EditDatamarks:
            return CommandState{true, false};
        case cmd::DefineDatamark:
            return CommandState{panel_ != nullptr && panel_->state().attached, false};
        case cmd::SearchNextDatamark:
        case cmd::SearchPreviousDatamark:
        case cmd::SearchClearAllDatamarks:
            return CommandState{datamarks, false};
        case cmd::SearchSaveAllDatamarks:
            return CommandState{datamarks && panel_->hasPath(), false};
        case cmd::BookmarkClearDatamark:
        case cmd::BookmarkEditProperties:
            return CommandState{panel_ != nullptr && panel_->bookmarkMenuDatamark().has_value(),
                                false};
        default:
            return CommandState{false, false};
    }
}

bool MarkCommands::run(int id) {
    if (panel_ == nullptr || !panel_->state().attached ||
        !state(id).value_or(CommandState{}).enabled || panel_->data().isBusy()) {
        return false;
    }
    switch (id) {
        case cmd::SearchToggleLinemark:
            panel_->toggleLinemark();
            return true;
        case cmd::SearchNextLinemark:
            panel_->gotoNextLinemark();
            return true;
        case cmd::SearchPreviousLinemark:
            panel_->gotoPreviousLinemark();
            return true;
        case cmd::SearchClearAllLinemarks:
            panel_->linemarks().clear();
            return true;
        default:
            return false;
    }
}
