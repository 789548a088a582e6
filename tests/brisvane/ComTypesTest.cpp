#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "brisvane/ComTypes.h"

namespace {

// A CF_HDROP block: the header, then each path and its NUL, then one more NUL.
std::vector<char> dropBlock(const std::vector<std::string>& paths) {
    std::vector<char> block(sizeof(com::DROPFILES));
    const com::DROPFILES header;
    std::memcpy(block.data(), &header, sizeof header);
    for (const std::string& path : paths) {
        block.insert(block.end(), path.begin(), path.end());
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

TEST(ComTypesTest, GuidsReadAndWriteTheirText) {
    EXPECT_EQ(com::IID_IContextMenu.text(), "{000214E4-0000-0000-C000-000000000046}");
    const auto parsed = com::GUID::parse("{6e2a91c4-5b07-4f3d-a8e2-13c9d4b07f16}");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->text(), "{6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F16}");
    for (const char* bad : {"", "{6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F1}",
                            "6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F16XX",
                            "{6E2A91C4X5B07-4F3D-A8E2-13C9D4B07F16}",
                            "{6E2A91C4-5B07-4F3D-A8E2-13C9D4B07FG6}"}) {
        EXPECT_FALSE(com::GUID::parse(bad).has_value()) << bad;
    }
}

TEST(ComTypesTest, ADropListIsReadOnlyWithinItsBlock) {
    const auto block = dropBlock({"/a b", "/c"});
    EXPECT_EQ(com::dropListPaths(block.data(), block.size()),
              (std::vector<std::string>{"/a b", "/c"}));
    // Without the empty path at the end, or cut inside a path: not a list.
    EXPECT_FALSE(com::dropListPaths(block.data(), block.size() - 1).has_value());
    EXPECT_FALSE(com::dropListPaths(block.data(), block.size() - 3).has_value());
    EXPECT_FALSE(com::dropListPaths(block.data(), sizeof(com::DROPFILES) - 1).has_value());
    EXPECT_FALSE(com::dropListPaths(nullptr, 100).has_value());
    auto past = block;
    com::DROPFILES header;
    header.filesOffset = static_cast<std::uint32_t>(block.size() + 10);
    std::memcpy(past.data(), &header, sizeof header);
    EXPECT_FALSE(com::dropListPaths(past.data(), past.size()).has_value());
    const auto empty = dropBlock({});
    EXPECT_EQ(com::dropListPaths(empty.data(), empty.size()), std::vector<std::string>{});
}

}  // namespace
