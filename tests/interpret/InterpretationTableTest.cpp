// The fourteen readings of a few bytes, as both programs print them.
#include "interpret/InterpretationTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using interpretation::CharacterRows;

InterpretationState bytes(std::vector<std::uint8_t> data, bool little = true, int decimal = 0) {
    InterpretationState state;
    state.setBytes(data.data(), static_cast<int>(data.size()));
    state.littleEndian = little;
    state.decimal = decimal;
    return state;
}

std::string row(const InterpretationState& state, int index,
                CharacterRows characters = CharacterRows::Converted) {
    return interpretation::render(state, index, characters);
}

enum Row {
    Ascii,
    Multibyte,
    Unicode,
    UByte,
    UShort,
    ULong,
    UInt64,
    SByte,
    SShort,
    SLong,
    SInt64,
    Float,
    Double,
    LongDouble
};

TEST(InterpretationTableTest, OneByteFillsOnlyTheRowsThatNeedOne) {
    const auto texts = interpretation::renderAll(bytes({0x41}), CharacterRows::Converted);
    for (int i = 0; i < interpretation::kRows; ++i) {
        const bool filled = i == Ascii || i == UByte || i == SByte;
        EXPECT_EQ(texts[static_cast<std::size_t>(i)].empty(), !filled) << "row " << i;
    }
    EXPECT_EQ(texts[Ascii], "A");
    EXPECT_EQ(texts[UByte], "41H");
    const auto none = interpretation::renderAll(bytes({}), CharacterRows::Converted);
    for (const std::string& text : none) {
        EXPECT_EQ(text, "");
    }
}

struct IntegerCase {
    std::vector<std::uint8_t> data;
    bool little;
    int decimal;
    int row;
    const char* text;
};

TEST(InterpretationTableTest, IntegersInTheirOwnWidthOrderAndSystem) {
    const std::vector<std::uint8_t> ff8(8, 0xFF);
    const IntegerCase cases[] = {
        {{0x01, 0x02}, true, 0, UShort, "0201H"},
        {{0x01, 0x02}, false, 0, UShort, "0102H"},
        {{0x01, 0x02}, true, 1, UShort, "513"},
        {{0x80}, true, 0, SByte, "80H"},
        {{0x80}, true, 1, SByte, "-128"},
        {{0x80}, true, 1, UByte, "128"},
        {{0xFF}, true, 0, UByte, "ffH"},
        {ff8, true, 1, UInt64, "18446744073709551615"},
        {ff8, true, 1, SInt64, "-1"},
        {ff8, true, 0, UInt64, "ffffffffffffffffH"},
        {ff8, false, 0, SInt64, "ffffffffffffffffH"},
        {ff8, true, 0, SShort, "ffffH"},  // never sign-extended wider
        {ff8, true, 0, SLong, "ffffffffH"},
        {ff8, true, 1, SLong, "-1"},
        {ff8, true, 1, ULong, "4294967295"},
        {{0x00, 0x80}, true, 1, SShort, "-32768"},
        {{0x00, 0x80}, false, 1, SShort, "128"},
        {{0x12, 0x34, 0x56, 0x78}, false, 0, ULong, "12345678H"},
        {{0x12, 0x34, 0x56, 0x78}, true, 0, ULong, "78563412H"},
        {{0x00, 0x00, 0x00, 0x80}, true, 1, SLong, "-2147483648"},
        {{1, 0, 0, 0, 0, 0, 0, 0x80}, true, 1, SInt64, "-9223372036854775807"},
        {{1, 2, 3, 4, 5, 6, 7, 8}, false, 0, UInt64, "0102030405060708H"},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(row(bytes(c.data, c.little, c.decimal), c.row), c.text)
            << "row " << c.row << (c.little ? " little" : " big") << " decimal " << c.decimal;
    }
}

