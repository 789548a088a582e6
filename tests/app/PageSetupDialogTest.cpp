// The Page Setup dialog driven as a user drives it: the ">" menu inserts a
// code at the selection, a margin out of range is refused, detection runs
// once when the stored page height was too small.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "app/CPageSetupDialog.h"
#include "platform/StringTable.h"
#include "tests/support/ScriptedMessageService.h"

namespace {

class PageSetupDialogTest : public testing::Test {
  protected:
    platform::StringTable strings;
    testsupport::ScriptedMessageService messages{strings};
};

TEST_F(PageSetupDialogTest, CodesGoToTheSelectionAndBadMarginsAreRefused) {
    PageSetup setup;
    setup.autoDetectPending = false;
    setup.linesPerPage = 60;
    int detections = 0;
    CPageSetupDialog dialog(setup, messages, [&detections](const PageSetup&) {
        ++detections;
        return std::optional<int>(52);
    });
    EXPECT_EQ(detections, 0);
    EXPECT_EQ(dialog.linesEdit()->text(), "60");
    QLineEdit* header = dialog.headerEdit();
    header->setText(QStringLiteral("Title XX end"));
    header->setSelection(6, 2);
    const auto menu = dialog.codeMenu(header);
    QStringList items;
    for (QAction* item : menu->actions()) {
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(items, QStringList({"Filename", "Page Number", "-", "Current Time", "Current Date",
                                  "-", "Left Align", "Center", "Right Align"}));
    menu->actions().at(1)->trigger();
    EXPECT_EQ(header->text(), "Title &P end");

    dialog.marginEdit(2)->setText(QStringLiteral("6"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);  // still open
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.shown().back().text, "Please enter a number between 0 and 5.");
    dialog.marginEdit(2)->setText(QStringLiteral("2.5"));
    dialog.autoDetectButton()->click();
    EXPECT_EQ(dialog.linesEdit()->text(), "52");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.setup().marginTop, 2.5);
    EXPECT_EQ(dialog.setup().header, "Title &P end");
    EXPECT_EQ(dialog.setup().linesPerPage, 52);
}

TEST_F(PageSetupDialogTest, APendingDetectionRunsOnceAtOpening) {
    PageSetup setup;  // as a stored page height below 8 leaves it
    int detections = 0;
    CPageSetupDialog dialog(setup, messages, [&detections](const PageSetup&) {
        ++detections;
        return std::optional<int>(57);
    });
    EXPECT_EQ(detections, 1);
    EXPECT_EQ(dialog.linesEdit()->text(), "57");
    EXPECT_FALSE(dialog.setup().autoDetectPending);
    CPageSetupDialog without(setup, messages, [](const PageSetup&) { return std::nullopt; });
    EXPECT_EQ(without.linesEdit()->text(), "48");  // no printer: unchanged
}

}  // namespace
