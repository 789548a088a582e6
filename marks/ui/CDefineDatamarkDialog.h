#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "marks/DatamarkDefinition.h"

class CAssociationEditor;
class CHexEditBox;
class DatamarkLevels;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace platform {
class Clipboard;
}

// Define Datamark (225): the modeless window of one view that defines
// datamarks at the caret or by advanced find. The steps and checks are the
// DatamarkDefinition's; the window moves values and enables its controls
// from it.
class CDefineDatamarkDialog : public QDialog {
  public:
    CDefineDatamarkDialog(DefinitionView& view, const DatamarkLevels& levels,
                          platform::Clipboard& clipboard, platform::MessageService& messages,
                          bool findContinue, bool acrossFiles, QWidget* parent);
    ~CDefineDatamarkDialog() override;

    DatamarkDefinition& definition() { return definition_; }
    // Told when the window shows and hides: the view is held read-only meanwhile.
    std::function<void(bool shown)> onShownChanged;
    // "Associate ...": the chooser's association string, or nothing.
    std::function<std::optional<std::string>()> onAssociate;
    CAssociationEditor* associationEditor() const { return associations_; }

    // The controls, for the window's tests.
    QCheckBox* normalBox() const { return normal_; }
    CHexEditBox* findBox() const { return find_; }
    QPushButton* button(const QString& objectName) const;
    QLineEdit* nameBox() const { return name_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void build(platform::Clipboard& clipboard, platform::MessageService& messages,
               bool acrossFiles);
    QMenu* operatorMenu(bool arithmetic);
    void chooseOperator(bool arithmetic, QPushButton* button);
    void fillFromView(CHexEditBox* box);
    // Widgets to fields, then a step, then fields to widgets.
    void pull();
    void push();
    void run(const std::function<void()>& step);
    void showLevelImage();

    DatamarkDefinition definition_;
    DefinitionView& view_;
    const DatamarkLevels& levels_;
    QCheckBox* normal_ = nullptr;
    CHexEditBox* find_ = nullptr;
    CHexEditBox* findResult_ = nullptr;
    CHexEditBox* operate_ = nullptr;
    CHexEditBox* operateResult_ = nullptr;
    CHexEditBox* compare_ = nullptr;
    QPushButton* arithmetic_ = nullptr;
    QPushButton* comparison_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* comment_ = nullptr;
    CAssociationEditor* associations_ = nullptr;
    QSpinBox* level_ = nullptr;
    QLabel* levelImage_ = nullptr;
    std::unique_ptr<QMenu> arithmeticMenu_;
    std::unique_ptr<QMenu> comparisonMenu_;
};
