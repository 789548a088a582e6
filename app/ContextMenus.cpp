#include "app/ContextMenus.h"

#include "app/CommandIds.h"

namespace {

// Datamark commands, as the datamarks will own them.
constexpr int kDefineDatamark = 32806;
constexpr int kEditDatamarks = 32811;

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
    {kDefineDatamark, "Define Datamark..."},
    {kEditDatamarks, "Edit Datamarks..."},
    {0, ""},
    {cmd::EditGoTo, "Go to..."},
    {cmd::FileAttributes, "File Attributes..."},
};

constexpr MenuItem kAddressPanel[] = {
    {cmd::ViewDecimalAddress, "Decimal Address"},
    {cmd::ViewDataStartAddress, "Data Start Address..."},
};

}  // namespace

std::span<const MenuItem> hexDataMenu() {
    return kHexData;
}

std::span<const MenuItem> addressPanelMenu() {
    return kAddressPanel;
}
