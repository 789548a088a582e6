#include "display/PresentationCommands.h"

#include <algorithm>
#include <array>

#include "display/CHexPanel.h"
#include "display/ViewCommandIds.h"

namespace {

constexpr std::array kIds{
    cmd::ViewPanelHeader,     cmd::ViewBookmarkPanel,    cmd::ViewAddressPanel,
    cmd::ViewCharacterPanel,  cmd::ViewBookmarkTips,     cmd::ViewPageTips,
    cmd::ViewUnitByte,        cmd::ViewUnitShort,        cmd::ViewUnitLong,
    cmd::ViewUnitInt64,       cmd::ViewUnitMulti,        cmd::ViewClearIndent,
    cmd::ViewIncreaseIndent,  cmd::ViewDecreaseIndent,   cmd::ViewExtendLineWidth,
    cmd::ViewShrinkLineWidth, cmd::ViewExtendPageHeight, cmd::ViewShrinkPageHeight,
    cmd::ViewDecimalAddress,  cmd::ViewDataStartAddress,
};

// The data unit of a unit command, or 0.
int unitOf(int id) {
    switch (id) {
        case cmd::ViewUnitByte:
            return 1;
        case cmd::ViewUnitShort:
            return 2;
        case cmd::ViewUnitLong:
            return 4;
        case cmd::ViewUnitInt64:
            return 8;
        default:
            return 0;
    }
}

}  // namespace

bool PresentationCommands::isPresentationCommand(int id) {
    return std::find(kIds.begin(), kIds.end(), id) != kIds.end();
}

std::span<const int> PresentationCommands::ids() {
    return kIds;
}

bool PresentationCommands::isEnabled(int id) const {
    if (panel_ == nullptr || !isPresentationCommand(id) || panel_->data().isBusy()) {
        return false;
    }
    const ViewState& state = panel_->state();
    const CPresentation& p = state.presentation;
    if (id >= cmd::ViewPanelHeader && id <= cmd::ViewPageTips) {
        return true;  // the panels can be toggled with or without a file
    }
    if (!state.attached) {
        return false;
    }
    if (const int unit = unitOf(id)) {
        return !p.isCurrentUnit(unit) && unit <= p.lineWidth();
    }
    switch (id) {
        case cmd::ViewClearIndent:
            return p.canClearIndent();
        case cmd::ViewExtendLineWidth:
            return p.canExtendLineWidth(panel_->maxLineWidth());
        case cmd::ViewShrinkLineWidth:
            return p.canShrinkLineWidth(panel_->minLineWidth());
        case cmd::ViewExtendPageHeight:
            return p.canExtendPageHeight();
        case cmd::ViewShrinkPageHeight:
            return p.canShrinkPageHeight();
        default:
            return true;  // Multibytes, Increase and Decrease Indent
    }
}

std::optional<CommandState> PresentationCommands::state(int id) {
    if (!isPresentationCommand(id)) {
        return std::nullopt;
    }
    return CommandState{isEnabled(id), isChecked(id)};
}

bool PresentationCommands::isCheckable(int id) {
    return (id >= cmd::ViewPanelHeader && id <= cmd::ViewPageTips) || unitOf(id) != 0 ||
           id == cmd::ViewDecimalAddress;
}

bool PresentationCommands::isChecked(int id) const {
    if (panel_ == nullptr) {
        return false;
    }
    const ViewState& state = panel_->state();
    switch (id) {
        case cmd::ViewPanelHeader:
            return state.shown.header;
        case cmd::ViewBookmarkPanel:
            return state.shown.mark;
        case cmd::ViewAddressPanel:
            return state.shown.address;
        case cmd::ViewCharacterPanel:
            return state.shown.character;
        case cmd::ViewBookmarkTips:
            return state.shown.bookmarkTips;
        case cmd::ViewPageTips:
            return state.shown.pageTips;
        case cmd::ViewDecimalAddress:
            return state.attached && !state.presentation.hexAddresses();
        default:
            break;
    }
    const int unit = unitOf(id);
    return unit != 0 && state.attached && state.presentation.isCurrentUnit(unit);
}

bool PresentationCommands::run(int id) {
    if (!isEnabled(id)) {
        return false;
    }
    CHexPanel& p = *panel_;
    if (const int unit = unitOf(id)) {
        return p.changeUnit(unit);
    }
    switch (id) {
        case cmd::ViewPanelHeader:
            p.toggleHeader();
            return true;
        case cmd::ViewBookmarkPanel:
            p.toggleMarkPanel();
            return true;
        case cmd::ViewAddressPanel:
            p.toggleAddressPanel();
            return true;
        case cmd::ViewCharacterPanel:
            p.toggleCharacterPanel();
            return true;
        case cmd::ViewBookmarkTips:
            p.toggleBookmarkTips();
            return true;
        case cmd::ViewPageTips:
            p.togglePageTips();
            return true;
        case cmd::ViewClearIndent:
            return p.clearIndent();
        case cmd::ViewIncreaseIndent:
            return p.increaseIndent();
        case cmd::ViewDecreaseIndent:
            return p.decreaseIndent();
        case cmd::ViewExtendLineWidth:
            return p.changeLineWidth(1);
        case cmd::ViewShrinkLineWidth:
            return p.changeLineWidth(-1);
        case cmd::ViewExtendPageHeight:
            return p.changePageHeight(1);
        case cmd::ViewShrinkPageHeight:
            return p.changePageHeight(-1);
        case cmd::ViewDecimalAddress:
            p.toggleAddressBase();
            return true;
        default:
            return false;  // Multibytes and Data Start Address ask for their value first
    }
}
