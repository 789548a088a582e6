#include "display/EditCommands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "display/EditCommandIds.h"
#include "display/EditWarnings.h"
#include "editdata/EditDataStrings.h"
#include "exchange/ClipboardFormats.h"
#include "settings/CSettings.h"
#include "tests/display/OpenPanel.h"
#include "tests/support/FakeClipboard.h"
#include "tests/support/RecordingNativeWindow.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;

// The view around the panel: its warnings go to the scripted messages.
class WarningHost : public CEditDataDocument {
  public:
    WarningHost(CSettings& settings, platform::MessageService& messages)
        : warnings_(settings, messages) {}
    void markModified(bool) override {}
    bool confirmThreshold(std::uint64_t amount, int id) override {
        return warnings_.confirmThreshold(amount, id);
    }
    bool confirmIrreversible(int id) override { return warnings_.confirmIrreversible(id); }

  private:
    EditWarnings warnings_;
};

class EditCommandsTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings{editCommandStrings(), editDataStrings(), exchangeStrings()};
    testsupport::ScriptedMessageService messages{strings};
    testsupport::FakeClipboard clipboard;
    testsupport::RecordingNativeWindow window{{1200, 600}};
    WarningHost host{settings, messages};
    std::unique_ptr<CHexPanel> panel;
    std::unique_ptr<EditCommands> commands;

    void SetUp() override {
        settings.open();
        settings.write(settings::edit::LineBytes, 16);
        settings.write(settings::edit::UnitBytes, 1);
    }
    // A file of `bytes` in a view of 16 bytes a line.
    void open(const std::string& bytes) {
        panel = testsupport::openPanel(settings, window, dir.file("data.bin"), bytes);
        panel->setDocument(&host);
        panel->editor().setClipboard(&clipboard);
        commands = std::make_unique<EditCommands>(*panel, messages);
    }
    void openCounting(std::size_t size) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>(i);
        }
        open(bytes);
    }
    std::vector<std::uint8_t> bytes() {
        CEditData& data = panel->data();
        std::vector<std::uint8_t> all(data.getDataSize());
        std::uint64_t read = 0;
        data.readData(all.data(), all.size(), read, 0);
        return all;
    }
    void type(char c) { panel->handleKey(eventid::KeyTyped, static_cast<unsigned char>(c), 0); }
    std::string undoName(int index = 0) {
        std::string name;
        panel->data().getUndoName(index, name);
        return name;
    }
};

