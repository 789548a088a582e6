#include "editdata/ui/CQuickUndoPopup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

namespace {

CQuickUndoList fiveActions() {
    CQuickUndoList list;
    list.fill({"Typing", "Typing", "Delete data", "Insert data", "Typing", "Typing"},
              CQuickUndoList::Kind::Undo);
    return list;
}

TEST(CQuickUndoPopupTest, OpensAtTheGivenPointWithTheFirstItemSelected) {
    CQuickUndoPopup popup;
    int confirmed = -2;
    popup.popup(fiveActions(), QPoint(104, 54), [&](int n) { confirmed = n; });
    EXPECT_TRUE(popup.isVisible());
    // The window system may add a frame of a pixel or two around it.
    EXPECT_NEAR(popup.pos().x(), 104, 4);
    EXPECT_NEAR(popup.pos().y(), 54, 4);
    EXPECT_EQ(popup.listWidget()->count(), 6);
    EXPECT_EQ(popup.listWidget()->item(2)->text(), "Delete data");
    EXPECT_TRUE(popup.listWidget()->item(0)->isSelected());
    EXPECT_FALSE(popup.listWidget()->item(1)->isSelected());
    EXPECT_EQ(popup.textLabel()->text(), "Undo 1 actions");
    EXPECT_EQ(confirmed, -2);
}

TEST(CQuickUndoPopupTest, ClickingAnItemSelectsItAndEveryNewerOneAndOkRunsThem) {
    CQuickUndoPopup popup;
    int confirmed = -2;
    popup.popup(fiveActions(), QPoint(0, 0), [&](int n) { confirmed = n; });
    QListWidget* list = popup.listWidget();
    const QRect fifth = list->visualItemRect(list->item(4));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, fifth.center());
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(list->item(row)->isSelected(), row <= 4) << row;
    }
    EXPECT_EQ(popup.textLabel()->text(), "Undo 5 actions");
    popup.okButton()->click();
    EXPECT_EQ(confirmed, 4);
    EXPECT_FALSE(popup.isVisible());
}

TEST(CQuickUndoPopupTest, KeysMoveTheChoiceAndEscapeCancels) {
    CQuickUndoPopup popup;
    int confirmed = -2;
    popup.popup(fiveActions(), QPoint(0, 0), [&](int n) { confirmed = n; });
    QTest::keyClick(popup.listWidget(), Qt::Key_Down);
    QTest::keyClick(popup.listWidget(), Qt::Key_Down);
    EXPECT_EQ(popup.textLabel()->text(), "Undo 3 actions");
    QTest::keyClick(&popup, Qt::Key_Escape);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(popup.textLabel()->text(), "Cancel");
    EXPECT_EQ(confirmed, -2);
}

}  // namespace
