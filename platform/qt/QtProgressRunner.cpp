#include "platform/qt/QtProgressRunner.h"

#include <QApplication>

#include "platform/qt/CProgressDialog.h"

namespace platform {

bool QtProgressRunner::runWithProgress(int captionId, int textId,
                                       const std::function<void(const ProgressCallback&)>& worker) {
    QWidget* parent = parent_ ? parent_() : QApplication::activeWindow();
    CProgressDialog dialog(strings_, captionId, textId, parent);
    return dialog.run(worker);
}

}  // namespace platform
