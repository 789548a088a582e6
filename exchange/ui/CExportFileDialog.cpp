#include "exchange/ui/CExportFileDialog.h"

#include <QFileDialog>

#include "platform/StringTable.h"

QStringList CExportFileDialog::filters() {
    return {QStringLiteral("Hex Byte (*.hex)"), QStringLiteral("Hex Text (*.txt)"),
            QStringLiteral("C Source (*.c *.cpp)"), QStringLiteral("HTML Text (*.htm *.html)")};
}

QString CExportFileDialog::extensionOf(int filterIndex) {
    static const QString extensions[] = {QStringLiteral("hex"), QStringLiteral("txt"),
                                         QStringLiteral("c"), QStringLiteral("htm")};
    return extensions[filterIndex >= 1 && filterIndex <= 4 ? filterIndex - 1 : 0];
}

std::optional<ExportDialogs::Choice> CExportFileDialog::chooseTarget(int titleId,
                                                                     const std::string& folder) {
    QFileDialog dialog(parent_, QString::fromStdString(strings_.text(titleId)),
                       QString::fromStdString(folder));
    dialog.setObjectName(QStringLiteral("ExportFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setNameFilters(filters());
    dialog.selectNameFilter(filters().front());
    dialog.setDefaultSuffix(extensionOf(1));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         dialog.setDefaultSuffix(extensionOf(filters().indexOf(filter) + 1));
                     });
    if (parent_ != nullptr) {
        dialog.resize(860, 520);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return Choice{dialog.selectedFiles().front().toStdString(),
                  static_cast<int>(filters().indexOf(dialog.selectedNameFilter())) + 1};
}
