#pragma once

#include <QDialog>

#include "exchange/ClipboardExchange.h"
#include "exchange/NewAndPaste.h"

class CSettings;
class QCheckBox;
class QComboBox;

// "Create New File And Paste Data": how the new document's data start
// address is set, and whether its size is the clipboard data's.
class CNewPasteDialog : public QDialog {
  public:
    explicit CNewPasteDialog(CSettings& settings, QWidget* parent = nullptr);

    StartAddressType addressType() const;
    bool useClipboardSize() const;
    void accept() override;

    QComboBox* addressTypes() const { return types_; }
    QCheckBox* clipboardSize() const { return clipboardSize_; }
    QCheckBox* saveAsDefaults() const { return defaults_; }
    QCheckBox* createDirectly() const { return directly_; }

  private:
    CSettings& settings_;
    QComboBox* types_;
    QCheckBox* clipboardSize_;
    QCheckBox* defaults_;
    QCheckBox* directly_;
};
