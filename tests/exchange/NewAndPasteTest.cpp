#include "exchange/NewAndPaste.h"

#include <gtest/gtest.h>

#include "exchange/ClipboardFormats.h"
#include "settings/CSettings.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

// Answers as the test says and writes down what was asked.
class ScriptedQuestions : public NewAndPasteQuestions {
  public:
    std::optional<PasteAnswer> askPaste() override {
        ++pasteAsked;
        return paste;
    }
    std::optional<SizeAnswer> askSize() override {
        ++sizeAsked;
        return size;
    }
    std::optional<PasteAnswer> paste = PasteAnswer{};
    std::optional<SizeAnswer> size;
    int pasteAsked = 0;
    int sizeAsked = 0;
};

class NewAndPasteTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages{strings};
    testsupport::FakeClipboard clipboard;
    ScriptedQuestions questions;

    void SetUp() override { settings.open(); }
    std::optional<NewDocumentPlan> plan() {
        return planNewAndPaste(clipboard, settings, questions, messages);
    }
};

TEST_F(NewAndPasteTest, TheClipboardsItemGivesSizeAndStartAddress) {
    clipboard.put(kHexDataFormat, encodeHexData({0x1000, 8, {1, 2, 3}}));
    questions.paste = NewAndPasteQuestions::PasteAnswer{StartAddressType::Data, true};
    const auto made = plan();
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(made->size, 3u);
    EXPECT_EQ(made->dataStartAddress, 0x1008u);  // the source address plus its offset
    EXPECT_EQ(questions.sizeAsked, 0);

    // Created directly: nothing is asked, the stored address type holds.
    settings.write(settings::edit::NewdocDirCreate, 1);
    settings.write(settings::edit::NewdocOfsType, 1);
    const auto direct = plan();
    ASSERT_TRUE(direct.has_value());
    EXPECT_EQ(direct->dataStartAddress, 0x1000u);
    EXPECT_EQ(questions.pasteAsked, 1);
}

TEST_F(NewAndPasteTest, ASizeOfItsOwnOrACancelComesFromTheQuestions) {
    clipboard.putText("abc");
    questions.paste = NewAndPasteQuestions::PasteAnswer{StartAddressType::Default, false};
    questions.size = NewAndPasteQuestions::SizeAnswer{64, 0xEE};
    const auto made = plan();
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(made->size, 64u);
    EXPECT_EQ(made->fill, 0xEE);
    questions.size.reset();  // Cancel in "Create New File"
    EXPECT_FALSE(plan().has_value());
    questions.paste.reset();  // Cancel in the first dialog
    EXPECT_FALSE(plan().has_value());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(NewAndPasteTest, NothingToPasteIsRefusedBeforeAnyQuestion) {
    EXPECT_FALSE(plan().has_value());  // an empty clipboard: nothing at all
    clipboard.put(kHexBlockFormat, encodeHexBlock({0, 0, 0x200001, 0, {}}));
    EXPECT_FALSE(plan().has_value());
    EXPECT_EQ(questions.pasteAsked, 0);
    ASSERT_EQ(messages.shownIds(), std::vector<int>{newfilestrings::kSizeNotPositive});
}

}  // namespace
