#include "marks/AdvancedFind.h"

#include <algorithm>

#include "calc/Multibyte.h"
#include "exchange/HexText.h"
#include "marks/CBmitemObj.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using multibyte::Length;

Length lengthOf(const Bytes& bytes) {
    return static_cast<Length>(bytes.size());
}

void rightAlign(Bytes& bytes, std::size_t width) {
    bytes.insert(bytes.begin(), width - bytes.size(), std::uint8_t{0});
}

// Taken by reference, so the engine call beside it in the argument list has
// written the bytes before they are copied.
std::optional<Bytes> kept(const Bytes& written, Length length) {
    if (length < 0) {
        return std::nullopt;
    }
    Bytes bytes(written.begin(), written.begin() + length);
    if (bytes.empty()) {
        bytes.push_back(0);  // a zero result
    }
    return bytes;
}

// B as a bit count: 1..2147483647, whatever B's length.
std::optional<std::int64_t> shiftCount(const Bytes& b) {
    const auto first = std::find_if(b.begin(), b.end(), [](std::uint8_t x) { return x != 0; });
    if (b.end() - first > 4) {
        return std::nullopt;
    }
    std::uint64_t count = 0;
    for (auto it = first; it != b.end(); ++it) {
        count = count << 8 | *it;
    }
    if (count < 1 || count > 2147483647u) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(count);
}

}  // namespace

std::optional<Bytes> advancedOperation(int op, Bytes a, Bytes b) {
    if (a.empty() || (b.empty() && op != markop::Not)) {
        return std::nullopt;
    }
    const std::size_t width = std::max(a.size(), b.size());
    rightAlign(a, width);
    if (op == markop::Not) {
        Bytes out(width);
        return kept(out, multibyte::bitNot(a.data(), lengthOf(a), out.data(), lengthOf(out)));
    }
    rightAlign(b, width);
    const Length w = lengthOf(a);
    switch (op) {
        case markop::Add: {
            Bytes out(width);
            bool carry = false;
            auto result = kept(out, multibyte::add(a.data(), w, b.data(), w, out.data(), w, carry));
            if (result && carry) {
                result->insert(result->begin(), std::uint8_t{1});
            }
            return result;
        }
        case markop::Subtract: {
            const int order = multibyte::compare(a.data(), w, b.data(), w);
            if (order < 0) {
                return std::nullopt;
            }
            if (order == 0) {
                return Bytes{0};  // equal values, 0 - 0 included
            }
            Bytes out(width);
            return kept(out, multibyte::subtract(a.data(), w, b.data(), w, out.data(), w));
        }
        case markop::Multiply: {
            Bytes out(2 * width);
            return kept(out, multibyte::multiply(a.data(), w, b.data(), w, out.data(), 2 * w));
        }
        case markop::Divide:
        case markop::Mod: {
            Bytes q(width);
            Bytes r(width);
            multibyte::DivModLengths lengths;
            if (!multibyte::divMod(a.data(), w, b.data(), w, q.data(), w, r.data(), w, lengths)) {
                return std::nullopt;
            }
            return op == markop::Divide ? kept(q, lengths.quotient) : kept(r, lengths.remainder);
        }
        case markop::And:
        case markop::Or:
        case markop::Xor: {
            Bytes out(width);
            const auto combine = op == markop::And  ? multibyte::bitAnd
                                 : op == markop::Or ? multibyte::bitOr
                                                    : multibyte::bitXor;
            return kept(out, combine(a.data(), b.data(), w, out.data(), w));
        }
        case markop::ShiftLeft:
        case markop::ShiftRight: {
            const auto count = shiftCount(b);
            if (!count) {
                return std::nullopt;
            }
            Bytes out(width);
            const auto shift =
                op == markop::ShiftLeft ? multibyte::shiftLeft : multibyte::shiftRight;
            return kept(out, shift(a.data(), w, *count, out.data(), w));
        }
        default:
            return std::nullopt;
    }
}

bool advancedComparison(int op, const Bytes& x, const Bytes& y) {
    if (x.empty() || y.empty()) {
        return false;
    }
    const int order = multibyte::compare(x.data(), lengthOf(x), y.data(), lengthOf(y));
    switch (op) {
        case markop::Equal:
            return order == 0;
        case markop::NotEqual:
            return order != 0;
        case markop::GreaterOrEqual:
            return order >= 0;
        case markop::LessOrEqual:
            return order <= 0;
        case markop::Greater:
            return order > 0;
        case markop::Less:
            return order < 0;
        default:
            return false;
    }
}

Bytes advancedBytes(std::string_view text) {
    return countHexTokens(text, false) > 0 ? parseHexText(text) : Bytes{};
}

std::string advancedText(const Bytes& bytes) {
    return toHexText(bytes);
}

std::string presetOperand(int op, const std::string& findResult) {
    switch (op) {
        case markop::Multiply:
        case markop::Divide:
        case markop::Mod:
            return "01 ";
        case markop::And:
        case markop::Or:
        case markop::Xor:
        case markop::Not:
            return findResult;
        default:
            return "00 ";
    }
}
