#include "calc/HexEditText.h"

#include <gtest/gtest.h>

namespace {

TEST(HexEditTextTest, SwapsReverseGroupsAndKeepTokensAsTyped) {
    EXPECT_EQ(swapHexTextOrder("  01 02 03 04 05  ", 4), "04 03 02 01 05 ");
    EXPECT_EQ(swapHexTextOrder("a B", 1), "B a ");
    EXPECT_EQ(swapHexTextOrder("1\t2\r\n3 4 5 6", 2), "2 1 4 3 6 5 ");
    // A group larger than the text reverses the text as one.
    EXPECT_EQ(swapHexTextOrder("01 02 03", 8), "03 02 01 ");
}

TEST(HexEditTextTest, OverwriteWritesCanonicalBytesForEachToken) {
    EXPECT_EQ(overwriteHexText("1 22  3", 0xff), "ff ff ff ");
    EXPECT_EQ(overwriteHexText("1", 0x00), "00 ");
}

TEST(HexEditTextTest, InvalidOrEmptyTextIsLeftAlone) {
    for (const char* text : {"01 02 003", "0g", "", "   "}) {
        EXPECT_FALSE(overwriteHexText(text, 0xff)) << text;
        EXPECT_FALSE(swapHexTextOrder(text, 1)) << text;
    }
    // A wildcard token counts only where wildcards are accepted.
    EXPECT_FALSE(swapHexTextOrder("1* 2f", 1));
    EXPECT_EQ(swapHexTextOrder("1* 2f", 1, true, '*'), "2f 1* ");
}

TEST(HexEditTextTest, TamsorelPasteAppendsWithOneSpaceOrReplaces) {
    EXPECT_EQ(appendOrReplaceHexText("01 02", false, "03"), "01 02 03");
    EXPECT_EQ(appendOrReplaceHexText("01 02 ", false, "03"), "01 02 03");
    EXPECT_EQ(appendOrReplaceHexText("01 02", false, " 03"), "01 02 03");
    EXPECT_EQ(appendOrReplaceHexText("01 02", true, "03"), "03");
    EXPECT_EQ(appendOrReplaceHexText("", false, "03"), "03");
}

TEST(HexEditTextTest, ValidatorRefusesInvalidTextAndKeepsTheLastValid) {
    HexTextValidator validator(true, 10);
    EXPECT_EQ(validator.check("0"), HexTextValidator::Verdict::Accepted);
    EXPECT_EQ(validator.check("0g"), HexTextValidator::Verdict::Invalid);
    EXPECT_EQ(validator.lastValid(), "0");
    EXPECT_EQ(validator.check("01 02 03 04"), HexTextValidator::Verdict::OverLimit);
    EXPECT_EQ(validator.lastValid(), "0");

    validator.setWildcardAllowed(true);
    EXPECT_EQ(validator.check("0*"), HexTextValidator::Verdict::Accepted);

    // A box that does not validate still keeps its limit.
    HexTextValidator calculator(false, 4);
    EXPECT_EQ(calculator.check("xyz"), HexTextValidator::Verdict::Accepted);
    EXPECT_EQ(calculator.check("xyzzy"), HexTextValidator::Verdict::OverLimit);
}

TEST(HexEditTextTest, APasteIsCutOnlyBetweenTokens) {
    EXPECT_EQ(cutAtTokenBoundary("aa bb", 5), "aa bb");
    EXPECT_EQ(cutAtTokenBoundary("aa bb cc", 7), "aa bb");  // never "aa bb c"
    EXPECT_EQ(cutAtTokenBoundary("aa bb cc", 4), "aa");
    EXPECT_EQ(cutAtTokenBoundary(" 03 04 05", 3), " 03");
    EXPECT_EQ(cutAtTokenBoundary("ff", 1), std::nullopt);  // never "f"
    EXPECT_EQ(cutAtTokenBoundary(" ff", 2), std::nullopt);
    EXPECT_EQ(cutAtTokenBoundary("", 0), "");
}

}  // namespace
