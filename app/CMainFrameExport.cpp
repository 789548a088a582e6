// Export File As and Export Selection As of the active view: the bytes of
// the file or of the selection into a new file, in the format the save
// dialog's filter chooses.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/DocumentTitle.h"
#include "exchange/ExportOperation.h"
#include "exchange/ui/CExportFileDialog.h"

void CMainFrame::exportData(bool wholeFile) {
    CChildFrame* child = activeChild();
    if (child == nullptr || child->panel().data().isBusy()) {
        return;
    }
    CHexPanel& panel = child->panel();
    ExportRequest request;
    request.wholeFile = wholeFile;
    if (!wholeFile) {
        request.range = panel.getSelection();
        if (!request.range) {
            request.block = panel.blockGeometry();
        }
    }
    request.lineWidth = panel.state().presentation.lineWidth();
    request.title = titleWithoutMark(child->document().title());
    CExportFileDialog dialogs(this, strings_);
    ExportOperation(settings_, messages_, progress_, dialogs).run(panel.data(), request);
    updateCommands();
}
