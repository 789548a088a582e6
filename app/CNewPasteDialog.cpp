#include "app/CNewPasteDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "platform/qt/DialogWidth.h"
#include "settings/CSettings.h"

CNewPasteDialog::CNewPasteDialog(CSettings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      types_(new QComboBox(this)),
      clipboardSize_(new QCheckBox(QStringLiteral("Use Clipboard Data Size"), this)),
      defaults_(new QCheckBox(QStringLiteral("Save As Defaults"), this)),
      directly_(new QCheckBox(QStringLiteral("Create Directly"), this)) {
    setWindowTitle(QStringLiteral("Create New File And Paste Data"));
    // The kinds of address the view presents.
    types_->addItems({QStringLiteral("Default Address"), QStringLiteral("Display Address"),
                      QStringLiteral("Data Address")});
    types_->setCurrentIndex(static_cast<int>(storedAddressType(settings)));
    clipboardSize_->setChecked(true);

    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("Set Data Start Address As: "), types_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewPasteDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(clipboardSize_);
    layout->addWidget(defaults_);
    layout->addWidget(directly_);
    layout->addWidget(buttons);
    widenToTitle(*this);
}

StartAddressType CNewPasteDialog::addressType() const {
    return static_cast<StartAddressType>(types_->currentIndex());
}

bool CNewPasteDialog::useClipboardSize() const {
    return clipboardSize_->isChecked();
}

void CNewPasteDialog::accept() {
    if (defaults_->isChecked() || directly_->isChecked()) {
        settings_.write(settings::edit::NewdocOfsType, types_->currentIndex());
    }
    if (directly_->isChecked()) {
        settings_.write(settings::edit::NewdocDirCreate, 1);
    }
    QDialog::accept();
}
