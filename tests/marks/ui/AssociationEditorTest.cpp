// The association list with its buttons and order spin, and the chooser.
#include "marks/ui/CAssociationEditor.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "marks/DatamarkDefinition.h"
#include "marks/DatamarkList.h"
#include "tests/support/ScriptedMessageService.h"

namespace {

using Entries = std::vector<std::string>;

TEST(AssociationEditorTest, AssociateDisconnectAndTheOrderSpin) {
    platform::StringTable strings{datamarkStrings()};
    testsupport::ScriptedMessageService messages{strings};
    std::string next = "#one";
    CAssociationEditor editor(
        messages, [&next]() -> std::optional<std::string> { return next; }, nullptr);
    editor.associateButton()->click();
    next = "#two";
    editor.associateButton()->click();
    next = "#TWO";
    editor.associateButton()->click();
    EXPECT_EQ(messages.shownIds(), std::vector<int>{2002});
    next = "#three";
    editor.associateButton()->click();
    EXPECT_EQ(editor.entries(), (Entries{"#one", "#two", "#three"}));
    EXPECT_FALSE(editor.disconnectButton()->isEnabled());
    EXPECT_FALSE(editor.orderSpin()->isEnabled());

    editor.listWidget()->setCurrentRow(0);
    EXPECT_TRUE(editor.orderSpin()->isEnabled());
    editor.orderSpin()->stepBy(1);  // up on the first: it goes last, still selected
    EXPECT_EQ(editor.entries(), (Entries{"#two", "#three", "#one"}));
    EXPECT_EQ(editor.listWidget()->currentRow(), 2);
    editor.orderSpin()->stepBy(-1);  // down on the last: it goes first
    EXPECT_EQ(editor.entries(), (Entries{"#one", "#two", "#three"}));

    editor.listWidget()->setCurrentRow(1);
    editor.disconnectButton()->click();
    EXPECT_EQ(editor.entries(), (Entries{"#one", "#three"}));
    EXPECT_FALSE(editor.disconnectButton()->isEnabled());
}

TEST(AssociationChooserTest, OkOnlyOnADatamarkAndTheStringForItsFile) {
    CBmitemObj own;
    own.name = "Here";
    CBmitemObj other;
    other.filePath = "/b.bin";
    other.name = "There";
    const std::vector<ChooserGroup> groups{{"", {own}}, {"/b.bin", {other}}};
    bool okOnFile = true;
    // Looks for the chooser until it shows, then picks the other file's datamark.
    std::function<void()> pick = [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (dialog == nullptr || !dialog->isVisible()) {
                continue;
            }
            auto* tree = dialog->findChild<QTreeWidget*>();
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            tree->setCurrentItem(tree->topLevelItem(1));
            okOnFile = ok->isEnabled();
            tree->setCurrentItem(tree->topLevelItem(1)->child(0));
            emit tree->itemDoubleClicked(tree->currentItem(), 0);
            return;
        }
        QTimer::singleShot(20, pick);
    };
    QTimer::singleShot(20, pick);
    const auto chosen = chooseAssociation(nullptr, groups, "Current Editing File", "/a.bin");
    EXPECT_FALSE(okOnFile);
    EXPECT_EQ(chosen, "/b.bin#There");
}

}  // namespace
