#pragma once

#include <QFrame>
#include <functional>

#include "editdata/CQuickUndoList.h"

class QLabel;
class QListWidget;
class QToolButton;

// The quick undo / quick redo pop-up: a borderless list of the action names
// newest first, the "Undo %i actions" text and a small OK button. Choosing an
// item selects it and every newer one; OK runs `onConfirm` with the n for
// undo(n) or redo(n). Escape or a click elsewhere closes it without change.
class CQuickUndoPopup : public QFrame {
  public:
    explicit CQuickUndoPopup(QWidget* parent = nullptr);

    // Fills the list and opens the pop-up with its top-left corner at `screenPoint`.
    void popup(const CQuickUndoList& list, const QPoint& screenPoint,
               std::function<void(int n)> onConfirm);

    const CQuickUndoList& list() const { return list_; }
    QListWidget* listWidget() const { return items_; }
    QLabel* textLabel() const { return text_; }
    QToolButton* okButton() const { return ok_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void choose(int row);
    void accept();
    void showSelection();

    CQuickUndoList list_;
    std::function<void(int)> onConfirm_;
    bool accepted_ = false;
    QListWidget* items_;
    QLabel* text_;
    QToolButton* ok_;
};
