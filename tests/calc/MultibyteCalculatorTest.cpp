// Tamsorel's calculator without a window: keys in, box texts out. A key
// sequence is written as the user would press it: lower-case hex digits are
// typed one by one, the other words are keys by caption ("BS" is Backspace).
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "calc/CalculatorKeys.h"
#include "calc/MultibyteCalculator.h"
#include "tests/support/ScriptedMessageService.h"

namespace {

struct FakePanel : CalculatorPanel {
    std::map<CalculatorBox, std::string> texts;
    std::map<CalculatorBox, bool> writable{{CalculatorBox::First, true},
                                           {CalculatorBox::Second, false},
                                           {CalculatorBox::Result, false}};
    std::string operatorShown;
    std::string memoryShown;

    std::string boxText(CalculatorBox box) const override {
        const auto found = texts.find(box);
        return found == texts.end() ? std::string{} : found->second;
    }
    void setBoxText(CalculatorBox box, const std::string& text) override { texts[box] = text; }
    void setBoxWritable(CalculatorBox box, bool value) override { writable[box] = value; }
    void showOperator(std::string_view caption) override { operatorShown = caption; }
    void showMemoryIndicator(std::string_view text) override { memoryShown = text; }
};

// Answers as the test says, recording whether it was asked.
struct ScriptedRunner : LongOperationRunner {
    bool cancel = false;
    int runs = 0;
    bool run(const std::function<void(const multibyte::CancelFlag&)>& work) override {
        ++runs;
        if (cancel) {
            return false;
        }
        multibyte::CancelFlag flag{false};
        work(flag);
        return true;
    }
};

int keyOfWord(const std::string& word) {
    static const std::map<std::string, int> named{
        {"+", calckey::Add},          {"-", calckey::Subtract},     {"*", calckey::Multiply},
        {"/", calckey::Divide},       {"Mod", calckey::Mod},        {"And", calckey::And},
        {"Or", calckey::Or},          {"Xor", calckey::Xor},        {"Not", calckey::Not},
        {"=", calckey::Execute},      {"BS", calckey::Backspace},   {"CE", calckey::ClearEntry},
        {"Esc", calckey::Reset},      {"MS", calckey::MemoryStore}, {"MR", calckey::MemoryRecall},
        {"MC", calckey::MemoryClear},
    };
    const auto found = named.find(word);
    return found == named.end() ? 0 : found->second;
}

class MultibyteCalculatorTest : public ::testing::Test {
  protected:
    void press(const std::string& sequence) {
        std::istringstream words(sequence);
        for (std::string word; words >> word;) {
            if (const int key = keyOfWord(word); key != 0) {
                calculator.press(key);
                continue;
            }
            for (char c : word) {
                const std::optional<int> key = keyOfTypedCharacter(c);
                ASSERT_TRUE(key.has_value()) << "no key for " << c;
                calculator.press(*key);
            }
        }
    }
    std::string first() const { return panel.boxText(CalculatorBox::First); }
    std::string second() const { return panel.boxText(CalculatorBox::Second); }
    std::string result() const { return panel.boxText(CalculatorBox::Result); }
    std::string compute(const std::string& sequence) {
        press("Esc " + sequence);
        return result();
    }

