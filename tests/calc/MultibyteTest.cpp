// The multibyte engine: the documented results and failures, each output
// written into a buffer of exactly the minimum capacity with guard bytes
// behind it, and a randomised comparison with a plain base-256 reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calc/Limbs.h"
#include "calc/Multibyte.h"
#include "exchange/HexText.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using multibyte::Length;

constexpr std::uint8_t kUnwritten = 0xcd;
constexpr std::size_t kGuard = 16;

Bytes hex(std::string_view text) {
    return parseHexText(text);
}

std::string text(const Bytes& bytes) {
    std::string out = toHexText(bytes);
    if (!out.empty()) {
        out.pop_back();
    }
    return out;
}

// An output buffer of `capacity` bytes and guard bytes behind it, all
// pre-filled, so a write beyond the capacity or by a failing call shows.
class Output {
  public:
    explicit Output(Length capacity)
        : capacity_(capacity), storage_(static_cast<std::size_t>(capacity) + kGuard, kUnwritten) {}
    std::uint8_t* data() { return storage_.data(); }
    Length capacity() const { return capacity_; }
    bool guardsIntact() const {
        return std::all_of(storage_.begin() + capacity_, storage_.end(),
                           [](std::uint8_t b) { return b == kUnwritten; });
    }
    bool untouched() const {
        return std::all_of(storage_.begin(), storage_.end(),
                           [](std::uint8_t b) { return b == kUnwritten; });
    }
    Bytes first(Length n) const { return Bytes(storage_.begin(), storage_.begin() + n); }

  private:
    Length capacity_;
    Bytes storage_;
};

Length size(const Bytes& bytes) {
    return static_cast<Length>(bytes.size());
}

// The result of one call as text, or "fail"; the output's guards are checked
// and a failing call must have written nothing.
std::string outcome(Length length, const Output& out) {
    EXPECT_TRUE(out.guardsIntact());
    if (length < 0) {
        EXPECT_TRUE(out.untouched());
        return "fail";
    }
    return text(out.first(length));
}

std::string add(const Bytes& a, const Bytes& b, Length capacity = -1) {
    Output out(capacity >= 0 ? capacity : std::max(size(a), size(b)));
    bool carry = false;
    const Length length =
        multibyte::add(a.data(), size(a), b.data(), size(b), out.data(), out.capacity(), carry);
    const std::string result = outcome(length, out);
    return carry ? "carry " + result : result;
}

std::string subtract(const Bytes& a, const Bytes& b, Length capacity = -1) {
    Output out(capacity >= 0 ? capacity : std::max(size(a), size(b)));
    return outcome(
        multibyte::subtract(a.data(), size(a), b.data(), size(b), out.data(), out.capacity()), out);
}

std::string multiply(const Bytes& a, const Bytes& b, Length capacity = -1) {
    Output out(capacity >= 0 ? capacity : 2 * std::max(size(a), size(b)));
    return outcome(
        multibyte::multiply(a.data(), size(a), b.data(), size(b), out.data(), out.capacity()), out);
}

// "quotient / remainder" (an empty remainder shows as nothing after the slash).
std::string divMod(const Bytes& a, const Bytes& b, Length quotientCapacity = -1,
                   Length remainderCapacity = -1) {
    Output quotient(quotientCapacity >= 0 ? quotientCapacity : size(a));
    Output remainder(remainderCapacity >= 0 ? remainderCapacity : size(b));
    multibyte::DivModLengths lengths;
    const bool done =
        multibyte::divMod(a.data(), size(a), b.data(), size(b), quotient.data(),
                          quotient.capacity(), remainder.data(), remainder.capacity(), lengths);
    EXPECT_TRUE(quotient.guardsIntact());
    EXPECT_TRUE(remainder.guardsIntact());
    if (!done) {
        EXPECT_TRUE(quotient.untouched());
        EXPECT_TRUE(remainder.untouched());
        return "fail";
    }
    return text(quotient.first(lengths.quotient)) + " / " +
           text(remainder.first(lengths.remainder));
}

std::string shift(bool left, const Bytes& a, std::int64_t bits, Length capacity = -1) {
    Output out(capacity >= 0 ? capacity : size(a));
    const Length length =
        left ? multibyte::shiftLeft(a.data(), size(a), bits, out.data(), out.capacity())
             : multibyte::shiftRight(a.data(), size(a), bits, out.data(), out.capacity());
    return outcome(length, out);
}

