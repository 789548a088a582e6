#pragma once

#include <QDialog>
#include <map>
#include <memory>

#include "calc/MultibyteCalculator.h"
#include "calc/ui/QtLongOperation.h"

class CHexEditBox;
class QAction;
class QKeyEvent;
class QMenu;
class QPushButton;

namespace platform {
class Clipboard;
class MessageService;
class StringTable;
}  // namespace platform

// Tamsorel's window: the operand and result boxes, the operator display and
// memory indicator, the keys and the menu bar, over the calculator. Keyboard
// focus stays on the result box; every key typed goes to the calculator.
class CCalculatorDialog : public QDialog, private CalculatorPanel {
  public:
    CCalculatorDialog(const platform::StringTable& strings, platform::Clipboard& clipboard,
                      platform::MessageService& messages, QWidget* parent = nullptr);
    ~CCalculatorDialog() override;

    CHexEditBox* box(CalculatorBox which) const;
    QPushButton* key(int id) const;
    // The menu bar's commands by id.
    QAction* action(int id) const;
    const MultibyteCalculator& calculator() const { return calculator_; }
    bool toolTipsShown() const { return toolTipsShown_; }

    // The calculator key a key press stands for, or 0.
    static int keyOfPress(const QKeyEvent& event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // CalculatorPanel
    std::string boxText(CalculatorBox which) const override;
    void setBoxText(CalculatorBox which, const std::string& text) override;
    void setBoxWritable(CalculatorBox which, bool writable) override;
    void showOperator(std::string_view caption) override;
    void showMemoryIndicator(std::string_view text) override;

    void buildControls(platform::Clipboard& clipboard, platform::MessageService& messages);
    void buildMenuBar();
    QAction* addCommand(QMenu& menu, int id, const char* text);
    void updateEditMenu();
    void runCommand(int id);
    void setTopmost(bool topmost);
    void showToolTips(bool shown);
    void showAbout();

    const platform::StringTable& strings_;
    QtLongOperationRunner runner_;
    MultibyteCalculator calculator_;
    std::map<CalculatorBox, CHexEditBox*> boxes_;
    std::map<int, QPushButton*> keys_;
    std::map<int, QAction*> actions_;
    QPushButton* operatorDisplay_ = nullptr;
    QPushButton* memoryIndicator_ = nullptr;
    bool toolTipsShown_ = true;
};
