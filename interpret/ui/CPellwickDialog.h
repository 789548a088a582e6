#pragma once

#include <QDialog>
#include <array>
#include <map>

#include "interpret/InterpretationTable.h"
#include "interpret/InterpreterButtons.h"
#include "interpret/ui/StateButtons.h"

class CHexEditBox;
class InterpretationList;
class QAction;
class QKeyEvent;
class QPushButton;
class QToolButton;

namespace platform {
class Clipboard;
class MessageService;
class StringTable;
}  // namespace platform

// Pellwick's window, "Hexadecimal Data Interpreter": bytes typed or pasted
// into the hex box are read from the caret on and shown as the fourteen
// types. Nothing is stored; closing the window ends the program.
class CPellwickDialog : public QDialog {
  public:
    CPellwickDialog(const platform::StringTable& strings, platform::Clipboard& clipboard,
                    platform::MessageService& messages, QWidget* parent = nullptr);
    ~CPellwickDialog() override;

    CHexEditBox* box() const { return box_; }
    InterpretationList* list() const { return list_; }
    QToolButton* button(InterpreterButton which) const;
    // The menu bar's commands by id, enabled and checked as they are now.
    QAction* action(int id) const;
    void updateMenus();
    const InterpretationState& values() const { return values_; }
    bool lockDataType() const { return toggles_.lockDataType; }

    // Update: reads the box from its caret on and renders every row.
    void readBox();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildControls(platform::Clipboard& clipboard, platform::MessageService& messages);
    void buildMenuBar();
    void runCommand(int id);
    void pressed(InterpreterButton which);
    void refreshButtons();
    void showAbout();

    const platform::StringTable& strings_;
    InterpretationState values_;
    InterpreterToggles toggles_;
    CHexEditBox* box_ = nullptr;
    InterpretationList* list_ = nullptr;
    StateButtons buttons_;
    std::map<int, QAction*> actions_;
    QPushButton* updateButton_ = nullptr;
};
