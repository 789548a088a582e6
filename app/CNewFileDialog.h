#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>

#include "exchange/NewAndPaste.h"
#include "platform/NumberText.h"

class CSettings;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace platform {
class MessageService;
}

// "Create New File": the data size and initial byte in a chosen number
// system, with "Save As Defaults" and "Create Directly". Characters outside
// the system's digits and sizes above the maximal file size are refused as
// they are typed; the text goes back to what it was.
class CNewFileDialog : public QDialog {
  public:
    CNewFileDialog(CSettings& settings, platform::MessageService& messages,
                   QWidget* parent = nullptr);

    std::uint64_t size() const { return size_; }
    std::uint8_t initialByte() const { return byte_; }
    NumberBase base() const { return base_; }
    void setBase(NumberBase base);
    void accept() override;

    QLineEdit* sizeEdit() const { return sizeEdit_; }
    QLineEdit* byteEdit() const { return byteEdit_; }
    QCheckBox* saveAsDefaults() const { return defaults_; }
    QCheckBox* createDirectly() const { return directly_; }

  private:
    void checkSize(const QString& text);
    void checkByte(const QString& text);

    CSettings& settings_;
    platform::MessageService& messages_;
    std::uint64_t maximum_;
    std::uint64_t size_;
    std::uint8_t byte_;
    NumberBase base_ = NumberBase::Decimal;
    QString lastSize_;
    QString lastByte_;
    QLineEdit* sizeEdit_;
    QLineEdit* byteEdit_;
    QCheckBox* defaults_;
    QCheckBox* directly_;
};