int compare(const Bytes& a, const Bytes& b) {
    return multibyte::compare(a.data(), size(a), b.data(), size(b));
}

TEST(MultibyteTest, CompareByValueIgnoringLeadingZeros) {
    EXPECT_EQ(compare(hex("00 00 05"), hex("05")), 0);
    EXPECT_EQ(compare(hex("01 00"), hex("ff")), 1);
    EXPECT_EQ(compare(hex("00 ff"), hex("01 00")), -1);
    EXPECT_EQ(compare(hex("12 34"), hex("12 35")), -1);
    EXPECT_EQ(compare(hex("00"), hex("00 00")), 0);
    const Bytes one = hex("01");
    EXPECT_EQ(multibyte::compare(nullptr, 1, one.data(), 1), 0);
    EXPECT_EQ(multibyte::compare(one.data(), 0, one.data(), 1), 0);
}

TEST(MultibyteTest, AddKeepsTheWidthAndReportsTheCarry) {
    EXPECT_EQ(add(hex("ff"), hex("01")), "carry 00");
    EXPECT_EQ(add(hex("ff ff"), hex("01")), "carry 00 00");
    EXPECT_EQ(add(hex("00 00 01"), hex("02")), "00 00 03");
    EXPECT_EQ(add(hex("01"), hex("00 ff")), "01 00");
    EXPECT_EQ(add(hex("01 02"), hex("03"), 1), "fail");
    EXPECT_EQ(add(hex("01"), Bytes{}), "fail");
}

TEST(MultibyteTest, SubtractStripsAndRefusesNegativeOrZeroMinuends) {
    EXPECT_EQ(subtract(hex("01 00"), hex("01")), "ff");
    EXPECT_EQ(subtract(hex("05"), hex("05")), "");
    EXPECT_EQ(subtract(hex("00 00 07"), hex("00 02")), "05");
    EXPECT_EQ(subtract(hex("07"), hex("00 00")), "07");
    EXPECT_EQ(subtract(hex("01"), hex("02")), "fail");
    EXPECT_EQ(subtract(hex("01"), hex("01 00")), "fail");
    EXPECT_EQ(subtract(hex("00"), hex("00")), "fail");
    EXPECT_EQ(subtract(hex("00 00"), hex("00")), "fail");
    EXPECT_EQ(subtract(hex("01 00"), hex("01"), 1), "fail");
}

TEST(MultibyteTest, MultiplyStripsAndNeedsTwiceTheLongerLength) {
    EXPECT_EQ(multiply(hex("ff"), hex("ff")), "fe 01");
    EXPECT_EQ(multiply(hex("00 00 02"), hex("03")), "06");
    EXPECT_EQ(multiply(hex("00"), hex("12 34")), "00");
    EXPECT_EQ(multiply(hex("12 34"), hex("00 00")), "00");
    EXPECT_EQ(multiply(hex("01 00"), hex("01 00")), "01 00 00");
    EXPECT_EQ(multiply(hex("12 34"), hex("56"), 3), "fail");
    EXPECT_EQ(multiply(hex("56"), hex("12 34"), 3), "fail");
}

TEST(MultibyteTest, DivModFollowsTheDocumentedForms) {
    EXPECT_EQ(divMod(hex("01 00"), hex("01")), "01 00 / 00");
    EXPECT_EQ(divMod(hex("01 00 00"), hex("01 00")), "01 00 / 00");
    EXPECT_EQ(divMod(hex("ff ff"), hex("01 00")), "ff / ff");
    EXPECT_EQ(divMod(hex("01 00"), hex("03")), "55 / 01");
    EXPECT_EQ(divMod(hex("07"), hex("07")), "01 / ");
    EXPECT_EQ(divMod(hex("03"), hex("07")), "00 / 03");
    EXPECT_EQ(divMod(hex("00 00"), hex("07")), "00 / ");
    EXPECT_EQ(divMod(hex("0e"), hex("07")), "02 / 00");
    EXPECT_EQ(divMod(hex("07"), hex("00 00")), "fail");
    // A long zero-padded dividend below a short divisor: its remainder fits.
    EXPECT_EQ(divMod(hex("00 00 00 00 00 00 00 00 00 05"), hex("09")), "00 / 05");
    EXPECT_EQ(divMod(hex("01 00"), hex("03"), 1), "fail");
    EXPECT_EQ(divMod(hex("01 00"), hex("00 03"), 2, 1), "fail");
}

