#include "platform/NumberText.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberTextTest, NumbersInTheThreeSystems) {
    EXPECT_TRUE(isDigitsOf("1f", NumberBase::Hexadecimal));
    EXPECT_FALSE(isDigitsOf("1f", NumberBase::Decimal));
    EXPECT_FALSE(isDigitsOf("8", NumberBase::Octal));
    EXPECT_EQ(parseInBase("10000", NumberBase::Hexadecimal), 65536u);
    EXPECT_EQ(parseInBase("", NumberBase::Decimal), std::nullopt);
    EXPECT_EQ(formatInBase(65536, NumberBase::Octal), "200000");
    EXPECT_EQ(formatInBase(255, NumberBase::Hexadecimal), "ff");
    EXPECT_EQ(digitMessageId(NumberBase::Octal), 1023);
}

}  // namespace
