#include "editdata/CCachedData.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(CCachedDataTest, CoversCopiesAndReadsOnlyItsOwnBytes) {
    std::array<std::uint8_t, 1024> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    CCachedData block;
    EXPECT_TRUE(block.isEmpty());
    EXPECT_FALSE(block.coversRange(0, 1));
    EXPECT_FALSE(block.setBlock(2048, 0, bytes.data()));
    EXPECT_FALSE(block.setBlock(2048, 10, nullptr));

    ASSERT_TRUE(block.setBlock(2048, 100, bytes.data()));  // a short last block
    EXPECT_TRUE(block.coversRange(2048, 100));
    EXPECT_TRUE(block.coversRange(2147, 1));
    EXPECT_FALSE(block.coversRange(2147, 2));
    EXPECT_FALSE(block.coversRange(2047, 1));

    std::uint8_t byte = 0;
    EXPECT_TRUE(block.readByte(2050, byte));
    EXPECT_EQ(byte, 2);
    EXPECT_FALSE(block.readByte(2148, byte));

    // A range that starts before the block and ends inside it.
    std::array<std::uint8_t, 8> target{};
    target.fill(0xEE);
    EXPECT_TRUE(block.copyOverlap(2044, 8, target.data()));
    EXPECT_EQ(target, (std::array<std::uint8_t, 8>{0xEE, 0xEE, 0xEE, 0xEE, 0, 1, 2, 3}));
    EXPECT_FALSE(block.copyOverlap(2148, 8, target.data()));
    EXPECT_FALSE(block.copyOverlap(2040, 8, target.data()));
}

}  // namespace