// A dividend whose trial quotient limb is one too large even after the
// two-limb test, so the step that adds the divisor back runs.
TEST(MultibyteTest, DivModCorrectsATrialQuotientThatWasTooLarge) {
    const Bytes a =
        hex("7f ff ff ff ff ff ff ff 80 00 00 00 00 00 00 00 "
            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    const Bytes b =
        hex("80 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
            "00 00 00 00 00 00 00 01");
    EXPECT_EQ(divMod(a, b),
              "ff ff ff ff ff ff ff fe / 7f ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff "
              "00 00 00 00 00 00 00 02");
}

TEST(MultibyteTest, BitwiseOperationsCoverNBytes) {
    const Bytes a = hex("12 34 f0");
    const Bytes b = hex("ff 00 0f");
    Output out(3);
    EXPECT_EQ(outcome(multibyte::bitAnd(a.data(), b.data(), 2, out.data(), 2), out), "12 00");
    EXPECT_EQ(outcome(multibyte::bitOr(a.data(), b.data(), 3, out.data(), 3), out), "ff 34 ff");
    EXPECT_EQ(outcome(multibyte::bitXor(a.data(), b.data(), 3, out.data(), 3), out), "ed 34 ff");
    Output small(2);
    EXPECT_EQ(outcome(multibyte::bitXor(a.data(), b.data(), 3, small.data(), 2), small), "fail");
    EXPECT_EQ(outcome(multibyte::bitAnd(a.data(), b.data(), 0, small.data(), 2), small), "fail");
    EXPECT_EQ(outcome(multibyte::bitOr(a.data(), nullptr, 1, small.data(), 2), small), "fail");
    const Bytes c = hex("0f f0");
    Output complement(2);
    EXPECT_EQ(outcome(multibyte::bitNot(c.data(), 2, complement.data(), 2), complement), "f0 0f");
    Output tooSmall(1);
    EXPECT_EQ(outcome(multibyte::bitNot(c.data(), 2, tooSmall.data(), 1), tooSmall), "fail");
}

TEST(MultibyteTest, ShiftsKeepTheLengthAndLoseWhatFallsOut) {
    EXPECT_EQ(shift(true, hex("01 80"), 1), "03 00");
    EXPECT_EQ(shift(true, hex("01 80"), 8), "80 00");
    EXPECT_EQ(shift(true, hex("01 80"), 9), "00 00");
    EXPECT_EQ(shift(true, hex("01 80"), 0), "01 80");
    EXPECT_EQ(shift(false, hex("01 80"), 4), "00 18");
    EXPECT_EQ(shift(false, hex("01 80"), 16), "00 00");
    EXPECT_EQ(shift(false, hex("01 80"), INT64_MAX), "00 00");
    EXPECT_EQ(shift(true, hex("01 80"), INT64_MAX), "00 00");
    EXPECT_EQ(shift(true, hex("01 80"), -1), "fail");
    EXPECT_EQ(shift(false, hex("01 80"), 1, 1), "fail");
}

TEST(MultibyteTest, MissingBuffersAndNonPositiveLengthsFail) {
    const Bytes a = hex("01 02");
    Output out(8);
    bool carry = false;
    EXPECT_EQ(multibyte::add(a.data(), 2, a.data(), 2, nullptr, 8, carry), -1);
    EXPECT_EQ(multibyte::add(a.data(), -2, a.data(), 2, out.data(), 8, carry), -1);
    EXPECT_EQ(multibyte::subtract(nullptr, 2, a.data(), 2, out.data(), 8), -1);
    EXPECT_EQ(multibyte::multiply(a.data(), 2, a.data(), 0, out.data(), 8), -1);
    EXPECT_EQ(multibyte::shiftLeft(nullptr, 2, 1, out.data(), 8), -1);
    multibyte::DivModLengths lengths;
    EXPECT_FALSE(multibyte::divMod(a.data(), 2, a.data(), 2, out.data(), 8, nullptr, 8, lengths));
    EXPECT_TRUE(out.untouched());
}

TEST(MultibyteTest, LengthsAroundLimbBoundariesConvertExactly) {
    for (int length : {1, 7, 8, 9, 15, 16, 17, 24, 25}) {
        Bytes a(static_cast<std::size_t>(length));
        for (int i = 0; i < length; ++i) {
            a[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x81 + 3 * i);
        }
        SCOPED_TRACE(length);
        EXPECT_EQ(multiply(a, hex("01")), text(a));
        EXPECT_EQ(divMod(a, hex("01")), text(a) + " / 00");
        Bytes padded(5, 0);
        padded.insert(padded.end(), a.begin(), a.end());
        EXPECT_EQ(divMod(padded, a), "01 / ");
        EXPECT_EQ(multiply(padded, hex("00 01")), text(a));
    }
}

TEST(MultibyteTest, ALongMultiplicationStopsWhenCancelled) {
    const Bytes a(4096, 0xab);
    Output out(8192);
    multibyte::CancelFlag cancel{true};
    EXPECT_EQ(multibyte::multiply(a.data(), size(a), a.data(), size(a), out.data(), 8192, &cancel),
              -1);
    EXPECT_TRUE(out.untouched());
    Output quotient(4096);
    Output remainder(100);
    const Bytes b(100, 0x17);
    multibyte::DivModLengths lengths;
    EXPECT_FALSE(multibyte::divMod(a.data(), size(a), b.data(), size(b), quotient.data(), 4096,
                                   remainder.data(), 100, lengths, &cancel));
    EXPECT_TRUE(quotient.untouched());
}

// ---- The randomised comparison -------------------------------------------

Bytes stripped(Bytes bytes) {
    const auto first = std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b; });
    bytes.erase(bytes.begin(), first);
    return bytes;
}

