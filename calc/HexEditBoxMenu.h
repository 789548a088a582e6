#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/StringTable.h"

// The "HexEditBox" context menu of each program and the rules that enable its
// commands. The box's actions are the same in every program; ids, items and
// a few behaviours differ.

enum class HexEditProgram { Kestrane, Pellwick, Tamsorel };

enum class HexEditCommand {
    Undo,
    Cut,
    Copy,
    PasteHexText,
    Paste,
    Delete,
    SelectAll,
    EnterData,
    OverwriteWithFF,
    OverwriteWith00,
    SwapByteOrder,
    SwapTwoBytes,
    SwapFourBytes,
    SwapEightBytes,
};

struct HexEditMenuItem {
    HexEditCommand command;
    int id;
    std::string_view text;
    bool separatorAfter = false;
};

// The program's menu resource, in menu order.
std::span<const HexEditMenuItem> hexEditBoxMenu(HexEditProgram program);
// The command a program's id stands for (its main menu routes these ids to the box).
std::optional<HexEditCommand> hexEditCommandOfId(HexEditProgram program, int id);

// What the enabling rules look at.
struct HexEditBoxState {
    bool writable = true;
    bool canUndo = false;
    bool hasSelection = false;
    bool wholeTextSelected = false;
    bool textEmpty = true;
    bool canPaste = false;       // isPasteAvailable
    bool clipboardText = false;  // plain text is on the clipboard
};
bool isHexEditCommandEnabled(HexEditProgram program, HexEditCommand command,
                             const HexEditBoxState& state);

// Group size of a swap command; 0 for the other commands.
int swapGroupSize(HexEditCommand command);

// Whether the program's boxes check their text while typing (Tamsorel's are
// filled by the calculator and do not).
bool validatesWhileTyping(HexEditProgram program);

// The message for invalid text: a string id of the program's table, or 0 with
// the text shown as it stands.
struct HexEditMessage {
    int stringId;
    std::string_view text;
};
// Shown when typing makes the text invalid (Kestrane, Pellwick).
HexEditMessage invalidTypingMessage(HexEditProgram program);
// Tamsorel: shown when a paste finds nothing usable.
inline constexpr int kTamsorelInvalidPasteMessage = 5001;

// The string entries a program adds to its table for its boxes.
std::span<const platform::StringEntry> hexEditBoxStrings(HexEditProgram program);
