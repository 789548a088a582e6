#include "display/EditCommands.h"

#include <array>

#include "display/EditCommandIds.h"
#include "platform/Clipboard.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"

namespace {

constexpr std::array kStrings{
    platform::StringEntry{edittext::kInsertionPoint, "Choose Insertion Point"},
    platform::StringEntry{edittext::kOverwritePoint, "Choose Overwrite Point"},
    platform::StringEntry{edittext::kSetDataSize, "Set Data Size"},
    platform::StringEntry{edittext::kExpandTooLarge, "The data size to expand is too large"},
    platform::StringEntry{edittext::kCannotExpand, "Can't expand the data"},
    platform::StringEntry{edittext::kOverwriteNoRoom,
                          "The clipboard data do not fit between this point and the end of the "
                          "data: nothing was overwritten"},
    platform::StringEntry{modifytext::kLengthOutOfScope,
                          "Data (length) is out of the scope of the file"},
    platform::StringEntry{modifytext::kAddressOutOfScope,
                          "Data start address is out of the scope of the file"},
    platform::StringEntry{modifytext::kEnterLength, "Please enter data length"},
    platform::StringEntry{modifytext::kModifySelection, "Modify the selected data ?"},
};

constexpr std::array kEditIds{
    cmd::EditUndo,
    cmd::EditRedo,
    cmd::EditQuickUndo,
    cmd::EditQuickRedo,
    cmd::EditCut,
    cmd::EditCopy,
    cmd::EditPaste,
    cmd::EditDelete,
    cmd::EditOverwrite,
    cmd::EditCopyAsHexText,
    cmd::EditCopyAsHexTextC,
    cmd::EditPasteToBeginning,
    cmd::EditPasteToEnd,
    cmd::EditPasteToCurrent,
    cmd::EditPasteToSpecified,
    cmd::EditOverwriteToBeginning,
    cmd::EditOverwriteToEnd,
    cmd::EditOverwriteToCurrent,
    cmd::EditOverwriteToSpecified,
    cmd::EditSetDataSize,
    cmd::EditModifyData,
    cmd::EditSwapData,
    cmd::EditReadOnly,
};

}  // namespace

std::span<const platform::StringEntry> editCommandStrings() {
    return kStrings;
}

bool EditCommands::isEditCommand(int id) {
    return std::find(kEditIds.begin(), kEditIds.end(), id) != kEditIds.end();
}

bool EditCommands::isEnabled(int id) const {
    CHexPanel& panel = panel_;
    if (panel.data().isBusy()) {
        return false;  // a worker has the store
    }
    const bool attached = panel.state().attached;
    const bool editable = panel.editor().isEditable();
    const bool selected = attached && panel.hasSelection();
    switch (id) {
        case cmd::EditUndo:
        case cmd::EditQuickUndo:
            return editable && panel.data().getUndoCount() > 0;
        case cmd::EditRedo:
        case cmd::EditQuickRedo:
            return editable && panel.data().getRedoCount() > 0;
        case cmd::EditCut:
        case cmd::EditDelete:
            return editable && selected;
        case cmd::EditCopy:
        case cmd::EditCopyAsHexText:
        case cmd::EditCopyAsHexTextC:
            return selected;
        case cmd::EditPaste:
        case cmd::EditOverwrite:
        case cmd::EditPasteToBeginning:
        case cmd::EditPasteToEnd:
        case cmd::EditPasteToCurrent:
        case cmd::EditPasteToSpecified:
        case cmd::EditOverwriteToBeginning:
        case cmd::EditOverwriteToEnd:
        case cmd::EditOverwriteToCurrent:
        case cmd::EditOverwriteToSpecified:
            return canPaste();
        case cmd::EditSetDataSize:
        case cmd::EditModifyData:
            return editable;
        case cmd::EditSwapData:
            return panel.editor().canSwapData();
        case cmd::EditReadOnly:
            return panel.editor().canToggleReadOnly();
        default:
            return false;
    }
}

bool EditCommands::canPaste() const {
    if (!canPaste_) {
        const DataEditor& editor = panel_.editor();
        canPaste_ = pasteAvailable_
                        ? editor.isEditable() && editor.clipboard() != nullptr && *pasteAvailable_
                        : editor.canPaste();
    }
    return *canPaste_;
}

std::optional<CommandState> EditCommands::state(int id) {
    if (!isEditCommand(id)) {
        return std::nullopt;
    }
    return CommandState{isEnabled(id), isChecked(id)};
}

bool EditCommands::isChecked(int id) const {
    return id == cmd::EditReadOnly && panel_.state().attached && panel_.data().isReadOnly();
}

