#include "platform/MessageService.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "tests/support/ScriptedMessageService.h"

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::StringEntry;
using platform::StringTable;

constexpr std::array kFrameStrings{
    StringEntry{1031, "The file has a read-only attribute, \nif you want to clear the attribute."},
    StringEntry{1101, "The size of the data to be copied exceeds the limitation: %iMB"},
};
constexpr std::array kSharedStrings{
    StringEntry{5001, "Invalid Hexdecimal character!"},
};
constexpr std::array kOwnWording{
    StringEntry{5001, "Invalid Hexadecimal character!"},
};

TEST(StringTableTest, IsMadeOfTheSubsystemPartsAndLaterPartsWin) {
    const StringTable table{kFrameStrings, kSharedStrings, kOwnWording};
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(table.text(5001), "Invalid Hexadecimal character!");
    EXPECT_EQ(table.text(1101), "The size of the data to be copied exceeds the limitation: %iMB");
    EXPECT_EQ(table.format(1101, {16}),
              "The size of the data to be copied exceeds the limitation: 16MB");
    EXPECT_FALSE(table.contains(9999));
    EXPECT_EQ(table.text(9999), "");
}

TEST(MessageServiceTest, ShowsTheFormattedStringUnderTheApplicationTitle) {
    const StringTable table{kFrameStrings};
    testsupport::ScriptedMessageService messages(table, "Kestrane");
    messages.answer(MessageAnswer::No);

    const auto answer =
        messages.show(1031, {MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No});
    messages.show(1101, {MessageIcon::Information, MessageButtons::Ok}, {32});
    messages.showText("The bytes per data unit should be less than the bytes per line!", {});

    EXPECT_EQ(answer, MessageAnswer::No);
    EXPECT_THAT(messages.shownIds(), testing::ElementsAre(1031, 1101, 0));
    EXPECT_EQ(messages.shown()[0].caption, "Kestrane");
    EXPECT_EQ(messages.shown()[0].style.icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown()[1].text,
              "The size of the data to be copied exceeds the limitation: 32MB");
    EXPECT_EQ(messages.shown()[2].style.buttons, MessageButtons::Ok);
}

TEST(MessageServiceTest, WithoutAScriptedAnswerTheDefaultButtonAnswers) {
    const StringTable table{kFrameStrings};
    testsupport::ScriptedMessageService messages(table);
    EXPECT_EQ(
        messages.show(1031, {MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No}),
        MessageAnswer::No);
    EXPECT_EQ(messages.show(1031, {MessageIcon::Question, MessageButtons::YesNo}),
              MessageAnswer::Yes);
    EXPECT_EQ(messages.show(1031, {MessageIcon::Stop, MessageButtons::RetryCancel}),
              MessageAnswer::Retry);
}

TEST(MessageButtonsTest, OffersOnlyItsOwnButtons) {
    EXPECT_TRUE(platform::offers(MessageButtons::YesNoCancel, MessageAnswer::Cancel));
    EXPECT_FALSE(platform::offers(MessageButtons::YesNo, MessageAnswer::Cancel));
    EXPECT_FALSE(platform::offers(MessageButtons::Ok, MessageAnswer::Yes));
    EXPECT_EQ(platform::firstAnswer(MessageButtons::OkCancel), MessageAnswer::Ok);
}

}  // namespace
