#include "app/ContextMenus.h"

#include "app/CommandIds.h"
#include "marks/MarkCommandIds.h"

namespace {

constexpr MenuItem kHexData[] = {
    {cmd::FileNew, "New..."},
    {cmd::FileNewAndPaste, "New And Paste..."},
    {0, ""},
    {cmd::EditUndo, "Undo"},
    {cmd::EditRedo, "Redo"},
    {0, ""},
    {cmd::EditCut, "Cut"},
    {cmd::EditCopy, "Copy"},
    {cmd::EditPaste, "Paste"},
    {cmd::EditDelete, "Delete"},
    {cmd::EditOverwrite, "Overwrite"},
    {0, ""},
    {cmd::EditCopyAsHexText, "Copy As Hex Text"},
    {cmd::EditCopyAsHexTextC, "Copy As Hex Text(C/C++)"},
    {0, ""},
    {cmd::EditModifyData, "Modify Data..."},
    {cmd::EditSwapData, "Swap Data..."},
    {0, ""},
    {cmd::DefineDatamark, "Define Datamark..."},
    {cmd::EditDatamarks, "Edit Datamarks..."},
    {0, ""},
    {cmd::EditGoTo, "Go to..."},
    {cmd::FileAttributes, "File Attributes..."},
};

constexpr MenuItem kAddressPanel[] = {
    {cmd::ViewDecimalAddress, "Decimal Address"},
    {cmd::ViewDataStartAddress, "Data Start Address..."},
};

// The mark panel's "Bookmark" menu.
constexpr MenuItem kBookmark[] = {
    {cmd::SearchToggleLinemark, "Toggle Linemark"},
    {cmd::SearchNextLinemark, "Next Linemark"},
    {cmd::SearchPreviousLinemark, "Previous Linemark"},
    {cmd::SearchClearAllLinemarks, "Clear All Linemarks"},
    {0, ""},
    {cmd::SearchNextDatamark, "Next Datamark"},
    {cmd::SearchPreviousDatamark, "Previous Datamark"},
    {cmd::SearchClearAllDatamarks, "Clear All Datamarks"},
    {cmd::SearchSaveAllDatamarks, "Save All Datamarks"},
    {0, ""},
    {cmd::BookmarkEditProperties, "Edit Properties..."},
    {cmd::BookmarkClearDatamark, "Clear Datamark"},
};

}  // namespace

std::span<const MenuItem> bookmarkMenu() {
    return kBookmark;
}

std::span<const MenuItem> hexDataMenu() {
    return kHexData;
}

std::span<const MenuItem> addressPanelMenu() {
    return kAddressPanel;
}
