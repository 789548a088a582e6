#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CHexPanel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace platform {
class MessageService;
}

// The modeless "Go To" dialog of one view: jumps to a position, a line, a
// linemark or a datamark (of this file or another). It closes after a jump unless pinned, and an
// unpinned one hides itself when another window becomes active.
class CGoToDialog : public QDialog {
  public:
    enum Kind { Position = 0, Line = 1, Linemark = 2, Datamark = 3 };

    CGoToDialog(CHexPanel& panel, platform::MessageService& messages, QWidget* parent = nullptr);

    // Re-reads the ranges and lists from the view and shows the dialog.
    void present();
    // "&Go To": true when the caret moved.
    bool goTo();
    void chooseKind(Kind kind);

    QComboBox* kindList() const { return kinds_; }
    QLineEdit* edit() const { return edit_; }
    QComboBox* markList() const { return marks_; }
    QLabel* titleLabel() const { return title_; }
    QLabel* noteLabel() const { return note_; }
    QToolButton* pinButton() const { return pin_; }
    // Runs after every successful jump (the host refreshes its status).
    std::function<void()> afterJump;
    // The Datamark kind: "path#name" of every other file's stored datamark,
    // and opening one of them (the application's open-and-go-to).
    std::function<std::vector<std::string>()> otherDatamarks;
    std::function<void(const std::string&)> openAndGoTo;
    QPushButton* freshButton() const { return fresh_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void refreshTexts();
    void fillMarks();
    bool refuse(const std::string& problem);

    CHexPanel& panel_;
    platform::MessageService& messages_;
    QComboBox* kinds_;
    QLabel* title_;
    QLineEdit* edit_;
    QComboBox* marks_;
    QLabel* note_;
    QToolButton* pin_;
    QPushButton* go_;
    QPushButton* fresh_;
    // The other files' entries, read the first time and on "&Fresh".
    std::optional<std::vector<std::string>> others_;
    bool showingMessage_ = false;
};
