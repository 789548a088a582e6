#include "display/DisplayTexts.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DisplayTextsTest, AddressesInEitherBase) {
    EXPECT_EQ(addressText(0x10, true), "00000010");
    EXPECT_EQ(addressText(16, false), "00000016");
    EXPECT_EQ(addressText(0x123456789ull, true), "123456789");
    EXPECT_EQ(addressText(0x10, true, 10), "0000000010");
    EXPECT_EQ(addressDigits(0xFFFFFFFFull, true), 8);
    EXPECT_EQ(addressDigits(0x100000000ull, true), 9);
    EXPECT_EQ(addressDigits(99999999ull, false), 8);
    EXPECT_EQ(addressDigits(100000000ull, false), 9);
}

TEST(DisplayTextsTest, HexLinesGroupUnitsAndBlankTheIndent) {
    const std::vector<std::uint8_t> bytes{0x00, 0x1F, 0xA0, 0xFF, 0x7E};
    EXPECT_EQ(hexLineText(bytes.data(), 5, 0, 1), "00 1F A0 FF 7E");
    EXPECT_EQ(hexLineText(bytes.data(), 5, 0, 2), "001F A0FF 7E");
    // Indent 3 with unit 2: one whole unit of blanks (5 cells) and one byte (2).
    EXPECT_EQ(hexLineText(bytes.data(), 5, 3, 2),
              "     "
              "  00 1FA0 FF7E");
    const std::vector<std::uint8_t> modified{0, 1, 0, 0, 1};
    EXPECT_EQ(hexModifiedText(bytes.data(), modified.data(), 5, 0, 1), "   1F       7E");
}

TEST(DisplayTextsTest, TheCharacterPanelEscapesWhatIsNotPrintable) {
    const std::vector<std::uint8_t> bytes{'A', 0x1F, 0x20, 0x7F, 0x80, 0xFF};
    EXPECT_EQ(charLineText(bytes.data(), 6, 2, '.'), "  A. \x7F..");
    const std::vector<std::uint8_t> modified{1, 0, 0, 0, 0, 1};
    EXPECT_EQ(charModifiedText(bytes.data(), modified.data(), 6, 0, '*'), "A    *");
}

TEST(DisplayTextsTest, HeaderColumnsCoverWholeUnits) {
    // Line width 10, unit 4: 00..09, the third group holding only two numbers.
    // Whole units: the partial last unit goes on with 00 01.
    EXPECT_EQ(headerColumnsText(10, 0, 4, true), "00010203 04050607 08090001");
    // Indent 3: the numbers over the indent are those of the line's end.
    EXPECT_EQ(headerIndentText(4, 3, 1, false), "01 02 03   ");
    EXPECT_EQ(headerColumnsText(4, 3, 1, false), "         00");
    EXPECT_EQ(headerColumnsText(16, 0, 1, true).substr(27, 20), "09 0A 0B 0C 0D 0E 0F");
}

TEST(DisplayTextsTest, StatusFieldsFollowTheCaret) {
    const platform::StringTable strings{displayStrings()};
    EXPECT_EQ(pageField(strings, 3 * 71 * 48 + 5, 71, 48, true).text, "Page: 4");
    const StatusField off = pageField(strings, 1000, 71, 48, false);
    EXPECT_EQ(off.text, "Page: ");
    EXPECT_TRUE(off.raised);
    EXPECT_EQ(lineField(strings, 71 * 9 + 70, 71).text, "Line: 9");
    EXPECT_EQ(posField(strings, 0x1F, 0x100).text, "Pos: 11fH,287");
    EXPECT_EQ(lenField(strings, 0).text, "Len: 0H,0");
    EXPECT_EQ(sizeField(strings, 5ull << 30, true).text, "Size: 5368709120");
    EXPECT_TRUE(sizeField(strings, 1, true).raised);
    EXPECT_EQ(readField(strings, true).text, "Read");
    EXPECT_EQ(readField(strings, false).text, "Norm");
    EXPECT_FALSE(readField(strings, false).raised);
}

}  // namespace
