#include "exchange/ClipboardExchange.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editdata/CEditData.h"
#include "exchange/ClipboardFormats.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/QuietOwner.h"

namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

class ClipboardExchangeTest : public testing::Test {
  protected:
    testsupport::QuietOwner owner;
    CEditData data;
    testsupport::FakeClipboard clipboard;

    void load(const std::vector<std::uint8_t>& bytes) {
        data.setOwner(&owner);
        ASSERT_TRUE(data.create(bytes.size(), 0));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            std::uint8_t b = bytes[i];
            ASSERT_TRUE(data.writeByte(b, i, false));
        }
    }
    std::vector<std::uint8_t> all() {
        std::vector<std::uint8_t> bytes(data.getDataSize());
        std::uint64_t read = 0;
        data.readData(bytes.data(), bytes.size(), read, 0);
        return bytes;
    }
};

TEST_F(ClipboardExchangeTest, ARangeGoesAsHexDataWithItsLeadingText) {
    load({0x41, 0x42, 0x00, 0x43});
    ASSERT_EQ(copyRange(data, clipboard, 0, 4, 0x100, 1048576), CopyResult::Copied);
    EXPECT_EQ(clipboard.readText(), "AB");
    const auto raw = clipboard.read(kHexDataFormat);
    ASSERT_TRUE(raw.has_value());
    EXPECT_THAT(*raw, ElementsAre(0, 1, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x41, 0x42, 0, 0x43));
    // A range starting with a zero byte puts no text.
    ASSERT_EQ(copyRange(data, clipboard, 2, 4, 0, 1048576), CopyResult::Copied);
    EXPECT_FALSE(clipboard.hasText());
}

TEST_F(ClipboardExchangeTest, ACopyAboveTheLimitOrWithoutClipboardLeavesItAsItWas) {
    load({1, 2, 3, 4});
    clipboard.putText("before");
    EXPECT_EQ(copyRange(data, clipboard, 0, 4, 0, 3), CopyResult::TooLarge);
    clipboard.refuseOpen = true;
    EXPECT_EQ(copyRange(data, clipboard, 0, 4, 0, 10), CopyResult::Unavailable);
    EXPECT_EQ(clipboard.readText(), "before");
    EXPECT_FALSE(clipboard.hasFormat(kHexDataFormat));
    EXPECT_EQ(copyLimitInMegabytes(1048576), 1);
}

