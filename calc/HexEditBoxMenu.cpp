#include "calc/HexEditBoxMenu.h"

#include <array>

namespace {

using C = HexEditCommand;

constexpr std::array kKestraneMenu{
    HexEditMenuItem{C::Undo, 32881, "&Undo", true},
    HexEditMenuItem{C::Cut, 32882, "Cu&t"},
    HexEditMenuItem{C::Copy, 32883, "&Copy"},
    HexEditMenuItem{C::PasteHexText, 32875, "Paste &Hex Text"},
    HexEditMenuItem{C::Paste, 32876, "&Paste"},
    HexEditMenuItem{C::Delete, 32884, "&Delete", true},
    HexEditMenuItem{C::SelectAll, 32885, "Select &All", true},
    HexEditMenuItem{C::EnterData, 32872, "Enter Data..."},
    HexEditMenuItem{C::OverwriteWithFF, 32873, "Overwrite With 0xff"},
    HexEditMenuItem{C::OverwriteWith00, 32874, "Overwrite With 0x00", true},
    HexEditMenuItem{C::SwapByteOrder, 32877, "Swap Byte Order"},
    HexEditMenuItem{C::SwapTwoBytes, 32878, "Swap Order of Two Bytes"},
    HexEditMenuItem{C::SwapFourBytes, 32879, "Swap Order of Four Bytes"},
    HexEditMenuItem{C::SwapEightBytes, 32880, "Swap Order of Eight Bytes"},
};

// Pellwick and Tamsorel share one resource.
constexpr std::array kToolMenu{
    HexEditMenuItem{C::Undo, 32904, "&Undo", true},
    HexEditMenuItem{C::Copy, 32906, "&Copy"},
    HexEditMenuItem{C::Delete, 32907, "&Delete"},
    HexEditMenuItem{C::PasteHexText, 32897, "Paste &Hex Text"},
    HexEditMenuItem{C::Paste, 32898, "&Paste", true},
    HexEditMenuItem{C::OverwriteWithFF, 32894, "Overwrite With 0xff"},
    HexEditMenuItem{C::OverwriteWith00, 32895, "Overwrite With 0x00", true},
    HexEditMenuItem{C::SwapByteOrder, 32899, "Swap Byte Order"},
    HexEditMenuItem{C::SwapTwoBytes, 32900, "Swap Order of Two Bytes"},
    HexEditMenuItem{C::SwapFourBytes, 32901, "Swap Order of Four Bytes"},
    HexEditMenuItem{C::SwapEightBytes, 32902, "Swap Order of Eight Bytes"},
};

constexpr std::array kPellwickStrings{platform::StringEntry{5001, "Invalid Hexdecimal character!"}};
constexpr std::array kTamsorelStrings{
    platform::StringEntry{5001, "Invalid hexdecimal data string!"}};

}  // namespace

std::span<const HexEditMenuItem> hexEditBoxMenu(HexEditProgram program) {
    if (program == HexEditProgram::Kestrane) {
        return kKestraneMenu;
    }
    return kToolMenu;
}

std::optional<HexEditCommand> hexEditCommandOfId(HexEditProgram program, int id) {
    for (const HexEditMenuItem& item : hexEditBoxMenu(program)) {
        if (item.id == id) {
            return item.command;
        }
    }
    return std::nullopt;
}

bool isHexEditCommandEnabled(HexEditProgram program, HexEditCommand command,
                             const HexEditBoxState& state) {
    const bool tamsorel = program == HexEditProgram::Tamsorel;
    switch (command) {
        case C::Undo:
            return state.canUndo;
        case C::Cut:
            return state.writable && state.hasSelection;
        case C::Copy:
            return tamsorel ? !state.textEmpty : state.hasSelection;
        case C::PasteHexText:
            return state.writable && state.canPaste;
        case C::Paste:
            return state.writable && state.canPaste && state.clipboardText;
        case C::Delete:
            return state.writable && (tamsorel ? !state.textEmpty : state.hasSelection);
        case C::SelectAll:
            return !state.textEmpty && !state.wholeTextSelected;
        case C::EnterData:
            return false;
        case C::OverwriteWithFF:
        case C::OverwriteWith00:
        case C::SwapByteOrder:
        case C::SwapTwoBytes:
        case C::SwapFourBytes:
        case C::SwapEightBytes:
            return state.writable && !state.textEmpty;
    }
    return false;
}

int swapGroupSize(HexEditCommand command) {
    switch (command) {
        case C::SwapByteOrder:
            return 1;
        case C::SwapTwoBytes:
            return 2;
        case C::SwapFourBytes:
            return 4;
        case C::SwapEightBytes:
            return 8;
        default:
            return 0;
    }
}

bool validatesWhileTyping(HexEditProgram program) {
    return program != HexEditProgram::Tamsorel;
}

HexEditMessage invalidTypingMessage(HexEditProgram program) {
    if (program == HexEditProgram::Kestrane) {
        return {0, "Invalid Hexadecimal character!"};
    }
    return {5001, kPellwickStrings[0].text};
}

std::span<const platform::StringEntry> hexEditBoxStrings(HexEditProgram program) {
    switch (program) {
        case HexEditProgram::Pellwick:
            return kPellwickStrings;
        case HexEditProgram::Tamsorel:
            return kTamsorelStrings;
        case HexEditProgram::Kestrane:
            break;
    }
    return {};
}
