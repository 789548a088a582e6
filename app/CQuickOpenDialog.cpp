#include "app/CQuickOpenDialog.h"
#include "platform/qt/DialogWidth.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CQuickOpenDialog::CQuickOpenDialog(const std::string& folder, QWidget* parent)
    : QDialog(parent),
      folder_(new QLineEdit(QString::fromStdString(folder), this)),
      name_(new QLineEdit(this)),
      readOnly_(new QCheckBox(QStringLiteral("Open as read only"), this)) {
    setWindowTitle(QStringLiteral("Quick open"));
    auto* browse = new QPushButton(QStringLiteral("&Browser..."), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            QFileDialog::getOpenFileName(this, QStringLiteral("Open"), folder_->text());
        if (!chosen.isEmpty()) {
            const QFileInfo info(chosen);
            folder_->setText(info.absolutePath());
            name_->setText(info.fileName());
        }
    });
    auto* form = new QFormLayout();
    auto* folderRow = new QHBoxLayout();
    folderRow->addWidget(folder_);
    folderRow->addWidget(browse);
    form->addRow(QStringLiteral("Directory: "), folderRow);
    form->addRow(QStringLiteral("File Name: "), name_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(readOnly_);
    layout->addWidget(buttons);
    widenToTitle(*this);
}

std::string CQuickOpenDialog::path() const {
    std::string folder = folder_->text().trimmed().toStdString();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder + "/" + name_->text().trimmed().toStdString();
}

bool CQuickOpenDialog::readOnly() const {
    return readOnly_->isChecked();
}