TEST(InterpretationTableTest, FloatingPointWithAThreeDigitExponent) {
    EXPECT_EQ(row(bytes({0x00, 0x00, 0x80, 0x3F}), Float), "1.000000e+000");
    EXPECT_EQ(row(bytes({0x00, 0x00, 0x80, 0x3F}, false), Float), "4.600603e-041");
    EXPECT_EQ(row(bytes({0x00, 0x00, 0x80, 0x3F}, true, 1), Float), "1.000000e+000");
    EXPECT_EQ(row(bytes({0, 0, 0, 0x80}), Float), "-0.000000e+000");
    EXPECT_EQ(row(bytes({0, 0, 0x80, 0x7F}), Float), "inf");
    EXPECT_EQ(row(bytes({0, 0, 0x80, 0xFF}), Float), "-inf");
    EXPECT_EQ(row(bytes({1, 0, 0xC0, 0x7F}), Float), "nan");
    EXPECT_EQ(row(bytes({1, 0, 0x80, 0xFF}), Float), "-nan");  // a signalling payload
    EXPECT_EQ(row(bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), Double), "1.000000e+000");
    EXPECT_EQ(row(bytes({0x3F, 0xF0, 0, 0, 0, 0, 0, 0}, false), Double), "1.000000e+000");
    EXPECT_EQ(row(bytes({1, 0, 0, 0, 0, 0, 0, 0}), Double), "4.940656e-324");
    EXPECT_EQ(row(bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0x7F}), Double),
              "1.797693e+308");
    EXPECT_EQ(row(bytes({0, 0, 0, 0, 0, 0, 0xF0, 0xFF}), Double), "-inf");
    // 1.0 as 80 bits: significand 8000000000000000, exponent 3FFF.
    const std::vector<std::uint8_t> one{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(row(bytes(one), LongDouble), "1.000000e+000");
    EXPECT_EQ(row(bytes({0x3F, 0xFF, 0x80, 0, 0, 0, 0, 0, 0, 0}, false), LongDouble),
              "1.000000e+000");
    EXPECT_EQ(row(bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF}), LongDouble), "");  // nine bytes
}

TEST(InterpretationTableTest, CharacterRowsIgnoreTheByteOrder) {
    for (const bool little : {true, false}) {
        EXPECT_EQ(row(bytes({0x41, 0x00}, little), Unicode), "A");
        EXPECT_EQ(row(bytes({0x41, 0x42}, little), Multibyte), "AB");
        EXPECT_EQ(row(bytes({0xC3, 0xA4}, little), Multibyte), "\xC3\xA4");
        EXPECT_EQ(row(bytes({0xAC, 0x20}, little), Unicode), "\xE2\x82\xAC");  // U+20AC
    }
    EXPECT_EQ(row(bytes({0x00, 0x41}), Ascii), "");
    EXPECT_EQ(row(bytes({0x00, 0x41}), Multibyte), "");
    EXPECT_EQ(row(bytes({0x41, 0x00}), Multibyte), "A");
    EXPECT_EQ(row(bytes({0xE9}), Ascii), "\xEF\xBF\xBD");
    EXPECT_EQ(row(bytes({0x00, 0xD8}), Unicode), "\xEF\xBF\xBD");  // a lone surrogate
    // Pellwick shows the two-byte text in both rows.
    EXPECT_EQ(row(bytes({0x42, 0x41}), Unicode, CharacterRows::TwoByteText), "BA");
    EXPECT_EQ(row(bytes({0x42, 0x41}), Multibyte, CharacterRows::TwoByteText), "BA");
}

TEST(InterpretationTableTest, SetBytesTakesAtMostSixteenAndRefusesNothing) {
    std::vector<std::uint8_t> many(40, 0x11);
    InterpretationState state;
    state.setBytes(many.data(), 40);
    EXPECT_EQ(state.count, 16);
    state.setBytes(nullptr, 5);
    EXPECT_EQ(state.count, 0);
    state.setBytes(many.data(), -3);
    EXPECT_EQ(state.count, 0);
}

}  // namespace

namespace {

TEST(PellwickInputTest, TheBytesFromTheCaretOnAtMostSixteen) {
    InterpretationState state;
    readTypedBytes(state, "41 42 43 44", 6);  // just before the third byte
    ASSERT_EQ(state.count, 2);
    EXPECT_EQ(interpretation::render(state, 0, interpretation::CharacterRows::TwoByteText), "C");
    EXPECT_EQ(interpretation::render(state, 4, interpretation::CharacterRows::TwoByteText),
              "4443H");
    readTypedBytes(state, "41 42", 5);
    EXPECT_EQ(state.count, 0);
    readTypedBytes(state, "00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12", 0);
    EXPECT_EQ(state.count, 16);
    EXPECT_EQ(state.data[15], 0x0F);
    readTypedBytes(state, "zz", 0);
    EXPECT_EQ(state.count, 0);
}

}  // namespace
