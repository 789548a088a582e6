#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/StringTable.h"

// Tamsorel's window: the ids of its boxes, displays, keys and menu commands,
// the keys' captions, places and colours, and the program's strings.
namespace calckey {

inline constexpr int FirstOperand = 1001;
inline constexpr int SecondOperand = 1002;
inline constexpr int Result = 1003;
inline constexpr int OperatorDisplay = 1040;
inline constexpr int MemoryIndicator = 1042;

inline constexpr int Digit0 = 1004;  // 1005 .. 1013 are "1" .. "9"
inline constexpr int DigitA = 1014;  // 1015 .. 1019 are "B" .. "F"
inline constexpr int Backspace = 1020;
inline constexpr int ClearEntry = 1021;
inline constexpr int Reset = 1022;
inline constexpr int Add = 1023;
inline constexpr int Subtract = 1024;
inline constexpr int Multiply = 1025;
inline constexpr int Divide = 1026;
inline constexpr int Mod = 1027;
inline constexpr int And = 1028;
inline constexpr int Or = 1029;
inline constexpr int Xor = 1030;
inline constexpr int Not = 1031;
inline constexpr int Execute = 1034;
inline constexpr int MemoryClear = 1035;
inline constexpr int MemoryRecall = 1036;
inline constexpr int MemoryStore = 1037;

// Menu bar 130.
inline constexpr int PasteHexText = 32897;
inline constexpr int Paste = 32898;
inline constexpr int CopyOperationResult = 32906;
inline constexpr int AlwaysTopmost = 32772;
inline constexpr int ShowTooltips = 32771;
inline constexpr int About = 32959;

inline bool isDigitKey(int id) {
    return id >= Digit0 && id <= DigitA + 5;
}
inline bool isOperatorKey(int id) {
    return id >= Add && id <= Not;
}
// The hexadecimal digit of a digit key, lower case.
char digitOfKey(int id);

}  // namespace calckey

enum class CalculatorKeyColour { Digit, Memory, Operator };

// A key of the window, in dialog units.
struct CalculatorKey {
    int id;
    std::string_view caption;
    int x;
    int y;
    int width;
    CalculatorKeyColour colour;
};
inline constexpr int kCalculatorKeyHeight = 18;

// Every key of the window.
std::span<const CalculatorKey> calculatorKeys();
// The caption shown in the operator display for an operator key.
std::string_view operatorCaption(int id);
// Caption colour as 0x00BBGGRR: blue digits and clearing keys, magenta
// memory keys, red operators and "=".
std::uint32_t keyCaptionColour(CalculatorKeyColour colour);

// The key a typed character stands for: hexadecimal digits in either case,
// "=", "%", "&", "|", "^" and "~". The keypad's "/", "*", "-" and "+" are
// keys of their own, told apart by the window.
std::optional<int> keyOfTypedCharacter(char c);

// Tool tips (by control id), messages and the About box's texts.
inline constexpr int kInvalidFirstOperandMessage = 5002;
inline constexpr std::string_view kCalculatorCaption = "Hexadecimal Multibyte Calculator ";
inline constexpr std::string_view kCalculatorTitle = "Tamsorel";
inline constexpr std::string_view kAboutCaption = "About Tamsorel";
inline constexpr std::string_view kAboutVersion = "(Version 1.1)";
std::span<const platform::StringEntry> calculatorStrings();