bool EditCommands::run(int id) {
    if (!isEnabled(id)) {
        return false;
    }
    using Point = DataEditor::EditPoint;
    switch (id) {
        case cmd::EditUndo:
        case cmd::EditRedo:
            // The view follows the store's announcement.
            id == cmd::EditUndo ? panel_.data().undo(0) : panel_.data().redo(0);
            return true;
        case cmd::EditCut:
            cut();
            return true;
        case cmd::EditCopy:
            copy();
            return true;
        case cmd::EditDelete:
            panel_.editor().deleteSelection();
            return true;
        case cmd::EditCopyAsHexText:
            copyAsHexText(kClipboardHexForm);
            return true;
        case cmd::EditCopyAsHexTextC:
            copyAsHexText(kClipboardCForm);
            return true;
        case cmd::EditPaste:
        case cmd::EditPasteToCurrent:
            panel_.editor().pasteAt(Point::Caret);
            return true;
        case cmd::EditPasteToBeginning:
            panel_.editor().pasteAt(Point::Beginning);
            return true;
        case cmd::EditPasteToEnd:
            panel_.editor().pasteAt(Point::End);
            return true;
        case cmd::EditOverwrite:
        case cmd::EditOverwriteToCurrent:
            overwrite(Point::Caret);
            return true;
        case cmd::EditOverwriteToBeginning:
            overwrite(Point::Beginning);
            return true;
        case cmd::EditOverwriteToEnd:
            overwrite(Point::End);
            return true;
        case cmd::EditReadOnly:
            panel_.editor().toggleReadOnly();
            return true;
        default:
            return false;  // the quick lists and the dialog commands
    }
}

bool EditCommands::reportCopy(CopyResult result) {
    if (result == CopyResult::NoMemory) {
        messages_.show(kNoMemoryMessage, {platform::MessageIcon::Stop});
    }
    if (result == CopyResult::TooLarge) {
        const std::uint64_t limit = panel_.editor().maxCopySize();
        messages_.show(kCopyLimitMessage, {platform::MessageIcon::Information},
                       {copyLimitInMegabytes(limit)});
    }
    return result == CopyResult::Copied;
}

void EditCommands::copy() {
    reportCopy(panel_.editor().copySelection());
}

void EditCommands::cut() {
    if (panel_.editor().isEditable() && reportCopy(panel_.editor().copySelection())) {
        panel_.editor().deleteSelection();
    }
}

void EditCommands::copyAsHexText(const HexItemForm& form) {
    reportCopy(panel_.editor().copySelectionAsHexText(form));
}

void EditCommands::copyFilePath(const std::string& path) {
    platform::Clipboard* clipboard = panel_.editor().clipboard();
    if (path.empty() || clipboard == nullptr) {
        return;
    }
    platform::ClipboardSession session(*clipboard);
    if (session.isOpen()) {
        session.empty();
        clipboard->writeText(path);
    }
}

void EditCommands::setDataSize(std::uint64_t size) {
    switch (panel_.editor().setDataSize(size)) {
        case DataEditor::SizeChange::TooLarge:
            messages_.show(edittext::kExpandTooLarge, {platform::MessageIcon::Exclamation});
            break;
        case DataEditor::SizeChange::CannotExpand:
            messages_.show(edittext::kCannotExpand, {platform::MessageIcon::Exclamation});
            break;
        default:
            break;
    }
}

std::optional<EditCommands::PointQuestion> EditCommands::specifiedPointQuestion(
    bool overwrite) const {
    if (!panel_.editor().canPaste()) {
        return std::nullopt;
    }
    const auto start = static_cast<std::int64_t>(panel_.state().presentation.dataStartAddress());
    const auto size = static_cast<std::int64_t>(panel_.state().dataSize);
    return PointQuestion{overwrite ? edittext::kOverwritePoint : edittext::kInsertionPoint, start,
                         start + size, start + static_cast<std::int64_t>(panel_.caretOffset())};
}

void EditCommands::putAtSpecifiedPoint(bool overwrite, std::int64_t address) {
    const auto start = static_cast<std::int64_t>(panel_.state().presentation.dataStartAddress());
    if (address < start) {
        return;
    }
    const auto offset = static_cast<std::uint64_t>(address - start);
    if (overwrite) {
        this->overwrite(DataEditor::EditPoint::Offset, offset);
    } else {
        panel_.editor().pasteAt(DataEditor::EditPoint::Offset, offset);
    }
}

void EditCommands::overwrite(DataEditor::EditPoint point, std::uint64_t offset) {
    if (!panel_.editor().canPaste()) {
        return;
    }
    if (!panel_.editor().overwriteFits(point, offset)) {
        messages_.show(edittext::kOverwriteNoRoom, {platform::MessageIcon::Information});
        return;
    }
    panel_.editor().overwriteAt(point, offset);
}

void EditCommands::modifyData(const ModifyDataRequest& request) {
    const std::uint64_t limit = panel_.editor().maxCopySize();
    if (request.length > limit) {
        messages_.show(kCopyLimitMessage, {platform::MessageIcon::Information},
                       {copyLimitInMegabytes(limit)});
        return;
    }
    panel_.editor().modifyData(request);
}