// Base-256 schoolbook, one byte at a time, on stripped values (empty = zero).
Bytes referenceAdd(const Bytes& a, const Bytes& b) {
    Bytes sum(std::max(a.size(), b.size()) + 1);
    unsigned carry = 0;
    for (std::size_t i = 1; i <= sum.size(); ++i) {
        carry += (i <= a.size() ? a[a.size() - i] : 0u) + (i <= b.size() ? b[b.size() - i] : 0u);
        sum[sum.size() - i] = static_cast<std::uint8_t>(carry);
        carry >>= 8;
    }
    return stripped(sum);
}

Bytes referenceSubtract(const Bytes& a, const Bytes& b) {  // a >= b
    Bytes difference = a;
    int borrow = 0;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int value = a[a.size() - i] - (i <= b.size() ? b[b.size() - i] : 0) - borrow;
        borrow = value < 0;
        difference[a.size() - i] = static_cast<std::uint8_t>(value + 256 * borrow);
    }
    return stripped(difference);
}

Bytes referenceMultiply(const Bytes& a, const Bytes& b) {
    std::vector<unsigned> columns(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned carry = 0;
        for (std::size_t j = b.size(); j-- > 0;) {
            const std::size_t at = i + j + 1;
            carry += columns[at] + unsigned{a[i]} * b[j];
            columns[at] = carry & 0xff;
            carry >>= 8;
        }
        for (std::size_t at = i; carry != 0; --at) {
            carry += columns[at];
            columns[at] = carry & 0xff;
            carry >>= 8;
        }
    }
    return stripped(Bytes(columns.begin(), columns.end()));
}

bool lessThan(const Bytes& a, const Bytes& b) {  // both stripped
    return a.size() != b.size()
               ? a.size() < b.size()
               : std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end());
}

// Long division one dividend byte at a time; each quotient byte found by
// trying the largest digit whose multiple still fits.
std::pair<Bytes, Bytes> referenceDivMod(const Bytes& a, const Bytes& b) {
    Bytes quotient;
    Bytes remainder;
    for (std::uint8_t byte : a) {
        remainder.push_back(byte);
        remainder = stripped(remainder);
        unsigned digit = 0;
        for (unsigned step = 128; step != 0; step >>= 1) {
            const Bytes trial =
                referenceMultiply(b, Bytes{static_cast<std::uint8_t>(digit + step)});
            if (!lessThan(remainder, trial)) {
                digit += step;
            }
        }
        if (digit != 0) {
            remainder = referenceSubtract(remainder, referenceMultiply(b, {std::uint8_t(digit)}));
        }
        quotient.push_back(static_cast<std::uint8_t>(digit));
    }
    return {stripped(quotient), remainder};
}

