#include "calc/CalculatorKeys.h"

#include <array>

namespace {

using K = CalculatorKeyColour;

constexpr std::array kKeys{
    CalculatorKey{calckey::MemoryClear, "MC", 7, 177, 28, K::Memory},
    CalculatorKey{calckey::MemoryRecall, "MR", 7, 199, 28, K::Memory},
    CalculatorKey{calckey::MemoryStore, "MS", 7, 221, 28, K::Memory},
    CalculatorKey{calckey::Backspace, "Backspace", 43, 133, 62, K::Digit},
    CalculatorKey{calckey::ClearEntry, "CE", 111, 133, 28, K::Digit},
    CalculatorKey{calckey::Reset, "Esc", 145, 133, 28, K::Digit},
    CalculatorKey{1011, "7", 43, 155, 28, K::Digit},
    CalculatorKey{1012, "8", 77, 155, 28, K::Digit},
    CalculatorKey{1013, "9", 111, 155, 28, K::Digit},
    CalculatorKey{1008, "4", 43, 177, 28, K::Digit},
    CalculatorKey{1009, "5", 77, 177, 28, K::Digit},
    CalculatorKey{1010, "6", 111, 177, 28, K::Digit},
    CalculatorKey{1005, "1", 43, 199, 28, K::Digit},
    CalculatorKey{1006, "2", 77, 199, 28, K::Digit},
    CalculatorKey{1007, "3", 111, 199, 28, K::Digit},
    CalculatorKey{1004, "0", 43, 221, 28, K::Digit},
    CalculatorKey{1014, "A", 77, 221, 28, K::Digit},
    CalculatorKey{1015, "B", 111, 221, 28, K::Digit},
    CalculatorKey{1019, "F", 145, 155, 28, K::Digit},
    CalculatorKey{1018, "E", 145, 177, 28, K::Digit},
    CalculatorKey{1017, "D", 145, 199, 28, K::Digit},
    CalculatorKey{1016, "C", 145, 221, 28, K::Digit},
    CalculatorKey{calckey::Divide, "/", 181, 133, 28, K::Operator},
    CalculatorKey{calckey::Multiply, "*", 181, 155, 28, K::Operator},
    CalculatorKey{calckey::Subtract, "-", 181, 177, 28, K::Operator},
    CalculatorKey{calckey::Add, "+", 181, 199, 28, K::Operator},
    CalculatorKey{calckey::Execute, "=", 181, 221, 28, K::Operator},
    CalculatorKey{calckey::Mod, "Mod", 215, 133, 28, K::Operator},
    CalculatorKey{calckey::And, "And", 215, 155, 28, K::Operator},
    CalculatorKey{calckey::Or, "Or", 215, 177, 28, K::Operator},
    CalculatorKey{calckey::Xor, "Xor", 215, 199, 28, K::Operator},
    CalculatorKey{calckey::Not, "Not", 215, 221, 28, K::Operator},
};
static_assert(kKeys.size() == 32);

using platform::StringEntry;

constexpr std::array kStrings{
    StringEntry{1001, "First operand"},
    StringEntry{1002, "Second operand"},
    StringEntry{1003, "Multibyte operation result"},
    StringEntry{1040, "Current operation"},
    StringEntry{1042, "Show M when memory is not empty"},
    StringEntry{1035, "Clear memory (Ctrl+L)"},
    StringEntry{1036, "Restore memory (Ctrl+R)"},
    StringEntry{1037, "Save to memory (Ctrl+M)"},
    StringEntry{1020, "Delete last digit (BACKSPACE)"},
    StringEntry{1021, "Clear all contents (DELETE)"},
    StringEntry{1022, "Reset calculator (ESC)"},
    StringEntry{1004, "Type 0 (Digit Key 0)"},
    StringEntry{1005, "Type 1 (Digit Key 1)"},
    StringEntry{1006, "Type 2 (Digit Key 2)"},
    StringEntry{1007, "Type 3 (Digit Key 3)"},
    StringEntry{1008, "Type 4 (Digit Key 4)"},
    StringEntry{1009, "Type 5 (Digit Key 5)"},
    StringEntry{1010, "Type 6 (Digit Key 6)"},
    StringEntry{1011, "Type 7 (Digit Key 7)"},
    StringEntry{1012, "Type 8 (Digit Key 8)"},
    StringEntry{1013, "Type 9 (Digit Key 9)"},
    StringEntry{1014, "Type A (Letter Key A)"},
    StringEntry{1015, "Type B (Letter Key B)"},
    StringEntry{1016, "Type C (Letter Key C)"},
    StringEntry{1017, "Type D (Letter Key D)"},
    StringEntry{1018, "Type E (Letter Key E)"},
    StringEntry{1019, "Type F (Letter Key F)"},
    StringEntry{1023, "Addition (+)"},
    StringEntry{1024, "Subtration (-)"},
    StringEntry{1025, "Multiplication (*)"},
    StringEntry{1026, "Division (/)"},
    StringEntry{1027, "Modulu (%)"},
    StringEntry{1028, "Bitwise-AND ( &&& )"},
    StringEntry{1029, "Bitwise-inclusive-OR (|)"},
    StringEntry{1030, "Bitwise-exclusive-OR (^)"},
    StringEntry{1031, "Bitwise NOT (~)"},
    StringEntry{1034, "Execute Operation (Enter)"},
    StringEntry{kInvalidFirstOperandMessage, "Invalid first hexdecimal operand!"},
};

}  // namespace

char calckey::digitOfKey(int id) {
    return "0123456789abcdef"[id - Digit0];
}

std::span<const CalculatorKey> calculatorKeys() {
    return kKeys;
}

std::string_view operatorCaption(int id) {
    for (const CalculatorKey& key : kKeys) {
        if (key.id == id && calckey::isOperatorKey(id)) {
            return key.caption;
        }
    }
    return {};
}

std::uint32_t keyCaptionColour(CalculatorKeyColour colour) {
    switch (colour) {
        case CalculatorKeyColour::Digit:
            return 0x00ff0000;  // RGB(0, 0, 255)
        case CalculatorKeyColour::Memory:
            return 0x00ff00ff;  // RGB(255, 0, 255)
        case CalculatorKeyColour::Operator:
            break;
    }
    return 0x000000ff;  // RGB(255, 0, 0)
}

std::optional<int> keyOfTypedCharacter(char c) {
    if (c >= '0' && c <= '9') {
        return calckey::Digit0 + (c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return calckey::DigitA + (c - 'a');
    }
    if (c >= 'A' && c <= 'F') {
        return calckey::DigitA + (c - 'A');
    }
    switch (c) {
        case '=':
            return calckey::Execute;
        case '%':
            return calckey::Mod;
        case '&':
            return calckey::And;
        case '|':
            return calckey::Or;
        case '^':
            return calckey::Xor;
        case '~':
            return calckey::Not;
        default:
            return std::nullopt;
    }
}

std::span<const platform::StringEntry> calculatorStrings() {
    return kStrings;
}
