#pragma once

#include <optional>
#include <span>

#include "framework/CommandTarget.h"
#include "interpret/InterpretationTable.h"

// The state buttons beside the type list, in both programs: each shows one
// image per state from one strip of 16 x 16 images and a tip naming what a
// press does.
enum class InterpreterButton { Close, LockPosition, ByteOrder, NumberSystem, LockDataType };

struct InterpreterToggles {
    bool lockPosition = false;  // Kestrane only
    bool lockDataType = false;
};

// What a press of a state button changes (Close changes nothing here).
void pressStateButton(InterpreterButton button, InterpretationState& values,
                      InterpreterToggles& toggles);

// The image's horizontal offset in the strip.
int buttonImageOffset(InterpreterButton button, const InterpretationState& values,
                      const InterpreterToggles& toggles);
inline constexpr int kButtonStripWidth = 160;

// The tip's string id: Kestrane's window (5002-5010) or Pellwick's (4052-4060).
enum class InterpreterProgram { Kestrane, Pellwick };
int buttonTip(InterpreterProgram program, InterpreterButton button,
              const InterpretationState& values, const InterpreterToggles& toggles);

// Pellwick's menu bar: the box's edit commands and the view toggles.
namespace pellwickcmd {
inline constexpr int Copy = 32906;
inline constexpr int PasteHexText = 32897;
inline constexpr int Paste = 32898;
inline constexpr int OverwriteWithFF = 32894;
inline constexpr int OverwriteWith00 = 32895;
inline constexpr int SwapByteOrder = 32899;
inline constexpr int SwapTwoBytes = 32900;
inline constexpr int SwapFourBytes = 32901;
inline constexpr int SwapEightBytes = 32902;
inline constexpr int LittleEndian = 32954;
inline constexpr int BigEndian = 32955;
inline constexpr int Hexadecimal = 32956;
inline constexpr int Decimal = 32957;
inline constexpr int LockDataType = 32958;
inline constexpr int About = 32959;
}  // namespace pellwickcmd

struct PellwickMenu {
    const char* title;
    std::span<const MenuItem> items;
};
std::span<const PellwickMenu> pellwickMenuBar();

// The "&View" and "&Help" items' states; nothing for the box's commands.
std::optional<CommandState> pellwickViewState(int id, const InterpretationState& values,
                                              const InterpreterToggles& toggles);
