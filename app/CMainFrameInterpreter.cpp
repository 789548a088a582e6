// The main frame's data interpretation window: made with the frame, placed
// in the corner of its free client area when the frame first shows, and
// told of every caret placement in the active view.
#include <QMdiArea>
#include <QShowEvent>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "display/ui/CHexWindow.h"
#include "interpret/ui/CHexInterpreter.h"

void CMainFrame::setUpInterpreter() {
    interpreter_ = new CHexInterpreter(settings_, strings_, this);
    interpreter_->setTipsShown(toolbarTips_);
    interpreter_->onMoveEnded = [this] {
        if (CChildFrame* child = activeChild()) {
            child->view().setFocus();
        }
    };
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!interpreterPlaced_) {
        interpreterPlaced_ = true;
        placeInterpreterInitially();
    }
}

void CMainFrame::placeInterpreterInitially() {
    if (interpreter_ == nullptr) {
        return;
    }
    // The free client area is the part the bars leave: the MDI area.
    const QRect free(area_->mapToGlobal(QPoint(0, 0)), area_->size());
    const QRect client(mapToGlobal(QPoint(0, 0)), size());
    interpreter_->placeInitially(free, client);
}

void CMainFrame::followCaretWithInterpreter(CChildFrame& child) {
    if (interpreter_ == nullptr || interpreter_->isHiddenByUser()) {
        return;
    }
    CHexPanel& panel = child.panel();
    const std::uint64_t offset = panel.caretOffset();
    interpreter_->followCaret(
        child.view().caretOnScreen(), panel.state().pixels.lineHeight,
        [&panel, offset](std::uint8_t* bytes, int& count) {
            std::uint64_t read = 0;
            if (!panel.data().readData(bytes, static_cast<std::uint64_t>(count), read, offset)) {
                return false;
            }
            count = static_cast<int>(read);
            return true;
        });
}
