#include "exchange/HexTextCopy.h"

#include <gtest/gtest.h>

#include <numeric>

#include "editdata/CEditData.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/QuietOwner.h"

namespace {

class HexTextCopyTest : public testing::Test {
  protected:
    testsupport::QuietOwner owner;
    CEditData data;
    testsupport::FakeClipboard clipboard;

    void loadCounting(std::size_t size) {
        data.setOwner(&owner);
        ASSERT_TRUE(data.create(size, 0));
        for (std::size_t i = 0; i < size; ++i) {
            std::uint8_t byte = static_cast<std::uint8_t>(i);
            ASSERT_TRUE(data.writeByte(byte, i, false));
        }
    }
};

TEST_F(HexTextCopyTest, ARangeGoesInLinesOfSixteenAndAShortLastLineKeepsItsSpace) {
    loadCounting(40);
    ASSERT_EQ(copyRangeAsHexText(data, clipboard, 3, 20, kClipboardHexForm, 1048576),
              CopyResult::Copied);
    EXPECT_EQ(clipboard.readText(), "03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12\r\n13 ");

    ASSERT_EQ(copyRangeAsHexText(data, clipboard, 0, 16, kClipboardCForm, 1048576),
              CopyResult::Copied);
    EXPECT_EQ(clipboard.readText(),
              "0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, "
              "0x0d, 0x0e, 0x0f,\r\n");
}

TEST_F(HexTextCopyTest, ABlockGivesOneLinePerRowAndStopsAtTheEndOfTheData) {
    loadCounting(20);
    ColumnBlock block;
    block.lineWidth = 8;
    block.firstLine = 0;
    block.lastLine = 4;  // lines 3 and 4 lie beyond the data
    block.firstColumn = 2;
    block.lastColumn = 5;
    ASSERT_EQ(copyBlockAsHexText(data, clipboard, block, kClipboardHexForm, 1048576),
              CopyResult::Copied);
    // Row 2 starts at 18 and is cut at the end of the data.
    EXPECT_EQ(clipboard.readText(), "02 03 04 05\r\n0a 0b 0c 0d\r\n12 13 ");
}

TEST_F(HexTextCopyTest, TheTextsEstimatedSizeIsHeldToTheCopyLimit) {
    loadCounting(64);
    clipboard.putText("before");
    // 64 bytes: four lines estimated at 100 characters each.
    EXPECT_EQ(copyRangeAsHexText(data, clipboard, 0, 64, kClipboardHexForm, 399),
              CopyResult::TooLarge);
    EXPECT_EQ(copyRangeAsHexText(data, clipboard, 0, 64, kClipboardHexForm, 400),
              CopyResult::Copied);
    ColumnBlock block;
    block.lineWidth = 16;
    block.lastLine = 3;
    block.lastColumn = 3;
    // 4 rows x (4 + 1) x 6 = 120.
    EXPECT_EQ(copyBlockAsHexText(data, clipboard, block, kClipboardHexForm, 119),
              CopyResult::TooLarge);
    EXPECT_EQ(copyBlockAsHexText(data, clipboard, block, kClipboardHexForm, 120),
              CopyResult::Copied);
    clipboard.refuseOpen = true;
    EXPECT_EQ(copyRangeAsHexText(data, clipboard, 0, 4, kClipboardHexForm, 400),
              CopyResult::Unavailable);
}

}  // namespace