TEST_F(ClipboardExchangeTest, ABlockPastTheEndIsZeroFilledAndHasNoText) {
    // 10 bytes at 4 a line: columns 1..2 of lines 1..2 are bytes 5, 6, 9 and one past the end.
    load({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    ColumnBlock block;
    block.lineWidth = 4;
    block.firstLine = 1;
    block.lastLine = 2;
    block.firstColumn = 1;
    block.lastColumn = 2;
    ASSERT_EQ(copyBlock(data, clipboard, block, 0, 1048576), CopyResult::Copied);
    EXPECT_FALSE(clipboard.hasText());
    const auto content = decodeHexBlock(*clipboard.read(kHexBlockFormat));
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->sourceOffset, 5u);
    EXPECT_EQ(content->rows, 2u);
    EXPECT_EQ(content->columns, 2u);
    EXPECT_THAT(content->bytes, ElementsAre(5, 6, 9, 0));
}

TEST_F(ClipboardExchangeTest, PasteTakesHexDataFirstThenTheBlockThenText) {
    load({0xaa, 0xbb});
    clipboard.putText("zz");
    clipboard.put(kHexDataFormat, encodeHexData({0, 0, {1, 2}}));
    ASSERT_TRUE(isPasteAvailable(clipboard));
    ASSERT_TRUE(pasteInsert(data, clipboard, {1, 16, 0, 1}, false));
    EXPECT_THAT(all(), ElementsAre(0xaa, 1, 2, 0xbb));

    testsupport::FakeClipboard textOnly;
    textOnly.putText("Hi");
    ASSERT_TRUE(pasteInsert(data, textOnly, {0, 16, 0, 1}, false));
    EXPECT_THAT(all(), ElementsAre('H', 'i', 0xaa, 1, 2, 0xbb));

    testsupport::FakeClipboard nothing;
    EXPECT_FALSE(isPasteAvailable(nothing));
    EXPECT_FALSE(pasteInsert(data, nothing, {0, 16, 0, 1}, false));
    EXPECT_EQ(all().size(), 6u);
}

TEST_F(ClipboardExchangeTest, OverwriteToEndThatDoesNotFitChangesNothing) {
    load({1, 2, 3, 4});
    clipboard.put(kHexDataFormat, encodeHexData({0, 0, std::vector<std::uint8_t>(10, 9)}));
    EXPECT_FALSE(pasteOverwrite(data, clipboard, {2, 16, 0, 1}, true, false));
    EXPECT_THAT(all(), ElementsAre(1, 2, 3, 4));
    clipboard.put(kHexDataFormat, encodeHexData({0, 0, {7, 8}}));
    ASSERT_TRUE(pasteOverwrite(data, clipboard, {0, 16, 0, 1}, true, false));
    EXPECT_THAT(all(), ElementsAre(1, 2, 7, 8));
}

TEST_F(ClipboardExchangeTest, ABlockWiderThanTheLineWidensTheOperation) {
    const ColumnBlock block = placeBlock({5, 4, 0, 1}, 2, 6);
    EXPECT_EQ(block.firstLine, 1);
    EXPECT_EQ(block.lastLine, 2);
    EXPECT_EQ(block.firstColumn, 1);
    EXPECT_EQ(block.lastColumn, 6);
    EXPECT_EQ(block.lineWidth, 7);
}

TEST_F(ClipboardExchangeTest, ABlockLandsAtTheStartOfTheCaretsUnit) {
    // Unit 2 on 24-byte lines: the caret's byte column 13 is in unit column
    // 6, whose first byte column is 12.
    const ColumnBlock block = placeBlock({24 + 13, 24, 0, 2}, 3, 5);
    EXPECT_EQ(block.firstLine, 1);
    EXPECT_EQ(block.firstColumn, 12);
    EXPECT_EQ(block.lastColumn, 16);
    EXPECT_EQ(block.lineWidth, 24);
    // With an indent the column counts from the line's start, indent included.
    const ColumnBlock indented = placeBlock({13 - 3, 24, 3, 4}, 1, 2);
    EXPECT_EQ(indented.firstLine, 0);
    EXPECT_EQ(indented.firstColumn, 12);
}

TEST_F(ClipboardExchangeTest, HexTextFromTheClipboardInBothModes) {
    clipboard.putText("0a\t0b\r\n");
    EXPECT_EQ(clipboardToHexText(clipboard, HexPasteMode::Plain, 100), "0a 0b  ");
    EXPECT_EQ(clipboardToHexText(clipboard, HexPasteMode::HexText, 100), "0a 0b  ");
    clipboard.putText("AB");  // valid hex text: one byte 0xAB, kept as typed
    EXPECT_EQ(clipboardToHexText(clipboard, HexPasteMode::HexText, 100), "AB");
    clipboard.putText("Hi!");
    EXPECT_EQ(clipboardToHexText(clipboard, HexPasteMode::Plain, 100), std::nullopt);
    EXPECT_EQ(clipboardToHexText(clipboard, HexPasteMode::HexText, 100), "48 69 21 ");
    EXPECT_EQ(clipboardToHexText(clipboard, HexPasteMode::HexText, 2), std::nullopt);
    clipboard.put(kHexDataFormat, encodeHexData({0, 0, {0xff}}));
    EXPECT_EQ(clipboardToHexText(clipboard, HexPasteMode::HexText, 100), "ff ");
}

TEST_F(ClipboardExchangeTest, AtExitOnlyPrivateFormatsAreReleasedAndOnlyWhenAgreed) {
    int asked = 0;
    const auto answer = [&asked](bool yes) {
        return [&asked, yes] {
            ++asked;
            return yes;
        };
    };
    clipboard.putText("plain");
    EXPECT_FALSE(releaseClipboardAtExit(clipboard, false, answer(true)));
    EXPECT_EQ(asked, 0);  // plain text is not ours to release

    clipboard.put(kHexDataFormat, encodeHexData({0, 0, {1}}));
    EXPECT_FALSE(releaseClipboardAtExit(clipboard, false, answer(false)));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(clipboard.hasFormat(kHexDataFormat));
    EXPECT_TRUE(releaseClipboardAtExit(clipboard, false, answer(true)));
    EXPECT_FALSE(clipboard.hasAnyFormat());

    clipboard.put(kHexBlockFormat, encodeHexBlock({0, 0, 1, 1, {1}}));
    EXPECT_TRUE(releaseClipboardAtExit(clipboard, true, answer(false)));
    EXPECT_EQ(asked, 2);  // "Auto Release Clipbrd" does not ask
    EXPECT_FALSE(clipboard.hasAnyFormat());
}

}  // namespace

namespace {

TEST(ClipboardItemTest, ANewDocumentTakesSizeAndStartAddressFromTheFirstItem) {
    testsupport::FakeClipboard clipboard;
    EXPECT_FALSE(peekClipboardItem(clipboard));

    clipboard.putText(std::string("AB\0C", 4));
    auto text = peekClipboardItem(clipboard);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size, 2u);  // up to its terminating zero
    EXPECT_EQ(startAddressFor(*text, StartAddressType::Data), 0u);

    clipboard.put(kHexBlockFormat,
                  encodeHexBlock({0x1000, 0x20, 3, 5, std::vector<std::uint8_t>(15)}));
    auto block = peekClipboardItem(clipboard);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->kind, ClipboardItem::Kind::HexBlock);
    EXPECT_EQ(block->size, 15u);
    EXPECT_EQ(clipboardBlockColumns(clipboard), 5u);
    EXPECT_EQ(documentSizeFor(*block, 5), 15u);
    // In lines wider than the block every row still starts a line.
    EXPECT_EQ(documentSizeFor(*block, 8), 2u * 8 + 5);

    clipboard.put(kHexDataFormat, encodeHexData({0x1000, 0x20, {1, 2, 3}}));
    auto range = peekClipboardItem(clipboard);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->size, 3u);
    EXPECT_EQ(startAddressFor(*range, StartAddressType::Default), 0u);
    EXPECT_EQ(startAddressFor(*range, StartAddressType::Display), 0x1000u);
    EXPECT_EQ(startAddressFor(*range, StartAddressType::Data), 0x1020u);

    // A private item shorter than its header says is not taken for text.
    clipboard.put(kHexDataFormat, {1, 2, 3});
    EXPECT_FALSE(peekClipboardItem(clipboard));
}

}  // namespace
