// The mount table: its lines, escapes, read-only mounts and the mount that
// holds a path.
#include "platform/Mounts.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kTable =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "40 22 0:35 / /tmp rw,nosuid - tmpfs tmpfs rw\n"
    "41 22 8:17 / /media/me/My\\040Disk rw - vfat /dev/sdb1 rw\n"
    "42 22 0:50 / /srv/share rw - nfs4 server:/export rw\n"
    "43 22 7:0 / /snap/core ro,nodev - squashfs /dev/loop0 ro\n"
    "44 22 8:2 / /data ro - ext4 /dev/sda2 ro\n"
    "45 44 8:3 / /data rw - ext4 /dev/sda3 rw\n"
    "broken line\n";

TEST(MountsTest, LinesEscapesAndTheMountHoldingAPath) {
    const auto table = platform::parseMountTable(kTable);
    ASSERT_EQ(table.size(), 7u);
    EXPECT_EQ(table[2].mountPoint, "/media/me/My Disk");
    EXPECT_EQ(table[1].type, "tmpfs");
    EXPECT_TRUE(table[4].readOnly);
    EXPECT_FALSE(table[0].readOnly);
    EXPECT_EQ(platform::mountHolding(table, "/tmp/x")->mountPoint, "/tmp");
    EXPECT_EQ(platform::mountHolding(table, "/tmpfile")->mountPoint, "/");
    // The later mount on one point covers the earlier.
    EXPECT_EQ(platform::mountHolding(table, "/data/a")->source, "/dev/sda3");

    EXPECT_TRUE(platform::isLocalWritableMount(table[0]));
    EXPECT_TRUE(platform::isLocalWritableMount(table[1]));   // a RAM disk counts
    EXPECT_FALSE(platform::isLocalWritableMount(table[2]));  // removable
    EXPECT_FALSE(platform::isLocalWritableMount(table[3]));  // network
    EXPECT_FALSE(platform::isLocalWritableMount(table[4]));  // read-only
}

}  // namespace
