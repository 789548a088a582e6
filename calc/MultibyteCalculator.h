#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/Multibyte.h"

namespace platform {
class MessageService;
}

enum class CalculatorBox { First, Second, Result };

// What the calculator shows and reads: its three boxes (the user may change
// an operand box through its menu, so the box's text is the truth), the
// operator display and the memory indicator.
class CalculatorPanel {
  public:
    virtual ~CalculatorPanel() = default;
    virtual std::string boxText(CalculatorBox box) const = 0;
    virtual void setBoxText(CalculatorBox box, const std::string& text) = 0;
    virtual void setBoxWritable(CalculatorBox box, bool writable) = 0;
    virtual void showOperator(std::string_view caption) = 0;
    virtual void showMemoryIndicator(std::string_view text) = 0;
};

// Runs an operation on large operands away from the user-interface thread,
// the user seeing a busy cursor; Esc sets the flag. Returns false when the
// operation was cancelled.
class LongOperationRunner {
  public:
    virtual ~LongOperationRunner() = default;
    virtual bool run(const std::function<void(const multibyte::CancelFlag&)>& work) = 0;
};

// Tamsorel's calculator: digit entry into the active operand box, the
// pending operator, chained operations, execution and memory. Keys come in
// by their ids; every box text goes out through the panel.
class MultibyteCalculator {
  public:
    // Operations on an operand longer than this run through the runner.
    static constexpr std::size_t kLongOperandBytes = 64 * 1024;

    MultibyteCalculator(CalculatorPanel& panel, platform::MessageService& messages,
                        LongOperationRunner* runner = nullptr);

    // A key of the window (or its keyboard key).
    void press(int keyId);

    int pendingOperator() const { return pending_; }
    CalculatorBox activeBox() const {
        return pending_ == 0 ? CalculatorBox::First : CalculatorBox::Second;
    }
    const std::string& memory() const { return memory_; }

    // The result of `operatorKey` on two operands as the result box shows
    // it, or nothing when the operation fails. Headless and reentrant.
    static std::optional<std::vector<std::uint8_t>> compute(
        int operatorKey, const std::vector<std::uint8_t>& first,
        const std::vector<std::uint8_t>& second, const multibyte::CancelFlag* cancel = nullptr);
    // "%02x " per byte without the final space.
    static std::string renderResult(const std::vector<std::uint8_t>& bytes);
    // The digits of a box's text rendered in pairs from the right ("123" -> "01 23").
    static std::string renderDigits(std::string_view digits);

  private:
    enum class Outcome { Done, Failed, Unchanged, Cancelled };

    void enterDigit(char digit);
    void backspace();
    void chooseOperator(int keyId);
    void execute();
    Outcome runPending();
    void resetState(bool emptyBoxes);
    void storeMemory();
    std::string digitsOf(CalculatorBox box) const;

    CalculatorPanel& panel_;
    platform::MessageService& messages_;
    LongOperationRunner* runner_;
    int pending_ = 0;
    std::string memory_;
};
