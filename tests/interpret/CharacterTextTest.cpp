// The character rows' texts: UTF-8 decoding, replacements and one line each.
#include "interpret/CharacterText.h"

#include <gtest/gtest.h>

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(CharacterTextTest, TwoBytesDecodeAsUtf8OrEachAlone) {
    EXPECT_EQ(twoByteText(0xC3, 0xA4), "\xC3\xA4");
    EXPECT_EQ(twoByteText(0x41, 0xC3), "A" + kReplacement);
    EXPECT_EQ(twoByteText(0xC3, 0x41), kReplacement + "A");
    EXPECT_EQ(twoByteText(0xC0, 0x80), kReplacement + kReplacement);  // overlong
    EXPECT_EQ(twoByteText(0xE2, 0x82), kReplacement);                 // a cut-off euro sign
    EXPECT_EQ(twoByteText(0xED, 0xA0), kReplacement + kReplacement);  // a surrogate's start
    EXPECT_EQ(twoByteText(0xF4, 0x90), kReplacement + kReplacement);  // beyond U+10FFFF
    EXPECT_EQ(twoByteText(0x80, 0x80), kReplacement + kReplacement);
}

TEST(CharacterTextTest, ControlsStayOnOneLine) {
    EXPECT_EQ(singleByteText('\n'), "\xE2\x90\x8A");  // U+240A
    EXPECT_EQ(singleByteText(0x7F), "\xE2\x90\xA1");  // U+2421
    EXPECT_EQ(twoByteText('\r', '\t'), "\xE2\x90\x8D\xE2\x90\x89");
    EXPECT_EQ(twoByteText(0xC2, 0x85), kReplacement);  // NEL
    EXPECT_EQ(codeUnitText(0x2028), kReplacement);
    EXPECT_EQ(codeUnitText(0x000A), "\xE2\x90\x8A");
}

TEST(CharacterTextTest, CodeUnits) {
    EXPECT_EQ(codeUnitText(0), "");
    EXPECT_EQ(codeUnitText(0x00E4), "\xC3\xA4");
    EXPECT_EQ(codeUnitText(0xFFFF), "\xEF\xBF\xBF");
    EXPECT_EQ(codeUnitText(0xDC00), kReplacement);
}

}  // namespace