// Random bytes and runs of the values that find carry and borrow faults.
Bytes randomOperand(std::mt19937_64& random, std::size_t length) {
    static constexpr std::uint8_t kRuns[] = {0x00, 0x01, 0x7f, 0x80, 0xff};
    Bytes bytes;
    while (bytes.size() < length) {
        const std::size_t run = 1 + random() % 24;
        const int kind = static_cast<int>(random() % 7);
        for (std::size_t i = 0; i < run && bytes.size() < length; ++i) {
            bytes.push_back(kind < 5 ? kRuns[kind] : static_cast<std::uint8_t>(random()));
        }
    }
    return bytes;
}

Bytes call(Length length, const Output& out) {
    return length < 0 ? Bytes{0xee, 0xee, 0xee} : out.first(length);
}

Bytes engineMultiply(const Bytes& a, const Bytes& b) {
    Output out(2 * std::max(size(a), size(b)));
    return call(
        multibyte::multiply(a.data(), size(a), b.data(), size(b), out.data(), out.capacity()), out);
}

std::pair<Bytes, Bytes> engineDivMod(const Bytes& a, const Bytes& b) {
    Output quotient(size(a));
    Output remainder(size(b));
    multibyte::DivModLengths lengths;
    if (!multibyte::divMod(a.data(), size(a), b.data(), size(b), quotient.data(), size(a),
                           remainder.data(), size(b), lengths)) {
        return {{0xee}, {0xee}};
    }
    return {quotient.first(lengths.quotient), remainder.first(lengths.remainder)};
}

// The engine's documented forms of a quotient and remainder from exact values.
std::pair<Bytes, Bytes> documentedDivMod(const Bytes& a, const Bytes& b) {
    const Bytes x = stripped(a);
    const Bytes y = stripped(b);
    if (x.empty() || x == y) {
        return {Bytes{static_cast<std::uint8_t>(x.empty() ? 0 : 1)}, {}};
    }
    auto [quotient, remainder] = referenceDivMod(x, y);
    return {quotient.empty() ? Bytes{0} : quotient,
            remainder.empty() && !lessThan(x, y) ? Bytes{0} : remainder};
}

Bytes orZero(Bytes bytes) {
    return bytes.empty() ? Bytes{0} : bytes;
}

void checkPair(const Bytes& a, const Bytes& b) {
    const Bytes x = stripped(a);
    const Bytes y = stripped(b);
    const Length width = std::max(size(a), size(b));

    Output sum(width);
    bool carry = false;
    ASSERT_EQ(multibyte::add(a.data(), size(a), b.data(), size(b), sum.data(), width, carry),
              width);
    Bytes widened = carry ? Bytes{1} : Bytes{};
    const Bytes written = sum.first(width);
    widened.insert(widened.end(), written.begin(), written.end());
    EXPECT_EQ(stripped(widened), referenceAdd(x, y));
    EXPECT_EQ(carry, referenceAdd(x, y).size() > static_cast<std::size_t>(width));

    // (a + b) - b = a
    Output difference(size(widened));
    const Length back = multibyte::subtract(widened.data(), size(widened), b.data(), size(b),
                                            difference.data(), size(widened));
    if (x.empty()) {
        EXPECT_EQ(back, y.empty() ? -1 : 0) << "a + b - b with a = 0";
    } else {
        EXPECT_EQ(difference.first(back), x);
    }
    Output plain(width);
    const Length direct =
        multibyte::subtract(a.data(), size(a), b.data(), size(b), plain.data(), width);
    if (x.empty() || lessThan(x, y)) {
        EXPECT_EQ(direct, -1);
    } else {
        EXPECT_EQ(plain.first(direct), referenceSubtract(x, y));
    }

    const Bytes product = engineMultiply(a, b);
    EXPECT_EQ(product, orZero(referenceMultiply(x, y)));

    if (!y.empty()) {
        const auto [quotient, remainder] = engineDivMod(a, b);
        EXPECT_EQ(std::make_pair(quotient, remainder), documentedDivMod(a, b));
        // (a / b) * b + a mod b = a, with the remainder below b
        EXPECT_EQ(referenceAdd(referenceMultiply(stripped(quotient), y), stripped(remainder)), x);
        EXPECT_TRUE(lessThan(stripped(remainder), y));
        if (!x.empty()) {  // (a * b) / b = a
            EXPECT_EQ(stripped(engineDivMod(product, b).first), x);
        }
    }
}

