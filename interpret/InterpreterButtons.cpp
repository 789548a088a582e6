#include "interpret/InterpreterButtons.h"

#include <array>

#include "interpret/InterpreterStrings.h"

namespace {

// Offsets in the strip.
constexpr int kLocationLocked = 0;
constexpr int kLocationUnlocked = 16;
constexpr int kTypeLocked = 32;
constexpr int kTypeUnlocked = 48;
constexpr int kBigEndian = 64;
constexpr int kLittleEndian = 80;
constexpr int kDecimal = 96;
constexpr int kHexadecimal = 112;
constexpr int kClose = 144;

constexpr MenuItem kEdit[] = {
    {pellwickcmd::Copy, "&Copy"},
    {pellwickcmd::PasteHexText, "Paste &Hex Text"},
    {pellwickcmd::Paste, "&Paste"},
    {0, ""},
    {pellwickcmd::OverwriteWithFF, "Overwrite With 0xff"},
    {pellwickcmd::OverwriteWith00, "Overwrite With 0x00"},
    {0, ""},
    {pellwickcmd::SwapByteOrder, "Swap Byte Order"},
    {pellwickcmd::SwapTwoBytes, "Swap Order of Two Bytes"},
    {pellwickcmd::SwapFourBytes, "Swap Order of Four Bytes"},
    {pellwickcmd::SwapEightBytes, "Swap Order of Eight Bytes"},
};

constexpr MenuItem kView[] = {
    {pellwickcmd::LittleEndian, "Little-endian"},  {pellwickcmd::BigEndian, "Big-endian"}, {0, ""},
    {pellwickcmd::Hexadecimal, "Hexadecimal"},     {pellwickcmd::Decimal, "Decimal"},      {0, ""},
    {pellwickcmd::LockDataType, "Lock Data Type"},
};

constexpr MenuItem kHelp[] = {
    {pellwickcmd::About, "&About Pellwick..."},
};

constexpr std::array kMenuBar = {
    PellwickMenu{"&Edit", kEdit},
    PellwickMenu{"&View", kView},
    PellwickMenu{"&Help", kHelp},
};

}  // namespace

void pressStateButton(InterpreterButton button, InterpretationState& values,
                      InterpreterToggles& toggles) {
    switch (button) {
        case InterpreterButton::LockPosition:
            toggles.lockPosition = !toggles.lockPosition;
            break;
        case InterpreterButton::ByteOrder:
            values.littleEndian = !values.littleEndian;
            break;
        case InterpreterButton::NumberSystem:
            values.decimal = (values.decimal + 1) % 2;
            break;
        case InterpreterButton::LockDataType:
            toggles.lockDataType = !toggles.lockDataType;
            break;
        case InterpreterButton::Close:
            break;
    }
}

int buttonImageOffset(InterpreterButton button, const InterpretationState& values,
                      const InterpreterToggles& toggles) {
    switch (button) {
        case InterpreterButton::LockPosition:
            return toggles.lockPosition ? kLocationLocked : kLocationUnlocked;
        case InterpreterButton::ByteOrder:
            return values.littleEndian ? kLittleEndian : kBigEndian;
        case InterpreterButton::NumberSystem:
            return values.decimal != 0 ? kDecimal : kHexadecimal;
        case InterpreterButton::LockDataType:
            return toggles.lockDataType ? kTypeLocked : kTypeUnlocked;
        case InterpreterButton::Close:
        default:
            return kClose;
    }
}

int buttonTip(InterpreterProgram program, InterpreterButton button,
              const InterpretationState& values, const InterpreterToggles& toggles) {
    const bool pellwick = program == InterpreterProgram::Pellwick;
    switch (button) {
        case InterpreterButton::Close:
            return pellwick ? pellwicktext::kClose : interpretertext::kClose;
        case InterpreterButton::LockPosition:
            return toggles.lockPosition ? interpretertext::kUnlockLocation
                                        : interpretertext::kLockLocation;
        case InterpreterButton::ByteOrder:
            if (values.littleEndian) {
                return pellwick ? pellwicktext::kToBigEndian : interpretertext::kToBigEndian;
            }
            return pellwick ? pellwicktext::kToLittleEndian : interpretertext::kToLittleEndian;
        case InterpreterButton::NumberSystem:
            if (values.decimal != 0) {
                return pellwick ? pellwicktext::kToHexadecimal : interpretertext::kToHexadecimal;
            }
            return pellwick ? pellwicktext::kToDecimal : interpretertext::kToDecimal;
        case InterpreterButton::LockDataType:
        default:
            if (toggles.lockDataType) {
                return pellwick ? pellwicktext::kUnlockType : interpretertext::kUnlockType;
            }
            return pellwick ? pellwicktext::kLockType : interpretertext::kLockType;
    }
}

std::span<const PellwickMenu> pellwickMenuBar() {
    return kMenuBar;
}

std::optional<CommandState> pellwickViewState(int id, const InterpretationState& values,
                                              const InterpreterToggles& toggles) {
    const bool little = values.littleEndian;
    const bool decimal = values.decimal != 0;
    switch (id) {
        case pellwickcmd::LittleEndian:
            return CommandState{!little, little};
        case pellwickcmd::BigEndian:
            return CommandState{little, !little};
        case pellwickcmd::Hexadecimal:
            return CommandState{decimal, !decimal};
        case pellwickcmd::Decimal:
            return CommandState{!decimal, decimal};
        case pellwickcmd::LockDataType:
            return CommandState{true, toggles.lockDataType};
        case pellwickcmd::About:
            return CommandState{true, false};
        default:
            return std::nullopt;
    }
}
