#include "exchange/HexText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;

TEST(HexTextTest, TokensOfOneOrTwoDigitsBetweenAnyBlanks) {
    const std::string text = "  0a 1\tFF\r\n";
    EXPECT_EQ(countHexTokens(text, false), 3);
    EXPECT_THAT(parseHexText(text), ElementsAre(0x0a, 0x01, 0xff));
    EXPECT_EQ(countHexTokens("", false), 0);
    EXPECT_EQ(countHexTokens(" \t\r\n ", false), 0);
    EXPECT_TRUE(parseHexText("   ").empty());
}

TEST(HexTextTest, LongTokensAndOtherLettersAreInvalid) {
    EXPECT_EQ(countHexTokens("0a 123", false), -1);
    EXPECT_EQ(countHexTokens("0g", false), -1);
    EXPECT_EQ(countHexTokens("4-", false), -1);
}

TEST(HexTextTest, WildcardsOnlyWhereAllowed) {
    EXPECT_EQ(countHexTokens("1* 2f", true), 2);
    EXPECT_EQ(countHexTokens("1* 2f", false), -1);
    EXPECT_EQ(countHexTokens("1? 2f", true, '?'), 2);
    EXPECT_EQ(countHexTokens("1* 2f", true, '?'), -1);
}

TEST(HexTextTest, ParsingStopsWhenTheBufferIsFull) {
    std::uint8_t two[2] = {0, 0};
    EXPECT_EQ(parseHexText("01 02 03", two), 2);
    EXPECT_EQ(two[0], 1);
    EXPECT_EQ(two[1], 2);
    // Without a buffer it only counts.
    EXPECT_EQ(parseHexText("01 02 03", {}), 3);
}

TEST(HexTextTest, CanonicalTextAndFlattening) {
    const std::uint8_t bytes[] = {0x00, 0x0a, 0xff};
    EXPECT_EQ(toHexText(bytes), "00 0a ff ");
    EXPECT_EQ(flattenHexText("01\t02\r\n03"), "01 02  03");
}

}  // namespace