// Bit by bit, as a string of bits.
Bytes referenceShift(const Bytes& a, std::int64_t bits, bool left) {
    const std::size_t n = a.size() * 8;
    std::vector<bool> in(n);
    for (std::size_t i = 0; i < n; ++i) {
        in[i] = (a[i / 8] >> (7 - i % 8)) & 1;
    }
    Bytes out(a.size(), 0);
    for (std::size_t i = 0; i < n; ++i) {
        const std::int64_t from =
            left ? static_cast<std::int64_t>(i) + bits : static_cast<std::int64_t>(i) - bits;
        if (from >= 0 && from < static_cast<std::int64_t>(n) &&
            in[static_cast<std::size_t>(from)]) {
            out[i / 8] |= static_cast<std::uint8_t>(1u << (7 - i % 8));
        }
    }
    return out;
}

TEST(MultibyteRandomTest, EveryOperationAgreesWithTheByteByByteReference) {
    const std::uint64_t seed = 20261208;
    std::mt19937_64 random(seed);
    for (int round = 0; round < 1000; ++round) {
        const Bytes a = randomOperand(random, 1 + random() % 300);
        const Bytes b = randomOperand(random, 1 + random() % (round % 8 == 0 ? 300 : 40));
        SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round) + "\na " +
                     text(a) + "\nb " + text(b));
        checkPair(a, b);
        checkPair(b, a);
        const std::int64_t bits = static_cast<std::int64_t>(random() % (a.size() * 8 + 16));
        EXPECT_EQ(shift(true, a, bits), text(referenceShift(a, bits, true)));
        EXPECT_EQ(shift(false, a, bits), text(referenceShift(a, bits, false)));
        if (HasFailure()) {
            return;
        }
    }
}

TEST(MultibyteRandomTest, KaratsubaAgreesWithTheSchoolbookProduct) {
    const std::uint64_t seed = 417;
    std::mt19937_64 random(seed);
    using multibyte::limbs::Limbs;
    for (int round = 0; round < 40; ++round) {
        const std::size_t na = 1 + random() % 700;
        const std::size_t nb = 1 + random() % 700;
        Limbs a(na);
        Limbs b(nb);
        for (auto* limbs : {&a, &b}) {
            for (auto& limb : *limbs) {
                const int kind = static_cast<int>(random() % 4);
                limb = kind == 0 ? 0 : kind == 1 ? ~std::uint64_t{0} : random();
            }
        }
        Limbs fast(na + nb);
        Limbs slow(na + nb);
        multibyte::limbs::multiply(fast.data(), a.data(), na, b.data(), nb, nullptr);
        multibyte::limbs::multiplyBasecase(slow.data(), a.data(), na, b.data(), nb);
        ASSERT_EQ(fast, slow) << "seed " << seed << " round " << round << " sizes " << na << " x "
                              << nb;
    }
}

TEST(MultibyteRandomTest, LargeOperandsDivideBackToTheirFactors) {
    std::mt19937_64 random(99);
    for (int round = 0; round < 12; ++round) {
        const Bytes a = randomOperand(random, 300 + random() % 3000);
        Bytes b = randomOperand(random, 300 + random() % 3000);
        b[0] |= 1;
        SCOPED_TRACE("seed 99 round " + std::to_string(round));
        const Bytes product = engineMultiply(a, b);
        EXPECT_EQ(product, orZero(referenceMultiply(stripped(a), stripped(b))));
        const Bytes plusOne = stripped(referenceAdd(stripped(product), stripped(a)));  // a (b + 1)
        const auto [quotient, remainder] = engineDivMod(plusOne, a);
        if (!stripped(a).empty()) {
            EXPECT_EQ(stripped(quotient), referenceAdd(stripped(b), {1}));
            EXPECT_EQ(remainder, Bytes{0});
        }
    }
}

}  // namespace
