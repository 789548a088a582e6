// The update pass: every command enabled and checked, the status panes
// filled, and what a caret move of the active view refreshes.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QTabBar>
#include <cstdlib>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "display/DisplayTexts.h"
#include "exchange/ClipboardExchange.h"
#include "interpret/ui/CHexInterpreter.h"

void CMainFrame::updateCommands() {
    CChildFrame* child = activeChild();
    if (child != nullptr && child->panel().data().isBusy()) {
        return;  // a worker has the active store: everything stays as it is
    }
    const bool hasChild = child != nullptr;
    const auto enable = [this](int id, bool on) {
        if (QAction* command = action(id)) {
            command->setEnabled(on);
        }
    };
    // The desktop clipboard is asked once a pass.
    const bool pasteAvailable = isPasteAvailable(clipboard_);
    enable(cmd::FileNewAndPaste, pasteAvailable);
    enable(cmd::FileSave, hasChild && child->document().isModified());
    enable(cmd::FileSaveAs, hasChild);
    enable(cmd::FileAttributes, hasChild && !child->document().path().empty());
    enable(cmd::FileExportFile, hasChild);
    enable(cmd::FilePageSetup, hasChild);
    enable(cmd::FilePrintSetup, true);
    enable(cmd::FilePrint, canPrint(child));
    enable(cmd::FilePrintPreview, canPrint(child));
    enable(cmd::FileExportSelection, hasChild && child->panel().hasSelection());
    enable(cmd::FileClose, hasChild);
    enable(cmd::FileCloseAll, hasChild);
    enable(cmd::FileSaveAll, hasChild);
    enable(cmd::WindowClose, hasChild);
    enable(cmd::WindowCloseAll, hasChild);
    enable(cmd::WindowNext, tabs_->count() > 1);
    enable(cmd::WindowPrevious, tabs_->count() > 1);
    enable(cmd::ToolsMultibyteCalculator, siblings_.tamsorel);
    enable(cmd::ToolsInterpreter, siblings_.pellwick);
    enable(cmd::ToolsInterpretationWindow, interpreter_ != nullptr);
    if (QAction* interpretation = action(cmd::ToolsInterpretationWindow)) {
        interpretation->setChecked(interpreter_ != nullptr && !interpreter_->isHiddenByUser());
    }
    updateViewCommands(child, pasteAvailable);
    updateSearchCommands(child);
    updateStatusPanes(child);
}

void CMainFrame::caretMoved(CHexPanel& panel) {
    CChildFrame* child = activeChild();
    if (child == nullptr || &child->panel() != &panel || panel.data().isBusy()) {
        return;
    }
    updateViewCommands(child);
    updateStatusPanes(child);
    followCaretWithInterpreter(*child);
}

void CMainFrame::updateStatusPanes(CChildFrame* child) {
    if (child == nullptr) {
        for (std::size_t i = 1; i < panes_.size(); ++i) {
            panes_[i]->setText(QString());
        }
        return;
    }
    CHexPanel& panel = child->panel();
    CEditData& data = panel.data();
    const ViewState& state = panel.state();
    // The status panes of the active view.
    const CellGeometry cells = panel.hexPanel().cells();
    const std::uint64_t caretCell = cells.byteToCell(panel.caretOffset());
    const std::uint64_t length = panel.selectionLength();
    const bool readOnly = data.isReadOnly();
    const StatusField fields[] = {
        pageField(strings_, caretCell, cells.cellsPerLine(), state.presentation.pageHeight(),
                  state.shown.pageTips),
        lineField(strings_, caretCell, cells.cellsPerLine()),
        posField(strings_, panel.caretOffset(), state.presentation.dataStartAddress()),
        lenField(strings_, length),
        sizeField(strings_, data.getDataSize(), readOnly),
        readField(strings_, readOnly),
    };
    for (std::size_t i = 0; i < 6; ++i) {
        QLabel* pane = panes_[i + 1];
        pane->setText(QString::fromStdString(fields[i].text));
        pane->setFrameShadow(fields[i].raised ? QFrame::Raised : QFrame::Sunken);
        // A pane follows its text when the width differs by more than 8 pixels.
        const int wanted = pane->fontMetrics().horizontalAdvance(pane->text()) + 8;
        if (std::abs(pane->minimumWidth() - wanted) > 8) {
            pane->setMinimumWidth(wanted);
        }
    }
}
