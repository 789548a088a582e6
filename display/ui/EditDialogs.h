#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

#include "display/ModifyData.h"

class CHexPanel;
class CSettings;
class EditCommands;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace platform {
class MessageService;
}

// "Modify Data": where, how many bytes, which byte and how they are
// combined, over the rules of ModifyDataForm. OK stores the choices as the
// next run's defaults.
class CModifyDataDialog : public QDialog {
  public:
    CModifyDataDialog(const ModifyDataForm::Bounds& bounds, std::uint64_t dataStart,
                      CSettings& settings, platform::MessageService& messages,
                      QWidget* parent = nullptr);

    void accept() override;
    const ModifyDataRequest& request() const { return request_; }

    QLineEdit* addressEdit() const;
    QComboBox* addressPresets() const { return address_; }
    QLineEdit* lengthEdit() const { return length_; }
    QLineEdit* byteEdit() const { return byte_; }
    QCheckBox* randomBox() const { return random_; }
    QRadioButton* insertButton() const { return insert_; }
    QComboBox* operations() const { return operations_; }
    QRadioButton* baseButton(NumberBase base) const;

  private:
    void edited(QLineEdit* edit, int (ModifyDataForm::*rule)(const std::string&));
    void showForm();
    void updateEnabling();

    ModifyDataForm form_;
    std::uint64_t dataStart_;
    CSettings& settings_;
    platform::MessageService& messages_;
    ModifyDataRequest request_;
    QComboBox* address_;
    QLineEdit* length_;
    QLineEdit* byte_;
    QCheckBox* random_;
    QRadioButton* overwrite_;
    QRadioButton* insert_;
    QComboBox* operations_;
    std::array<QRadioButton*, 3> bases_{};
};

// "Swap Data": all the data or the selection, optionally along the lines.
class CSwapDataDialog : public QDialog {
  public:
    CSwapDataDialog(bool hasSelection, QWidget* parent = nullptr);
    bool wholeData() const;
    bool alignLine() const;
    QRadioButton* selectionButton() const { return selection_; }
    QCheckBox* alignLineBox() const { return align_; }

  private:
    QRadioButton* all_;
    QRadioButton* selection_;
    QCheckBox* align_;
};

// The editing commands that ask first: each opens its dialog over `parent`
// and gives the answer to the view. Nothing happens while the command is
// disabled.
void runPasteToSpecifiedPoint(CHexPanel& panel, bool overwrite, platform::MessageService& messages,
                              QWidget* parent);
void runSetDataSize(CHexPanel& panel, EditCommands& commands, platform::MessageService& messages,
                    QWidget* parent);
void runModifyData(CHexPanel& panel, EditCommands& commands, CSettings& settings,
                   platform::MessageService& messages, QWidget* parent);
void runSwapData(CHexPanel& panel, QWidget* parent);
