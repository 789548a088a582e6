#include "platform/qt/QtProgressRunner.h"

#include <QApplication>
#include <QPushButton>

#include "platform/qt/CProgressDialog.h"

namespace platform {

bool QtProgressRunner::runWithProgress(int captionId, int textId,
                                       const std::function<void(const ProgressCallback&)>& worker) {
    QWidget* parent = parent_ ? parent_() : QApplication::activeWindow();
    CProgressDialog dialog(strings_, captionId, textId, parent);
    return dialog.run(worker);
}

bool QtProgressRunner::runWithProgressText(
    int captionId, const std::string& text, bool cancellable,
    const std::function<void(const ProgressCallback&)>& worker) {
    QWidget* parent = parent_ ? parent_() : QApplication::activeWindow();
    CProgressDialog dialog(strings_, captionId, 0, parent);
    dialog.setText(text);
    dialog.cancelButton()->setEnabled(cancellable);
    return dialog.run(worker);
}

}  // namespace platform