TEST_F(EditCommandsTest, TypingOverASelectionReplacesItAndOneUndoRestoresIt) {
    openCounting(30);
    // The caret in the character panel, then the range 10..20 made forwards.
    panel->setCaret({&panel->charPanel(), 10, 0});
    panel->selectRange(10, 20);
    type('A');
    std::vector<std::uint8_t> expected = bytes();
    ASSERT_EQ(expected.size(), 20u);
    EXPECT_EQ(expected[10], 0x41);
    EXPECT_EQ(expected[11], 21);
    EXPECT_EQ(panel->data().getUndoCount(), 1);
    EXPECT_EQ(panel->caretOffset(), 11u);
    ASSERT_TRUE(commands->run(cmd::EditUndo));
    std::vector<std::uint8_t> original(30);
    for (int i = 0; i < 30; ++i) {
        original[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(bytes(), original);
}

TEST_F(EditCommandsTest, HexDigitsTypeTheNibbleOfTheCaretCellEachAsItsOwnAction) {
    open(std::string("\x12\x34", 2));
    type('7');
    EXPECT_EQ(bytes()[0], 0x72);
    type('F');
    EXPECT_EQ(bytes()[0], 0x7F);
    type('g');  // not a digit: nothing
    type('a');
    EXPECT_THAT(bytes(), ElementsAre(0x7F, 0xA4));
    EXPECT_EQ(panel->data().getUndoCount(), 3);
    EXPECT_EQ(undoName(), "Typing");
    commands->run(cmd::EditUndo);
    commands->run(cmd::EditUndo);
    commands->run(cmd::EditUndo);
    EXPECT_THAT(bytes(), ElementsAre(0x12, 0x34));
    // Typing never grows the data: at the end position nothing is typed.
    panel->gotoOffset(2);
    type('1');
    EXPECT_EQ(bytes().size(), 2u);
}

TEST_F(EditCommandsTest, TypingIntoAReadOnlyViewOrWithARangeToTheEndChangesNothing) {
    openCounting(32);
    panel->selectRange(4, 32);
    type('1');
    EXPECT_EQ(bytes().size(), 32u);
    // Nor a column block over the last line.
    panel->setColumnBlock(1, 1, 0, 15);
    type('1');
    EXPECT_EQ(bytes().size(), 32u);
    EXPECT_EQ(panel->data().getUndoCount(), 0);
    panel->clearSelection();
    ASSERT_TRUE(commands->isEnabled(cmd::EditReadOnly));
    commands->run(cmd::EditReadOnly);
    EXPECT_TRUE(commands->isChecked(cmd::EditReadOnly));
    type('1');
    EXPECT_EQ(bytes()[0], 0);
    for (int id : {cmd::EditDelete, cmd::EditPaste, cmd::EditModifyData, cmd::EditSetDataSize}) {
        EXPECT_FALSE(commands->isEnabled(id)) << id;
    }
}

TEST_F(EditCommandsTest, AnUpdatePassAsksTheClipboardOnceForAllPasteCommands) {
    openCounting(32);
    clipboard.putText("AB");
    const int pasteIds[] = {cmd::EditPaste,
                            cmd::EditOverwrite,
                            cmd::EditPasteToBeginning,
                            cmd::EditPasteToEnd,
                            cmd::EditPasteToCurrent,
                            cmd::EditPasteToSpecified,
                            cmd::EditOverwriteToEnd,
                            cmd::EditOverwriteToCurrent,
                            cmd::EditOverwriteToBeginning,
                            cmd::EditOverwriteToSpecified};
    EditCommands pass(*panel, messages);
    for (const int id : pasteIds) {
        EXPECT_TRUE(pass.state(id)->enabled);
    }
    EXPECT_EQ(clipboard.queries, 1);
    // A pass that asked already passes the answer on: the clipboard is not asked again.
    EditCommands told(*panel, messages, false);
    EXPECT_FALSE(told.state(cmd::EditPaste)->enabled);
    EXPECT_EQ(clipboard.queries, 1);
    panel->editor().toggleReadOnly();
    EXPECT_FALSE(EditCommands(*panel, messages, true).state(cmd::EditOverwrite)->enabled);
}

TEST_F(EditCommandsTest, OverwriteToEndWritesTheLastBytes) {
    openCounting(10);
    clipboard.put(kHexDataFormat, encodeHexData({0, 0, {0xA, 0xB, 0xC}}));
    ASSERT_TRUE(commands->isEnabled(cmd::EditOverwriteToEnd));
    commands->run(cmd::EditOverwriteToEnd);
    EXPECT_THAT(bytes(), ElementsAre(0, 1, 2, 3, 4, 5, 6, 0xA, 0xB, 0xC));
}

TEST_F(EditCommandsTest,
       PasteReplacesTheSelectionAsOneStepAndAnOverwriteThatCannotFitDeletesNothing) {
    openCounting(10);
    clipboard.putText("XY");
    panel->selectRange(2, 6);
    commands->run(cmd::EditPaste);
    EXPECT_THAT(bytes(), ElementsAre(0, 1, 'X', 'Y', 6, 7, 8, 9));
    EXPECT_EQ(panel->data().getUndoCount(), 1);
    commands->run(cmd::EditUndo);
    EXPECT_EQ(bytes().size(), 10u);

    // Ten bytes cannot overwrite what is left after the selection goes.
    clipboard.putText("0123456789");
    panel->selectRange(2, 6);
    commands->run(cmd::EditOverwrite);
    EXPECT_EQ(bytes().size(), 10u);
    EXPECT_EQ(bytes()[2], 2);
}

TEST_F(EditCommandsTest, CutCopiesThenDeletesAndCopyAsHexTextGoesInLines) {
    openCounting(20);
    panel->selectRange(0, 17);
    commands->run(cmd::EditCopyAsHexText);
    EXPECT_EQ(clipboard.readText(), "00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f\r\n10 ");
    panel->selectRange(3, 5);
    commands->run(cmd::EditCut);
    EXPECT_EQ(bytes().size(), 18u);
    EXPECT_TRUE(clipboard.hasFormat(kHexDataFormat));
    EXPECT_FALSE(commands->isEnabled(cmd::EditCut));  // the selection went with it
}

TEST_F(EditCommandsTest, SetDataSizeShrinksOrGrowsAsOneAction) {
    open(std::string(100, 'z'));
    commands->setDataSize(50);
    EXPECT_EQ(bytes().size(), 50u);
    EXPECT_EQ(panel->data().getUndoCount(), 1);
    EXPECT_EQ(undoName(), "Delete data");
    commands->run(cmd::EditUndo);
    commands->setDataSize(200);
    ASSERT_EQ(bytes().size(), 200u);
    EXPECT_EQ(bytes()[99], 'z');
    EXPECT_EQ(bytes()[100], 0);
    EXPECT_EQ(bytes()[199], 0);
    EXPECT_EQ(panel->data().getUndoCount(), 1);
    EXPECT_EQ(undoName(), "Insert data");

    // A growth beyond "Max File Size" is refused with its message.
    commands->setDataSize(200 + 16777216 + 1);
    EXPECT_EQ(bytes().size(), 200u);
    EXPECT_EQ(messages.shown().back().text, "The data size to expand is too large");
}

TEST_F(EditCommandsTest, ModifyDataXorAndNotComplementTheBytes) {
    open(std::string("\x00\x0f\xf0\x55", 4));
    ModifyDataRequest xorWithFF{0, 4, 0xFF, false, false, ModifyOperation::Xor};
    commands->modifyData(xorWithFF);
    EXPECT_THAT(bytes(), ElementsAre(0xFF, 0xF0, 0x0F, 0xAA));
    ModifyDataRequest notAtAll{0, 4, 0x12, false, false, ModifyOperation::Not};
    commands->modifyData(notAtAll);
    EXPECT_THAT(bytes(), ElementsAre(0x00, 0x0F, 0xF0, 0x55));
    // An insert of random bytes grows the data by the length.
    ModifyDataRequest random{2, 3, 0, true, true, ModifyOperation::Copy};
    commands->modifyData(random);
    EXPECT_EQ(bytes().size(), 7u);
    EXPECT_EQ(bytes()[5], 0xF0);
}

TEST_F(EditCommandsTest, SwapDataReversesUnitsAndNeedsUnitsOfTwoBytes) {
    open(std::string("\x01\x02\x03\x04\x05\x06", 6));
    EXPECT_FALSE(commands->isEnabled(cmd::EditSwapData));  // unit 1
    panel->changeUnit(4);
    ASSERT_TRUE(commands->isEnabled(cmd::EditSwapData));
    ASSERT_TRUE(panel->editor().swapData(true, false));
    EXPECT_THAT(bytes(), ElementsAre(4, 3, 2, 1, 6, 5));
}

TEST_F(EditCommandsTest, ALargeDeleteWarnsAndNoLongerWarningWithCancelTurnsTheWarningOff) {
    open(std::string(2 * 1048576, 'm'));
    panel->selectAll();
    messages.tick(true);
    messages.answer(platform::MessageAnswer::Cancel);
    commands->run(cmd::EditDelete);
    EXPECT_EQ(messages.shownIds(), std::vector<int>{3031});
    EXPECT_EQ(messages.shown().back().checkBox, "No Longer Warning");
    EXPECT_EQ(bytes().size(), 2u * 1048576);
    EXPECT_EQ(settings.get(settings::edit::OverwriteWarn), 0);
    // From now on it goes without asking.
    commands->run(cmd::EditDelete);
    EXPECT_EQ(bytes().size(), 0u);
    EXPECT_EQ(messages.shown().size(), 1u);
}

}  // namespace

namespace {

TEST_F(EditCommandsTest, AFileEditedInPlaceTakesPasteAndTypingOverASelection) {
    settings.write(settings::general::MaxFileSize, 4194304);
    std::string content(5 * 1048576, 'p');
    content[100] = 'q';
    open(content);
    ASSERT_EQ(panel->data().storageMode(), StorageMode::InPlace);
    clipboard.putText("XYZ");
    panel->selectRange(10, 20);
    commands->run(cmd::EditPaste);
    EXPECT_EQ(panel->data().getDataSize(), content.size() - 7);
    std::uint8_t byte = 0;
    panel->data().readByte(byte, 12);
    EXPECT_EQ(byte, 'Z');
    panel->data().readByte(byte, 93);
    EXPECT_EQ(byte, 'q');
    // Typing over a selection of the work copy: the deletion cannot be
    // undone there, the typed byte can.
    panel->setCaret({&panel->charPanel(), 0, 0});
    panel->selectRange(0, 4);
    type('k');
    panel->data().readByte(byte, 0);
    EXPECT_EQ(byte, 'k');
    EXPECT_EQ(panel->data().getDataSize(), content.size() - 11);
    EXPECT_EQ(panel->data().getUndoCount(), 1);
    EXPECT_EQ(undoName(), "Typing");
}

}  // namespace

namespace {

// Random editing steps against a plain vector: every command is one undo
// step, so undo must bring back exactly the bytes before it.
TEST_F(EditCommandsTest, RandomEditsMatchAPlainVectorAndUndoStepByStep) {
    const unsigned seed = 20261208;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    openCounting(64);
    std::vector<std::uint8_t> model = bytes();
    std::vector<std::vector<std::uint8_t>> history;
    const auto pick = [&random](std::uint64_t bound) {
        return bound == 0 ? 0 : std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(random);
    };
    panel->setCaret({&panel->charPanel(), 0, 0});
    for (int step = 0; step < 300; ++step) {
        const std::uint64_t size = model.size();
        const int what = static_cast<int>(pick(4));
        const std::uint64_t start = pick(size);
        const std::uint64_t end = std::min<std::uint64_t>(size, start + 1 + pick(8));
        if (what == 3 && !history.empty()) {
            ASSERT_TRUE(commands->run(cmd::EditUndo));
            model = history.back();
            history.pop_back();
        } else if (what == 0 && end < size) {  // type a character over a range
            panel->selectRange(start, end);
            std::vector<std::uint8_t> next = model;
            next.erase(next.begin() + static_cast<std::ptrdiff_t>(start),
                       next.begin() + static_cast<std::ptrdiff_t>(end));
            next[start] = static_cast<std::uint8_t>('a' + step % 26);
            type(static_cast<char>('a' + step % 26));
            history.push_back(model);
            model = next;
        } else if (what == 1) {  // paste text over a range
            panel->selectRange(start, end);
            clipboard.putText("P" + std::to_string(step));
            const std::string text = "P" + std::to_string(step);
            std::vector<std::uint8_t> next = model;
            next.erase(next.begin() + static_cast<std::ptrdiff_t>(start),
                       next.begin() + static_cast<std::ptrdiff_t>(end));
            next.insert(next.begin() + static_cast<std::ptrdiff_t>(start), text.begin(),
                        text.end());
            commands->run(cmd::EditPaste);
            history.push_back(model);
            model = next;
        } else if (what == 2 && size > 8) {  // delete a range
            panel->selectRange(start, end);
            commands->run(cmd::EditDelete);
            history.push_back(model);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(start),
                        model.begin() + static_cast<std::ptrdiff_t>(end));
        }
        ASSERT_EQ(bytes(), model) << "step " << step;
        ASSERT_EQ(panel->data().getUndoCount(), static_cast<int>(history.size()))
            << "step " << step;
    }
}

}  // namespace

