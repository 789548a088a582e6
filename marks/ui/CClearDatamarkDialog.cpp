#include "marks/ui/CClearDatamarkDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

ClearConfirmation::Answer showClearDatamarkDialog(QWidget* parent, const std::string& text,
                                                  bool noLongerHint, bool autoDisconnect) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("192"));
    dialog.setWindowTitle(QStringLiteral("Clear datamark"));
    auto* layout = new QGridLayout(&dialog);
    auto* icon = new QLabel(&dialog);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32));
    auto* message = new QLabel(QString::fromStdString(text), &dialog);
    message->setTextFormat(Qt::PlainText);
    auto* hint = new QCheckBox(QStringLiteral("No Longer Hint"), &dialog);
    auto* disconnect = new QCheckBox(QStringLiteral("Auto Disconnect Associations"), &dialog);
    hint->setChecked(noLongerHint);
    disconnect->setChecked(autoDisconnect);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(message, 0, 1);
    layout->addWidget(hint, 1, 1);
    layout->addWidget(disconnect, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    const bool ok = dialog.exec() == QDialog::Accepted;
    return {ok, hint->isChecked(), disconnect->isChecked()};
}
