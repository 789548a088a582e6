#include "app/CFileProperties.h"
#include "platform/qt/DialogWidth.h"

#include <sys/stat.h>

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

std::string permissionText(unsigned mode) {
    std::string text = "---------";
    const char letters[] = "rwx";
    for (int i = 0; i < 9; ++i) {
        if ((mode & (0400u >> i)) != 0) {
            text[static_cast<std::size_t>(i)] = letters[i % 3];
        }
    }
    return text;
}

CFilePropertiesDialog::CFilePropertiesDialog(const std::string& path, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("File Attributes"));
    const QFileInfo info(QString::fromStdString(path));
    struct stat status {};
    const bool known = ::stat(path.c_str(), &status) == 0;
    const QString rows[][2] = {
        {QStringLiteral("Path: "), info.absoluteFilePath()},
        {QStringLiteral("Size: "), QStringLiteral("%1 bytes").arg(info.size())},
        {QStringLiteral("Permissions: "),
         known ? QString::fromStdString(permissionText(status.st_mode & 0777)) : QString()},
        {QStringLiteral("Owner: "), info.owner()},
        {QStringLiteral("Modified: "), info.lastModified().toString(Qt::ISODate)},
        {QStringLiteral("Accessed: "), info.lastRead().toString(Qt::ISODate)},
    };
    auto* form = new QFormLayout();
    for (const auto& row : rows) {
        auto* value = new QLabel(row[1], this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        values_.push_back(value);
        form->addRow(row[0], value);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    widenToTitle(*this);
}

QString CFilePropertiesDialog::text(int row) const {
    return row >= 0 && row < static_cast<int>(values_.size())
               ? values_[static_cast<std::size_t>(row)]->text()
               : QString();
}

bool showPropertiesInFileManager(const std::string& path) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusInterface manager(QStringLiteral("org.freedesktop.FileManager1"),
                           QStringLiteral("/org/freedesktop/FileManager1"),
                           QStringLiteral("org.freedesktop.FileManager1"), bus);
    if (!manager.isValid()) {
        return false;
    }
    const QStringList uris{QUrl::fromLocalFile(QString::fromStdString(path)).toString()};
    const QDBusMessage reply = manager.call(QStringLiteral("ShowItemProperties"), uris, QString());
    return reply.type() == QDBusMessage::ReplyMessage;
}

void showFileProperties(const std::string& path, QWidget* parent) {
    if (!showPropertiesInFileManager(path)) {
        CFilePropertiesDialog dialog(path, parent);
        dialog.exec();
    }
}