namespace {

TEST_F(EditCommandsTest, OverwriteThatDoesNotFitSaysSoAndChangesNothing) {
    openCounting(10);
    clipboard.putText("ABCDE");
    panel->gotoOffset(6);
    commands->run(cmd::EditOverwrite);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().back().text,
              "The clipboard data do not fit between this point and the end of the data: nothing "
              "was overwritten");
    EXPECT_EQ(bytes()[6], 6);
    EXPECT_EQ(panel->data().getUndoCount(), 0);
    // Five bytes fit from offset 5, and over a selection its bytes count out.
    panel->gotoOffset(5);
    commands->run(cmd::EditOverwrite);
    EXPECT_EQ(bytes()[9], 'E');
    panel->selectRange(2, 4);  // the data becomes 8 bytes: 5 fit from 2 but not from 4
    EXPECT_TRUE(panel->editor().overwriteFits(DataEditor::EditPoint::Caret));
    panel->selectRange(4, 6);
    EXPECT_FALSE(panel->editor().overwriteFits(DataEditor::EditPoint::Caret));
    clipboard.putText("0123456789AB");
    commands->run(cmd::EditOverwriteToEnd);
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(bytes().size(), 10u);
}

}  // namespace

namespace {

TEST_F(EditCommandsTest, ASpecifiedPointIsAskedWithinTheDataAndPutThere) {
    openCounting(10);
    EXPECT_FALSE(commands->specifiedPointQuestion(false).has_value());  // nothing to paste
    clipboard.putText("AB");
    panel->setDataStartAddress(0x100);
    panel->gotoOffset(3);
    const auto question = commands->specifiedPointQuestion(true);
    ASSERT_TRUE(question.has_value());
    EXPECT_EQ(messages.strings().text(question->captionId), "Choose Overwrite Point");
    EXPECT_EQ(question->minimum, 0x100);
    EXPECT_EQ(question->maximum, 0x10A);
    EXPECT_EQ(question->initial, 0x103);
    EXPECT_EQ(messages.strings().text(commands->specifiedPointQuestion(false)->captionId),
              "Choose Insertion Point");
    commands->putAtSpecifiedPoint(true, 0x105);  // overwrites offsets 5 and 6
    EXPECT_EQ(bytes()[5], 'A');
    EXPECT_EQ(bytes()[6], 'B');
    commands->putAtSpecifiedPoint(false, 0x10A);  // inserts at the end
    EXPECT_EQ(bytes().size(), 12u);
    commands->putAtSpecifiedPoint(true, 0x10B);  // two bytes from 11 of 12 do not fit
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown().back().text,
              "The clipboard data do not fit between this point and the end of the data: nothing "
              "was overwritten");
}

}  // namespace
