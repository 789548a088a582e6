#include "display/ui/CGoToDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "display/ui/CHexWindow.h"
#include "settings/CSettings.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace {

// A 1000-byte file at 16 bytes a line (lines 0 .. 62) in a window of a few lines.
class CGoToDialogTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages{strings};
    std::unique_ptr<CHexWindow> window;
    std::unique_ptr<CGoToDialog> dialog;

    void SetUp() override {
        settings.open();
        window =
            std::make_unique<CHexWindow>(settings, CEditDataServices{settings, nullptr, nullptr});
        window->resize(900, 200);
        const std::string path = dir.file("data.bin");
        testsupport::writeFile(path, std::string(1000, 'g'));
        ASSERT_TRUE(panel().openFile(path, kGenericRead));
        panel().changeLineWidth(16 - panel().state().presentation.lineWidth());
        ASSERT_EQ(panel().state().presentation.lineWidth(), 16);
        dialog = std::make_unique<CGoToDialog>(panel(), messages);
        dialog->present();
    }
    CHexPanel& panel() { return window->panel(); }
    std::string lastMessage() const {
        return messages.shown().empty() ? "" : messages.shown().back().text;
    }
};

TEST_F(CGoToDialogTest, PositionIsHexadecimalWithinTheData) {
    EXPECT_EQ(dialog->noteLabel()->text(),
              "Enter hexadecimal position in the edit box, range is [0, 3e7]");
    dialog->edit()->setText("3e8");
    EXPECT_FALSE(dialog->goTo());
    EXPECT_EQ(lastMessage(), "The input is out of data range");
    EXPECT_TRUE(dialog->isVisible());
    dialog->edit()->setText("3e7");
    EXPECT_TRUE(dialog->goTo());
    EXPECT_EQ(panel().caretOffset(), 0x3e7u);
    EXPECT_FALSE(dialog->isVisible());  // not pinned
}

TEST_F(CGoToDialogTest, TheMaximalLineIsReachableAndOneMoreIsRefused) {
    dialog->chooseKind(CGoToDialog::Line);
    EXPECT_EQ(dialog->titleLabel()->text(), "Enter Line Number: ");
    EXPECT_EQ(dialog->noteLabel()->text(),
              "Enter line number in the edit box, maximal line is  62");
    dialog->pinButton()->setChecked(true);
    dialog->edit()->setText("63");
    EXPECT_FALSE(dialog->goTo());
    EXPECT_EQ(lastMessage(), "The input exceeds the maximal line number");
    dialog->edit()->setText("40");
    ASSERT_TRUE(dialog->goTo());
    EXPECT_EQ(panel().caretOffset(), 640u);
    EXPECT_EQ(panel().state().selection.kind, Selection::Kind::Range);
    EXPECT_EQ(panel().state().selection.start, 640u);
    EXPECT_EQ(panel().state().selection.end, 656u);
    // The target line shows with two lines above it.
    EXPECT_EQ(panel().state().firstLine, 38);
    // The partial last line is the maximal one.
    dialog->edit()->setText("62");
    ASSERT_TRUE(dialog->goTo());
    EXPECT_EQ(panel().state().selection.start, 992u);
    EXPECT_EQ(panel().state().selection.end, 1000u);
    EXPECT_TRUE(dialog->isVisible());  // pinned
}

TEST_F(CGoToDialogTest, LinemarksAreListedAndFollowed) {
    dialog->chooseKind(CGoToDialog::Linemark);
    EXPECT_FALSE(dialog->markList()->isEnabled());  // none yet
    panel().linemarks().add(2);
    panel().linemarks().add(5);
    dialog->present();
    ASSERT_EQ(dialog->markList()->count(), 2);
    EXPECT_EQ(dialog->markList()->itemText(1), "00000005");
    dialog->markList()->setCurrentIndex(1);
    ASSERT_TRUE(dialog->goTo());
    EXPECT_EQ(panel().caretOffset(), 80u);
}

TEST_F(CGoToDialogTest, DatamarksOfThisFileAndOthersAreListedAndFollowed) {
    for (const auto& [name, position] :
         std::vector<std::pair<std::string, std::uint64_t>>{{"first", 16}, {"second", 48}}) {
        CBmitemObj datamark;
        datamark.name = name;
        datamark.position = position;
        datamark.normalDatamark = true;
        panel().datamarks().list().append(datamark);
    }
    int reads = 0;
    dialog->otherDatamarks = [&reads] {
        ++reads;
        return std::vector<std::string>{"/other.bin#Head"};
    };
    std::string opened;
    dialog->openAndGoTo = [&opened](const std::string& entry) { opened = entry; };
    dialog->chooseKind(CGoToDialog::Datamark);
    ASSERT_EQ(dialog->markList()->count(), 3);
    EXPECT_EQ(dialog->markList()->itemText(0), "#second");  // reverse list order at the top
    EXPECT_EQ(dialog->markList()->itemText(1), "#first");
    EXPECT_EQ(dialog->markList()->itemText(2), "/other.bin#Head");
    dialog->markList()->setCurrentIndex(1);
    ASSERT_TRUE(dialog->goTo());
    EXPECT_EQ(panel().caretOffset(), 16u);
    EXPECT_EQ(panel().datamarks().list().currentDatamark(), 0u);

    dialog->present();
    dialog->chooseKind(CGoToDialog::Datamark);
    EXPECT_EQ(reads, 1);  // the other files are read once, until "Fresh"
    dialog->freshButton()->click();
    EXPECT_EQ(reads, 2);
    dialog->markList()->setCurrentIndex(2);
    ASSERT_TRUE(dialog->goTo());
    EXPECT_EQ(opened, "/other.bin#Head");
}

}  // namespace
