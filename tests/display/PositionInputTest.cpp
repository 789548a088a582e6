#include "display/PositionInput.h"

#include <gtest/gtest.h>

namespace pt = positiontext;

TEST(PositionInputTest, NumbersReadAndWriteInEachBase) {
    EXPECT_EQ(formatNumber(0x1f, NumberBase::Hexadecimal), "1f");
    EXPECT_EQ(formatNumber(31, NumberBase::Decimal), "31");
    EXPECT_EQ(formatNumber(31, NumberBase::Octal), "37");
    EXPECT_EQ(parseNumber(" 1F ", NumberBase::Hexadecimal), 0x1f);
    EXPECT_EQ(parseNumber("-5", NumberBase::Decimal), -5);
    EXPECT_EQ(parseNumber("17", NumberBase::Octal), 15);
    // Digits of another base, trailing text, nothing at all and overflow do not read.
    EXPECT_EQ(parseNumber("18", NumberBase::Octal), std::nullopt);
    EXPECT_EQ(parseNumber("12ab", NumberBase::Decimal), std::nullopt);
    EXPECT_EQ(parseNumber("  ", NumberBase::Hexadecimal), std::nullopt);
    EXPECT_EQ(parseNumber("10000000000000000", NumberBase::Hexadecimal), std::nullopt);
    EXPECT_EQ(rebaseNumber("ff", NumberBase::Hexadecimal, NumberBase::Octal), "377");
    EXPECT_EQ(rebaseNumber("zz", NumberBase::Hexadecimal, NumberBase::Decimal), "zz");
}

TEST(PositionInputTest, SetRangeChecksInOrder) {
    // Data start 0x100, 0x40 bytes: addresses 0x100 .. 0x140.
    EXPECT_EQ(checkRange(0x120, 0x120, 0x100, 0x40), pt::kRangeEmpty);
    // An equal pair outside the data is still reported as equal first.
    EXPECT_EQ(checkRange(0x10, 0x10, 0x100, 0x40), pt::kRangeEmpty);
    EXPECT_EQ(checkRange(0xff, 0x120, 0x100, 0x40), pt::kBelowMinimum);
    EXPECT_EQ(checkRange(0x120, 0x141, 0x100, 0x40), pt::kAboveMaximum);
    EXPECT_EQ(checkRange(std::nullopt, 0x120, 0x100, 0x40), pt::kBelowMinimum);
    // The end may be the end of the data; the ends may come in either order.
    EXPECT_EQ(checkRange(0x100, 0x140, 0x100, 0x40), "");
    EXPECT_EQ(checkRange(0x140, 0x100, 0x100, 0x40), "");
}

TEST(PositionInputTest, SetColumnBlockChecksOrderBeforeRange) {
    const auto check = [](std::int64_t r0, std::int64_t r1, std::int64_t c0, std::int64_t c1) {
        return checkColumnBlock({r0, r1, c0, c1}, 10, 8);
    };
    EXPECT_EQ(check(5, 4, 0, 1), pt::kLastRowFirst);
    EXPECT_EQ(check(4, 50, 3, 2), pt::kLastColumnFirst);
    EXPECT_EQ(check(0, 10, 0, 7), pt::kRowOutOfRange);
    EXPECT_EQ(check(-1, 9, 0, 7), pt::kRowOutOfRange);
    EXPECT_EQ(check(0, 9, 0, 8), pt::kColumnOutOfRange);
    EXPECT_EQ(check(0, 9, 0, 7), "");
    EXPECT_EQ(checkColumnBlock({0, 1, std::nullopt, 2}, 10, 8), pt::kColumnOutOfRange);
}

TEST(PositionInputTest, GoToAndSpecifiedPositionBounds) {
    EXPECT_EQ(checkGoToPosition(0x13f, 0x100, 0x40), "");
    EXPECT_EQ(checkGoToPosition(0x140, 0x100, 0x40), pt::kOutOfDataRange);
    EXPECT_EQ(checkGoToPosition(0xff, 0x100, 0x40), pt::kOutOfDataRange);
    EXPECT_EQ(checkGoToPosition(0, 0, 0), pt::kOutOfDataRange);  // an empty file has no position
    EXPECT_EQ(checkGoToLine(9, 10), "");
    EXPECT_EQ(checkGoToLine(10, 10), pt::kBeyondMaximalLine);
    EXPECT_EQ(checkGoToLine(-1, 10), pt::kBeyondMaximalLine);
    EXPECT_EQ(checkSpecifiedPosition(0xffffffff, 0, 0xffffffff), "");
    EXPECT_EQ(checkSpecifiedPosition(0x100000000, 0, 0xffffffff), pt::kOutOfSpecifiedRange);
    EXPECT_EQ(checkSpecifiedPosition(std::nullopt, 0, 10), pt::kOutOfSpecifiedRange);
}
