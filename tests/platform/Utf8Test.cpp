// Character counts and cuts that never split a UTF-8 sequence.
#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Test, CountsAndCutsAtCharacterBoundaries) {
    EXPECT_EQ(utf8Length(""), 0u);
    EXPECT_EQ(utf8Length("a\xC3\xA4\xE2\x82\xAC"), 3u);
    EXPECT_EQ(utf8PrefixBytes("a\xC3\xA4\xE2\x82\xAC", 2), 3u);
    EXPECT_EQ(utf8PrefixBytes("a\xC3\xA4", 5), 3u);
    EXPECT_EQ(utf8PrefixBytes("\x80\x80z", 0), 0u);  // stray continuation bytes
    EXPECT_EQ(utf8PrefixBytes("\x80\x80z", 1), 3u);
}

}  // namespace
