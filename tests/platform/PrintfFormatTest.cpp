#include "platform/PrintfFormat.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cstdint>

namespace {

using platform::formatPrintf;

TEST(PrintfFormatTest, FillsTheConversionsTheStringTableUses) {
    EXPECT_EQ(formatPrintf("Can't find string \"%s\"!", {"abc"}), "Can't find string \"abc\"!");
    EXPECT_EQ(formatPrintf("exceeds the limitation: %iMB", {16}), "exceeds the limitation: 16MB");
    EXPECT_EQ(formatPrintf("Line Width: %02X", {10}), "Line Width: 0A");
    EXPECT_EQ(formatPrintf("%08i", {42}), "00000042");
    EXPECT_EQ(formatPrintf("%lx|%ld|%lo", {255, 255, 255}), "ff|255|377");
    EXPECT_EQ(formatPrintf("%02x ", {std::uint8_t{7}}), "07 ");
    EXPECT_EQ(formatPrintf("%f", {1.27}), "1.270000");
    EXPECT_EQ(formatPrintf("%c%c", {'o', 'k'}), "ok");
    EXPECT_EQ(formatPrintf("100%% done", {}), "100% done");
    EXPECT_EQ(formatPrintf("Datamark Level %i", {3}), "Datamark Level 3");
}

TEST(PrintfFormatTest, SixtyFourBitValuesAreNeverCut) {
    const std::uint64_t offset = 0x1234567890ull;
    EXPECT_EQ(formatPrintf("%lx", {offset}), "1234567890");
    EXPECT_EQ(formatPrintf("%X", {offset}), "1234567890");
    EXPECT_EQ(formatPrintf("%i", {std::int64_t{-5000000000}}), "-5000000000");
    // A narrow negative number keeps its 32-bit pattern in hexadecimal.
    EXPECT_EQ(formatPrintf("%x", {-1}), "ffffffff");
    EXPECT_EQ(formatPrintf("%lx", {std::int64_t{-1}}), "ffffffffffffffff");
}

TEST(PrintfFormatTest, ABadTemplateNeverReadsPastItsArguments) {
    EXPECT_EQ(formatPrintf("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(formatPrintf("%i", {}), "%i");
    EXPECT_EQ(formatPrintf("50%", {}), "50%");
    EXPECT_EQ(formatPrintf("%y %s", {"x"}), "%y x");
    EXPECT_EQ(formatPrintf("%*d", {5}), "%*d");
    // A mismatched argument is converted, not reinterpreted.
    EXPECT_EQ(formatPrintf("%s", {12}), "12");
    EXPECT_EQ(formatPrintf("%i", {"34"}), "34");
    EXPECT_EQ(formatPrintf("%-6s|", {"ab"}), "ab    |");
}

TEST(PrintfFormatTest, OutOfRangeNumbersAndHugeWidthsAreHeldToWhatFits) {
    EXPECT_EQ(formatPrintf("%d", {1e300}), "9223372036854775807");
    EXPECT_EQ(formatPrintf("%d", {-1e300}), "-9223372036854775808");
    EXPECT_EQ(formatPrintf("%u", {-5.0}), "0");
    EXPECT_EQ(formatPrintf("%x", {std::nan("")}), "0");
    EXPECT_EQ(formatPrintf("%999999999d", {7}).size(), 512u);
    EXPECT_EQ(formatPrintf("%.999999999f", {1.5}).size(), 514u);  // "1." and 512 digits
}

}  // namespace
