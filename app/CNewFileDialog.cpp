#include "app/CNewFileDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/MessageService.h"
#include "platform/qt/DialogWidth.h"
#include "settings/CSettings.h"

CNewFileDialog::CNewFileDialog(CSettings& settings, platform::MessageService& messages,
                               QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      messages_(messages),
      maximum_(settings.maxDirectEditSize()),
      size_(std::min<std::uint64_t>(
          static_cast<std::uint32_t>(settings.get(settings::edit::NewdocInitLength)), maximum_)),
      byte_(static_cast<std::uint8_t>(settings.get(settings::edit::NewdocInitData))),
      sizeEdit_(new QLineEdit(this)),
      byteEdit_(new QLineEdit(this)),
      defaults_(new QCheckBox(QStringLiteral("Save As Defaults"), this)),
      directly_(new QCheckBox(QStringLiteral("Create Directly"), this)) {
    setWindowTitle(QStringLiteral("Create New File"));
    lastSize_ = QString::fromStdString(formatInBase(size_, base_));
    lastByte_ = QString::fromStdString(formatInBase(byte_, base_));
    sizeEdit_->setText(lastSize_);
    byteEdit_->setText(lastByte_);
    auto* decimal = new QRadioButton(QStringLiteral("Decimal"), this);
    auto* hex = new QRadioButton(QStringLiteral("Hexadecimal"), this);
    auto* octal = new QRadioButton(QStringLiteral("Octal"), this);
    decimal->setChecked(true);
    connect(decimal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setBase(NumberBase::Decimal);
    });
    connect(hex, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setBase(NumberBase::Hexadecimal);
    });
    connect(octal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setBase(NumberBase::Octal);
    });
    connect(sizeEdit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { checkSize(text); });
    connect(byteEdit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { checkByte(text); });

    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("Data Size: "), sizeEdit_);
    form->addRow(QStringLiteral("Initial Byte: "), byteEdit_);
    auto* bases = new QHBoxLayout();
    bases->addWidget(decimal);
    bases->addWidget(hex);
    bases->addWidget(octal);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewFileDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(bases);
    layout->addWidget(defaults_);
    layout->addWidget(directly_);
    layout->addWidget(buttons);
    widenToTitle(*this);
}

void CNewFileDialog::setBase(NumberBase base) {
    // Both fields are read in the old system and written in the new one.
    const auto size = parseInBase(sizeEdit_->text().toStdString(), base_);
    const auto byte = parseInBase(byteEdit_->text().toStdString(), base_);
    base_ = base;
    lastSize_ = size ? QString::fromStdString(formatInBase(*size, base)) : QString();
    lastByte_ = byte ? QString::fromStdString(formatInBase(*byte & 0xFF, base)) : QString();
    sizeEdit_->setText(lastSize_);
    byteEdit_->setText(lastByte_);
}

void CNewFileDialog::checkSize(const QString& text) {
    const std::string typed = text.toStdString();
    if (!isDigitsOf(typed, base_)) {
        sizeEdit_->setText(lastSize_);
        messages_.show(digitMessageId(base_), {platform::MessageIcon::Exclamation});
        return;
    }
    const auto value = parseInBase(typed, base_);
    if (value && *value > maximum_) {
        sizeEdit_->setText(lastSize_);
        messages_.show(newfilestrings::kSizeTooLarge, {platform::MessageIcon::Exclamation},
                       {std::to_string(maximum_)});
        return;
    }
    lastSize_ = text;
}

void CNewFileDialog::checkByte(const QString& text) {
    if (!isDigitsOf(text.toStdString(), base_)) {
        byteEdit_->setText(lastByte_);
        messages_.show(digitMessageId(base_), {platform::MessageIcon::Exclamation});
        return;
    }
    lastByte_ = text;
}

void CNewFileDialog::accept() {
    const auto size = parseInBase(sizeEdit_->text().toStdString(), base_);
    if (!size || *size == 0) {
        messages_.show(newfilestrings::kSizeNotPositive, {platform::MessageIcon::Exclamation});
        return;  // the dialog stays open
    }
    size_ = *size;
    byte_ = static_cast<std::uint8_t>(
        parseInBase(byteEdit_->text().toStdString(), base_).value_or(0) & 0xFF);
    if (defaults_->isChecked() || directly_->isChecked()) {
        settings_.write(settings::edit::NewdocInitLength, static_cast<std::int32_t>(size_));
        settings_.write(settings::edit::NewdocInitData, byte_);
    }
    if (directly_->isChecked()) {
        settings_.write(settings::edit::NewdocDirCreate, 1);
    }
    QDialog::accept();
}
