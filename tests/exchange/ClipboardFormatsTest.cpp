#include "exchange/ClipboardFormats.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;

TEST(ClipboardFormatsTest, HexDataIsATwelveByteLittleEndianHeaderAndTheBytes) {
    const std::vector<std::uint8_t> raw =
        encodeHexData({0x01020304, 0x10, {0x41, 0x42, 0x00, 0x43}});
    EXPECT_THAT(raw, ElementsAre(0x04, 0x03, 0x02, 0x01, 0x10, 0, 0, 0, 4, 0, 0, 0, 0x41, 0x42,
                                 0x00, 0x43));
    const auto back = decodeHexData(raw);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->dataStartAddress, 0x01020304u);
    EXPECT_EQ(back->sourceOffset, 0x10u);
    EXPECT_THAT(back->bytes, ElementsAre(0x41, 0x42, 0x00, 0x43));
}

TEST(ClipboardFormatsTest, TheTextBesideARangeEndsAtTheFirstZero) {
    const std::vector<std::uint8_t> abzc = {0x41, 0x42, 0x00, 0x43};
    EXPECT_EQ(leadingText(abzc), "AB");
    const std::vector<std::uint8_t> za = {0x00, 0x41};
    EXPECT_EQ(leadingText(za), "");
}

TEST(ClipboardFormatsTest, AShortBlockIsZeroFilledUnderItsFullHeader) {
    // Two rows of three columns, of which only four bytes existed.
    const std::vector<std::uint8_t> raw = encodeHexBlock({0, 5, 2, 3, {1, 2, 3, 4}});
    ASSERT_EQ(raw.size(), 16u + 6u);
    EXPECT_THAT(std::vector<std::uint8_t>(raw.begin(), raw.begin() + 16),
                ElementsAre(0, 0, 0, 0, 5, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0));
    EXPECT_THAT(std::vector<std::uint8_t>(raw.begin() + 16, raw.end()),
                ElementsAre(1, 2, 3, 4, 0, 0));
    const auto back = decodeHexBlock(raw);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->rows, 2u);
    EXPECT_EQ(back->columns, 3u);
    EXPECT_EQ(back->bytes.size(), 6u);
}

TEST(ClipboardFormatsTest, ContentShorterThanItsHeaderSaysIsRefused) {
    std::vector<std::uint8_t> raw = encodeHexData({0, 0, {1, 2, 3}});
    raw.pop_back();
    EXPECT_FALSE(decodeHexData(raw).has_value());
    EXPECT_FALSE(decodeHexData(std::vector<std::uint8_t>(11, 0)).has_value());
    // A block header claiming 2^32 x 2^32 bytes does not overflow the check.
    std::vector<std::uint8_t> huge = encodeHexBlock({0, 0, 0, 0, {}});
    std::fill(huge.begin() + 8, huge.begin() + 16, 0xff);
    EXPECT_FALSE(decodeHexBlock(huge).has_value());
}

}  // namespace
