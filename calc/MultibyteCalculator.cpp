#include "calc/MultibyteCalculator.h"

#include <algorithm>
#include <new>

#include "calc/CalculatorKeys.h"
#include "exchange/HexText.h"
#include "platform/MessageService.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using multibyte::Length;

Length lengthOf(const Bytes& bytes) {
    return static_cast<Length>(bytes.size());
}

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isSeparator);
}

// The bytes of an operand box; none for an empty or unreadable text.
Bytes operandBytes(const std::string& text) {
    return countHexTokens(text, false, '*') > 0 ? parseHexText(text) : Bytes{};
}

std::optional<Bytes> trimmed(Bytes bytes, Length length) {
    if (length < 0) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

std::optional<Bytes> sum(const Bytes& a, const Bytes& b) {
    Bytes out(std::max(a.size(), b.size()));
    bool carry = false;
    const Length length = multibyte::add(a.data(), lengthOf(a), b.data(), lengthOf(b), out.data(),
                                         lengthOf(out), carry);
    if (length < 0) {
        return std::nullopt;
    }
    if (carry) {
        out.insert(out.begin(), std::uint8_t{1});
    }
    return out;
}

// first - second; below zero, the two's complement of the difference in its
// own length.
std::optional<Bytes> difference(const Bytes& a, const Bytes& b) {
    Bytes out(std::max(a.size(), b.size()));
    if (multibyte::compare(a.data(), lengthOf(a), b.data(), lengthOf(b)) >= 0) {
        const Length length = multibyte::subtract(a.data(), lengthOf(a), b.data(), lengthOf(b),
                                                  out.data(), lengthOf(out));
        if (length == 0) {
            return Bytes{0};
        }
        return trimmed(std::move(out), length);
    }
    const Length length = multibyte::subtract(b.data(), lengthOf(b), a.data(), lengthOf(a),
                                              out.data(), lengthOf(out));
    if (length <= 0) {
        return std::nullopt;
    }
    Bytes complement(static_cast<std::size_t>(length));
    multibyte::bitNot(out.data(), length, complement.data(), length);
    const std::uint8_t one = 1;
    bool carry = false;
    multibyte::add(complement.data(), length, &one, 1, out.data(), length, carry);
    return trimmed(std::move(out), length);
}

std::optional<Bytes> product(const Bytes& a, const Bytes& b, const multibyte::CancelFlag* cancel) {
    Bytes out(2 * std::max(a.size(), b.size()));
    const Length length = multibyte::multiply(a.data(), lengthOf(a), b.data(), lengthOf(b),
                                              out.data(), lengthOf(out), cancel);
    return trimmed(std::move(out), length);
}

std::optional<Bytes> division(const Bytes& a, const Bytes& b, bool remainder,
                              const multibyte::CancelFlag* cancel) {
    Bytes q(a.size());
    Bytes r(b.size());
    multibyte::DivModLengths lengths;
    if (!multibyte::divMod(a.data(), lengthOf(a), b.data(), lengthOf(b), q.data(), lengthOf(q),
                           r.data(), lengthOf(r), lengths, cancel)) {
        return std::nullopt;
    }
    if (!remainder) {
        return trimmed(std::move(q), lengths.quotient);
    }
    return lengths.remainder == 0 ? Bytes{0} : *trimmed(std::move(r), lengths.remainder);
}

// Both operands from their first byte, the shorter followed by zero bytes.
std::optional<Bytes> bitwise(int key, Bytes a, Bytes b) {
    const std::size_t n = std::max(a.size(), b.size());
    a.resize(n, 0);
    b.resize(n, 0);
    Bytes out(n);
    const Length length = static_cast<Length>(n);
    const auto op = key == calckey::And  ? multibyte::bitAnd
                    : key == calckey::Or ? multibyte::bitOr
                                         : multibyte::bitXor;
    const Length written = op(a.data(), b.data(), length, out.data(), length);
    return trimmed(std::move(out), written);
}

}  // namespace

MultibyteCalculator::MultibyteCalculator(CalculatorPanel& panel, platform::MessageService& messages,
                                         LongOperationRunner* runner)
    : panel_(panel), messages_(messages), runner_(runner) {}

void MultibyteCalculator::press(int keyId) {
    if (calckey::isDigitKey(keyId)) {
        enterDigit(calckey::digitOfKey(keyId));
    } else if (calckey::isOperatorKey(keyId)) {
        chooseOperator(keyId);
    } else {
        switch (keyId) {
            case calckey::Backspace:
                backspace();
                break;
            case calckey::ClearEntry:
                panel_.setBoxText(activeBox(), {});
                break;
            case calckey::Reset:
                resetState(true);
                break;
            case calckey::Execute:
                execute();
                break;
            case calckey::MemoryStore:
                storeMemory();
                break;
            case calckey::MemoryRecall:
                if (!memory_.empty()) {
                    panel_.setBoxText(activeBox(), memory_);
                }
                break;
            case calckey::MemoryClear:
                memory_.clear();
                panel_.showMemoryIndicator({});
                break;
            default:
                break;
        }
    }
}

