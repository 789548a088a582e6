#pragma once

#include <QString>

#include "exchange/ExportOperation.h"

class QWidget;

namespace platform {
class StringTable;
}

// The save dialog of Export File As and Export Selection As: Qt's own file
// dialog (as the Open dialog), the four formats as filters with the first
// chosen, the default extension following the chosen filter, and a question
// before an existing file is replaced.
class CExportFileDialog : public ExportDialogs {
  public:
    CExportFileDialog(QWidget* parent, const platform::StringTable& strings)
        : parent_(parent), strings_(strings) {}

    std::optional<Choice> chooseTarget(int titleId, const std::string& folder) override;

    // The filters as the dialog lists them, and the extension each adds.
    static QStringList filters();
    static QString extensionOf(int filterIndex);

  private:
    QWidget* parent_;
    const platform::StringTable& strings_;
};
