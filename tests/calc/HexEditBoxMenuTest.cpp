#include "calc/HexEditBoxMenu.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using C = HexEditCommand;

TEST(HexEditBoxMenuTest, EachProgramHasItsItemsIdsAndSeparators) {
    const auto kestrane = hexEditBoxMenu(HexEditProgram::Kestrane);
    ASSERT_EQ(kestrane.size(), 14u);
    EXPECT_EQ(kestrane[3].text, "Paste &Hex Text");
    EXPECT_EQ(kestrane[3].id, 32875);
    std::vector<int> separatorsAfter;
    for (const auto& item : kestrane) {
        if (item.separatorAfter) {
            separatorsAfter.push_back(item.id);
        }
    }
    EXPECT_EQ(separatorsAfter, (std::vector<int>{32881, 32884, 32885, 32874}));

    const auto tool = hexEditBoxMenu(HexEditProgram::Tamsorel);
    ASSERT_EQ(tool.size(), 11u);
    EXPECT_EQ(hexEditCommandOfId(HexEditProgram::Pellwick, 32901), C::SwapFourBytes);
    EXPECT_EQ(hexEditCommandOfId(HexEditProgram::Tamsorel, 32898), C::Paste);
    // Kestrane's ids mean nothing to the tools, and the reverse.
    EXPECT_FALSE(hexEditCommandOfId(HexEditProgram::Pellwick, 32882));
    EXPECT_FALSE(hexEditCommandOfId(HexEditProgram::Kestrane, 32904));
}

TEST(HexEditBoxMenuTest, AReadOnlyBoxOffersOnlyCopyAndSelectAll) {
    HexEditBoxState state;
    state.writable = false;
    state.hasSelection = true;
    state.textEmpty = false;
    state.canPaste = true;
    state.clipboardText = true;
    for (const auto& item : hexEditBoxMenu(HexEditProgram::Kestrane)) {
        const bool expected = item.command == C::Copy || item.command == C::SelectAll;
        EXPECT_EQ(isHexEditCommandEnabled(HexEditProgram::Kestrane, item.command, state), expected)
            << item.text;
    }
}

TEST(HexEditBoxMenuTest, AnEmptyBoxDisablesOverwriteAndSwap) {
    HexEditBoxState state;  // writable, empty
    for (C command : {C::OverwriteWithFF, C::OverwriteWith00, C::SwapByteOrder, C::SwapEightBytes,
                      C::SelectAll, C::EnterData}) {
        EXPECT_FALSE(isHexEditCommandEnabled(HexEditProgram::Kestrane, command, state));
    }
    state.textEmpty = false;
    EXPECT_TRUE(isHexEditCommandEnabled(HexEditProgram::Pellwick, C::SwapTwoBytes, state));
    EXPECT_FALSE(isHexEditCommandEnabled(HexEditProgram::Kestrane, C::EnterData, state));
}

TEST(HexEditBoxMenuTest, TamsorelCopiesAndDeletesTheWholeText) {
    HexEditBoxState state;
    state.textEmpty = false;  // nothing selected
    EXPECT_TRUE(isHexEditCommandEnabled(HexEditProgram::Tamsorel, C::Copy, state));
    EXPECT_TRUE(isHexEditCommandEnabled(HexEditProgram::Tamsorel, C::Delete, state));
    EXPECT_FALSE(isHexEditCommandEnabled(HexEditProgram::Pellwick, C::Copy, state));
    EXPECT_FALSE(isHexEditCommandEnabled(HexEditProgram::Pellwick, C::Delete, state));
}

TEST(HexEditBoxMenuTest, PlainPasteNeedsTextOnTheClipboard) {
    HexEditBoxState state;
    state.canPaste = true;  // a private format only
    EXPECT_TRUE(isHexEditCommandEnabled(HexEditProgram::Kestrane, C::PasteHexText, state));
    EXPECT_FALSE(isHexEditCommandEnabled(HexEditProgram::Kestrane, C::Paste, state));
}

TEST(HexEditBoxMenuTest, InvalidTypingMessagesPerProgram) {
    EXPECT_EQ(invalidTypingMessage(HexEditProgram::Kestrane).stringId, 0);
    EXPECT_EQ(invalidTypingMessage(HexEditProgram::Kestrane).text,
              "Invalid Hexadecimal character!");
    EXPECT_EQ(invalidTypingMessage(HexEditProgram::Pellwick).stringId, 5001);
    EXPECT_EQ(hexEditBoxStrings(HexEditProgram::Tamsorel)[0].text,
              "Invalid hexdecimal data string!");
    EXPECT_FALSE(validatesWhileTyping(HexEditProgram::Tamsorel));
}

}  // namespace