std::optional<std::vector<std::uint8_t>> MultibyteCalculator::compute(
    int operatorKey, const std::vector<std::uint8_t>& first,
    const std::vector<std::uint8_t>& second, const multibyte::CancelFlag* cancel) {
    try {
        switch (operatorKey) {
            case calckey::Add:
                return sum(first, second);
            case calckey::Subtract:
                return difference(first, second);
            case calckey::Multiply:
                return product(first, second, cancel);
            case calckey::Divide:
            case calckey::Mod:
                return division(first, second, operatorKey == calckey::Mod, cancel);
            case calckey::And:
            case calckey::Or:
            case calckey::Xor:
                return bitwise(operatorKey, first, second);
            case calckey::Not: {
                Bytes out(first.size());
                const Length length =
                    multibyte::bitNot(first.data(), lengthOf(first), out.data(), lengthOf(out));
                return trimmed(std::move(out), length);
            }
            default:
                return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::string MultibyteCalculator::renderResult(const std::vector<std::uint8_t>& bytes) {
    std::string text = toHexText(bytes);
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

std::string MultibyteCalculator::renderDigits(std::string_view digits) {
    std::string text;
    text.reserve(digits.size() * 3 / 2 + 2);
    const bool odd = digits.size() % 2 != 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t position = i + (odd ? 1 : 0);
        if (position % 2 == 0 && !text.empty()) {
            text += ' ';
        }
        if (i == 0 && odd) {
            text += '0';
        }
        text += digits[i];
    }
    return text;
}

// The box's characters other than separators, without leading zeros.
std::string MultibyteCalculator::digitsOf(CalculatorBox box) const {
    const std::string text = panel_.boxText(box);
    std::string digits;
    for (char c : text) {
        if (!isSeparator(c) && !(digits.empty() && c == '0')) {
            digits += c;
        }
    }
    return digits;
}

void MultibyteCalculator::enterDigit(char digit) {
    try {
        std::string digits = digitsOf(activeBox());
        digits += digit;
        panel_.setBoxText(activeBox(), renderDigits(digits));
    } catch (const std::bad_alloc&) {
        // No room for one more digit: the key is dropped.
    }
}

void MultibyteCalculator::backspace() {
    std::string digits = digitsOf(activeBox());
    if (!digits.empty()) {
        digits.pop_back();
    }
    panel_.setBoxText(activeBox(), renderDigits(digits));
}

void MultibyteCalculator::chooseOperator(int keyId) {
    if (isBlank(panel_.boxText(CalculatorBox::First))) {
        resetState(false);
        messages_.show(kInvalidFirstOperandMessage,
                       platform::MessageStyle(platform::MessageIcon::None));
        return;
    }
    if (pending_ == 0) {
        panel_.setBoxText(CalculatorBox::Second, {});
    } else if (!isBlank(panel_.boxText(CalculatorBox::Second))) {
        if (runPending() != Outcome::Done) {
            return;
        }
        panel_.setBoxText(CalculatorBox::First, panel_.boxText(CalculatorBox::Result));
    }
    pending_ = keyId;
    panel_.setBoxWritable(CalculatorBox::First, false);
    panel_.setBoxWritable(CalculatorBox::Second, true);
    panel_.showOperator(operatorCaption(keyId));
}

void MultibyteCalculator::execute() {
    if (runPending() == Outcome::Cancelled) {
        return;  // as if the key had not been pressed
    }
    pending_ = 0;
    panel_.setBoxWritable(CalculatorBox::First, true);
    panel_.setBoxWritable(CalculatorBox::Second, false);
}

MultibyteCalculator::Outcome MultibyteCalculator::runPending() {
    if (pending_ == 0) {
        return Outcome::Unchanged;
    }
    const Bytes first = operandBytes(panel_.boxText(CalculatorBox::First));
    const Bytes second = operandBytes(panel_.boxText(CalculatorBox::Second));
    // "Not" needs only the first operand.
    if (first.empty() || (second.empty() && pending_ != calckey::Not)) {
        return Outcome::Unchanged;
    }
    std::optional<Bytes> result;
    const int key = pending_;
    if (runner_ != nullptr && std::max(first.size(), second.size()) > kLongOperandBytes) {
        const bool finished = runner_->run([&](const multibyte::CancelFlag& cancel) {
            result = compute(key, first, second, &cancel);
        });
        if (!finished) {
            return Outcome::Cancelled;
        }
    } else {
        result = compute(key, first, second);
    }
    if (!result) {
        panel_.setBoxText(CalculatorBox::Result, {});
        return Outcome::Failed;
    }
    panel_.setBoxText(CalculatorBox::Result, renderResult(*result));
    return Outcome::Done;
}

void MultibyteCalculator::resetState(bool emptyBoxes) {
    pending_ = 0;
    panel_.setBoxWritable(CalculatorBox::First, true);
    panel_.setBoxWritable(CalculatorBox::Second, false);
    panel_.showOperator({});
    if (emptyBoxes) {
        panel_.setBoxText(CalculatorBox::First, {});
        panel_.setBoxText(CalculatorBox::Second, {});
        panel_.setBoxText(CalculatorBox::Result, {});
    }
}

void MultibyteCalculator::storeMemory() {
    memory_ = panel_.boxText(activeBox());
    panel_.showMemoryIndicator(memory_.empty() ? std::string_view{} : std::string_view{"M"});
}