    platform::StringTable strings{calculatorStrings()};
    testsupport::ScriptedMessageService messages{strings, "Tamsorel"};
    FakePanel panel;
    ScriptedRunner runner;
    MultibyteCalculator calculator{panel, messages, &runner};
};

TEST_F(MultibyteCalculatorTest, DigitsAreRenderedInPairsFromTheRight) {
    press("1 2 3");
    EXPECT_EQ(first(), "01 23");
    press("BS");
    EXPECT_EQ(first(), "12");
    press("BS BS");
    EXPECT_EQ(first(), "");
    press("0 0 a F");  // leading zeros go, letters in either case become lower case
    EXPECT_EQ(first(), "af");
    press("Esc 0");
    EXPECT_EQ(first(), "00");
}

TEST_F(MultibyteCalculatorTest, TheDocumentedResults) {
    EXPECT_EQ(compute("ff + 1 ="), "01 00");
    EXPECT_EQ(compute("ffff + 1 ="), "01 00 00");
    EXPECT_EQ(compute("1 - 2 ="), "ff");
    EXPECT_EQ(compute("1 - 100 ="), "01");
    EXPECT_EQ(compute("5 - 5 ="), "00");
    EXPECT_EQ(compute("100 / 1 ="), "01 00");
    EXPECT_EQ(compute("100 Mod 1 ="), "00");
    EXPECT_EQ(compute("10000 / 100 ="), "01 00");
    EXPECT_EQ(compute("ffff / 100 ="), "ff");
    EXPECT_EQ(compute("ffff Mod 100 ="), "ff");
    EXPECT_EQ(compute("100 / 3 ="), "55");
    EXPECT_EQ(compute("100 Mod 3 ="), "01");
    EXPECT_EQ(compute("7 / 7 ="), "01");
    EXPECT_EQ(compute("7 Mod 7 ="), "00");
    EXPECT_EQ(compute("3 / 7 ="), "00");
    EXPECT_EQ(compute("3 Mod 7 ="), "03");
    EXPECT_EQ(compute("1234 * 56 ="), "06 1d 78");
    EXPECT_EQ(compute("fff0 Not ="), "00 0f");
}

TEST_F(MultibyteCalculatorTest, BitwiseOperandsArePaddedAtTheirEnd) {
    EXPECT_EQ(compute("1234 And ff ="), "12 00");
    EXPECT_EQ(compute("ff Or 1234 ="), "ff 34");
    EXPECT_EQ(compute("1234 Xor ff ="), "ed 34");
}

TEST_F(MultibyteCalculatorTest, FailuresEmptyTheResultSilently) {
    EXPECT_EQ(compute("5 + 1 ="), "06");
    EXPECT_EQ(compute("5 / 0 ="), "");
    EXPECT_EQ(compute("5 + 1 ="), "06");
    EXPECT_EQ(compute("5 Mod 0 ="), "");
    EXPECT_EQ(compute("5 + 1 ="), "06");
    EXPECT_EQ(compute("0 - 0 ="), "");
    EXPECT_TRUE(messages.shownIds().empty());
}

TEST_F(MultibyteCalculatorTest, AnEmptySecondOperandLeavesTheResultAsItWas) {
    press("5 + 1 =");
    ASSERT_EQ(result(), "06");
    press("+ =");  // the second operand box was emptied by "+"
    EXPECT_EQ(result(), "06");
    EXPECT_EQ(calculator.pendingOperator(), 0);
}

TEST_F(MultibyteCalculatorTest, NotNeedsOnlyTheFirstOperand) {
    press("f0f Not =");
    EXPECT_EQ(result(), "f0 f0");
}

TEST_F(MultibyteCalculatorTest, AnOperatorWithoutAFirstOperandShowsTheMessage) {
    press("+");
    EXPECT_EQ(messages.shownIds(), std::vector<int>{kInvalidFirstOperandMessage});
    EXPECT_EQ(calculator.pendingOperator(), 0);
    EXPECT_EQ(panel.operatorShown, "");
    EXPECT_TRUE(panel.writable[CalculatorBox::First]);
    EXPECT_FALSE(panel.writable[CalculatorBox::Second]);
    press("7");
    EXPECT_EQ(first(), "07");  // digits still go to the first operand
}

TEST_F(MultibyteCalculatorTest, AnOperatorSwitchesTheActiveBox) {
    press("12 *");
    EXPECT_EQ(calculator.pendingOperator(), calckey::Multiply);
    EXPECT_EQ(panel.operatorShown, "*");
    EXPECT_FALSE(panel.writable[CalculatorBox::First]);
    EXPECT_TRUE(panel.writable[CalculatorBox::Second]);
    press("3");
    EXPECT_EQ(second(), "03");
    press("Mod");  // a pending operator with a second operand runs first
    EXPECT_EQ(result(), "36");
    EXPECT_EQ(first(), "36");
    EXPECT_EQ(panel.operatorShown, "Mod");
    press("CE 5 =");
    EXPECT_EQ(result(), "04");
    EXPECT_EQ(first(), "36");  // the first operand keeps its value
    EXPECT_EQ(calculator.pendingOperator(), 0);
    EXPECT_TRUE(panel.writable[CalculatorBox::First]);
    EXPECT_FALSE(panel.writable[CalculatorBox::Second]);
}

TEST_F(MultibyteCalculatorTest, ChainedOperationsRepeatTheSecondOperand) {
    press("1 + 2 + + =");
    EXPECT_EQ(first(), "05");
    EXPECT_EQ(result(), "07");
}

TEST_F(MultibyteCalculatorTest, AFailedChainStopsWithTheOperatorPending) {
    press("9 / 0 *");
    EXPECT_EQ(result(), "");
    EXPECT_EQ(first(), "09");
    EXPECT_EQ(calculator.pendingOperator(), calckey::Divide);
    EXPECT_EQ(panel.operatorShown, "/");
}

TEST_F(MultibyteCalculatorTest, EscResetsEverythingButTheMemory) {
    press("ab MS + 1 =");
    press("Esc");
    EXPECT_EQ(first(), "");
    EXPECT_EQ(second(), "");
    EXPECT_EQ(result(), "");
    EXPECT_EQ(panel.operatorShown, "");
    EXPECT_EQ(calculator.pendingOperator(), 0);
    EXPECT_EQ(calculator.memory(), "ab");
    EXPECT_EQ(panel.memoryShown, "M");
}

TEST_F(MultibyteCalculatorTest, MemoryStoresRecallsAndClearsTheActiveBox) {
    press("MR");
    EXPECT_EQ(first(), "");  // nothing to recall
    press("1234 MS Esc 5 + MR =");
    EXPECT_EQ(second(), "12 34");
    EXPECT_EQ(result(), "12 39");
    press("MC");
    EXPECT_EQ(calculator.memory(), "");
    EXPECT_EQ(panel.memoryShown, "");
    press("Esc MS");  // an empty box stores an empty memory: no indicator
    EXPECT_EQ(panel.memoryShown, "");
}

TEST_F(MultibyteCalculatorTest, PastedOperandsAreComputedWhole) {
    // A pasted operand longer than any fixed work area, and one with
    // single-digit tokens, are read as the bytes they stand for.
    std::string big;
    for (int i = 0; i < 5000; ++i) {
        big += "ff ";
    }
    panel.texts[CalculatorBox::First] = big;
    press("+ 1 =");
    EXPECT_EQ(result().size(), 3u * 5001 - 1);
    EXPECT_EQ(result().substr(0, 9), "01 00 00 ");
    press("Esc");
    panel.texts[CalculatorBox::First] = "1 2\n3";
    press("+ 1 =");
    EXPECT_EQ(result(), "01 02 04");
}

TEST_F(MultibyteCalculatorTest, LargeOperandsRunThroughTheRunnerAndCancelLeavesAllAsItWas) {
    std::string big = "01";
    for (std::size_t i = 0; i < MultibyteCalculator::kLongOperandBytes; ++i) {
        big += " 00";
    }
    panel.texts[CalculatorBox::First] = big;
    press("* 3");
    runner.cancel = true;
    press("=");
    EXPECT_EQ(runner.runs, 1);
    EXPECT_EQ(result(), "");
    EXPECT_EQ(calculator.pendingOperator(), calckey::Multiply);
    EXPECT_EQ(second(), "03");
    runner.cancel = false;
    press("=");
    EXPECT_EQ(runner.runs, 2);
    EXPECT_EQ(result().substr(0, 6), "03 00 ");
    EXPECT_EQ(calculator.pendingOperator(), 0);
    press("Esc 5 * 3 =");
    EXPECT_EQ(runner.runs, 2);  // small operands are computed at once
}

TEST(MultibyteCalculatorRender, ResultsAndDigits) {
    EXPECT_EQ(MultibyteCalculator::renderResult({0x01, 0x00}), "01 00");
    EXPECT_EQ(MultibyteCalculator::renderResult({}), "");
    EXPECT_EQ(MultibyteCalculator::renderDigits("12345"), "01 23 45");
    EXPECT_EQ(MultibyteCalculator::renderDigits("abcd"), "ab cd");
    EXPECT_EQ(MultibyteCalculator::renderDigits(""), "");
}

TEST(CalculatorKeysTest, EveryKeyHasItsToolTipAndTypedCharactersMapToKeys) {
    const platform::StringTable strings{calculatorStrings()};
    for (const CalculatorKey& key : calculatorKeys()) {
        EXPECT_FALSE(strings.text(key.id).empty()) << key.id;
    }
    EXPECT_EQ(strings.text(calckey::Or), "Bitwise-inclusive-OR (|)");
    EXPECT_EQ(keyOfTypedCharacter('|'), calckey::Or);
    EXPECT_EQ(keyOfTypedCharacter('%'), calckey::Mod);
    EXPECT_EQ(keyOfTypedCharacter('B'), calckey::DigitA + 1);
    EXPECT_EQ(keyOfTypedCharacter('+'), std::nullopt);  // the keypad's keys only
    EXPECT_EQ(keyOfTypedCharacter('g'), std::nullopt);
    EXPECT_EQ(keyCaptionColour(CalculatorKeyColour::Digit), 0x00ff0000u);
}

}  // namespace
