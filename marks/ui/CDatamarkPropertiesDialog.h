#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "marks/DatamarkProperties.h"

class CAssociationEditor;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace platform {
class MessageService;
}

// Datamark Properties (197): one datamark's name, comment, level, normal
// flag and associations, its advanced find shown but not editable. Opened
// from a view it also shows whether the datamark is still valid in the
// data, and OK is enabled only then.
class CDatamarkPropertiesDialog : public QDialog {
  public:
    struct Hooks {
        // From a view: checks the datamark and shows it (moves the caret or
        // selects its bytes); none from Edit Datamarks.
        std::function<bool()> validate;
        // The checks of OK: a message id, or 0 to accept.
        std::function<int(const DatamarkProperties&)> check;
        // "Associate ...": the chooser's association string, or nothing.
        std::function<std::optional<std::string>()> choose;
    };
    CDatamarkPropertiesDialog(DatamarkProperties& properties, int levelCount, Hooks hooks,
                              platform::MessageService& messages, QWidget* parent);

    QLineEdit* nameBox() const { return name_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* validityText() const { return validity_; }

  private:
    void runValidity();
    void tryAccept();

    DatamarkProperties& properties_;
    Hooks hooks_;
    platform::MessageService& messages_;
    QCheckBox* normal_ = nullptr;
    QLineEdit* name_ = nullptr;
    QPlainTextEdit* comment_ = nullptr;
    CAssociationEditor* associations_ = nullptr;
    QSpinBox* level_ = nullptr;
    QLabel* validity_ = nullptr;
    QPushButton* ok_ = nullptr;
};
