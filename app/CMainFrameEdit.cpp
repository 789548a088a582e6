// The main frame's "&Edit" menu: the editing commands run by the active view.

#include <QMenu>
#include <QMenuBar>

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "display/EditCommands.h"
#include "display/MarkCommands.h"
#include "display/PresentationCommands.h"
#include "display/SelectionCommands.h"
#include "display/ui/CGoToDialog.h"
#include "display/ui/CHexWindow.h"
#include "display/ui/EditDialogs.h"
#include "display/ui/PositionCommands.h"

void CMainFrame::runEdit(int id) {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    CHexPanel& panel = child->panel();
    EditCommands commands(panel, messages_);
    switch (id) {
        case cmd::EditCopyFilePath:
            commands.copyFilePath(child->document().path());
            break;
        case cmd::EditPasteToSpecified:
        case cmd::EditOverwriteToSpecified:
            runPasteToSpecifiedPoint(panel, id == cmd::EditOverwriteToSpecified, messages_, this);
            break;
        case cmd::EditSetDataSize:
            runSetDataSize(panel, commands, messages_, this);
            break;
        case cmd::EditModifyData:
            runModifyData(panel, commands, settings_, messages_, this);
            break;
        case cmd::EditSwapData:
            runSwapData(panel, this);
            break;
        default:
            commands.run(id);
            break;
    }
    child->view().update();
    updateCommands();
}

QMenu* CMainFrame::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    const auto add = [this](QMenu* menu, int id, const char* text, QList<QKeySequence> keys = {}) {
        QAction* command =
            addCommand(menu, id, QString::fromUtf8(text), {}, [this, id] { runEdit(id); });
        command->setShortcuts(keys);
        return command;
    };
    using K = QKeySequence;
    add(edit, cmd::EditUndo, "&Undo\tCtrl+Z", {K(Qt::CTRL | Qt::Key_Z)});
    add(edit, cmd::EditRedo, "&Redo\tCtrl+R", {K(Qt::CTRL | Qt::Key_R)});
    addCommand(edit, cmd::EditQuickUndo, QStringLiteral("Quic&k Undo...\tCtrl+K"),
               K(Qt::CTRL | Qt::Key_K), [this] { showQuickList(true); });
    addCommand(edit, cmd::EditQuickRedo, QStringLiteral("Quick R&edo...\tCtrl+D"),
               K(Qt::CTRL | Qt::Key_D), [this] { showQuickList(false); });
    edit->addSeparator();
    add(edit, cmd::EditCut, "Cu&t\tCtrl+X",
        {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)});
    add(edit, cmd::EditCopy, "&Copy\tCtrl+C",
        {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)});
    add(edit, cmd::EditPaste, "&Paste\tCtrl+V",
        {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)});
    add(edit, cmd::EditDelete, "&Delete\t   Del", {K(Qt::Key_Delete)});
    add(edit, cmd::EditOverwrite, "Over&write\tCtrl+W", {K(Qt::CTRL | Qt::Key_W)});
    add(edit, cmd::EditCopyAsHexText, "Copy As Hex Text\tCtrl+E", {K(Qt::CTRL | Qt::Key_E)});
    add(edit, cmd::EditCopyAsHexTextC, "Copy As Hex Text(C/C++)");
    add(edit, cmd::EditCopyFilePath, "Copy File Path");
    QMenu* specialPaste = edit->addMenu(QStringLiteral("Spec&ial Paste"));
    add(specialPaste, cmd::EditPasteToBeginning, "To Beginning");
    add(specialPaste, cmd::EditPasteToEnd, "To End");
    add(specialPaste, cmd::EditPasteToCurrent, "To Current Point");
    add(specialPaste, cmd::EditPasteToSpecified, "To Specified Point...");
    QMenu* specialOverwrite = edit->addMenu(QStringLiteral("Special &Overwrite"));
    add(specialOverwrite, cmd::EditOverwriteToBeginning, "To Beginning");
    add(specialOverwrite, cmd::EditOverwriteToEnd, "To End");
    add(specialOverwrite, cmd::EditOverwriteToCurrent, "To Current Point");
    add(specialOverwrite, cmd::EditOverwriteToSpecified, "To Specified Point...");
    QMenu* adjust = edit->addMenu(QStringLiteral("Ad&just Data"));
    add(adjust, cmd::EditSetDataSize, "Set Data Size...");
    add(adjust, cmd::EditModifyData, "Modify Data...");
    add(adjust, cmd::EditSwapData, "Swap Data...");
    for (QMenu* sub : {specialPaste, specialOverwrite, adjust}) {
        connect(sub, &QMenu::aboutToShow, this, [this] { updateCommands(); });
    }
    edit->addSeparator();
    addCommand(edit, cmd::EditSelectAll, QStringLiteral("Select &All\tCtrl+A"),
               K(Qt::CTRL | Qt::Key_A),
               [this] { runOnPanel([](CHexPanel& p) { p.selectAll(); }); });
    addCommand(edit, cmd::EditSelectLine, QStringLiteral("Select &Line\tCtrl+L"),
               K(Qt::CTRL | Qt::Key_L),
               [this] { runOnPanel([](CHexPanel& p) { p.selectLine(); }); });
    addCommand(edit, cmd::EditSelectRange, QStringLiteral("Select Ra&nge..."), {}, [this] {
        runOnPanel([this](CHexPanel& p) { runSelectRange(p, messages_, this); });
    });
    addCommand(edit, cmd::EditSelectColumnBlock, QStringLiteral("Select Column &Block...\tCtrl+B"),
               K(Qt::CTRL | Qt::Key_B), [this] {
                   runOnPanel([this](CHexPanel& p) { runSelectColumnBlock(p, messages_, this); });
               });
    addCommand(edit, cmd::EditGoTo, QStringLiteral("&Go to...\tCtrl+G"), K(Qt::CTRL | Qt::Key_G),
               [this] {
                   if (CChildFrame* child = activeChild()) {
                       child->goToDialog().present();
                   }
               });
    edit->addSeparator();
    add(edit, cmd::EditReadOnly, "Readonl&y\tCtrl+Y", {K(Qt::CTRL | Qt::Key_Y)})
        ->setCheckable(true);
    return edit;
}

// The view's commands: the chain of its targets answers for each of them.
void CMainFrame::updateViewCommands(CChildFrame* child, std::optional<bool> pasteAvailable) {
    CHexPanel* panel = child != nullptr ? &child->panel() : nullptr;
    std::optional<EditCommands> edit;
    if (panel != nullptr) {
        edit.emplace(*panel, messages_, pasteAvailable);
    }
    PresentationCommands presentation(panel);
    SelectionCommands selection(panel);
    MarkCommands marks(panel);
    const CommandChain chain{edit ? &*edit : nullptr, &presentation, &selection, &marks};
    for (const auto& [id, command] : actions_) {
        if (id == cmd::EditCopyFilePath) {
            command->setEnabled(child != nullptr && !child->document().path().empty());
        } else if (chain.knows(id) || EditCommands::isEditCommand(id)) {
            const CommandState state = chain.state(id);
            command->setEnabled(state.enabled);
            if (command->isCheckable()) {
                command->setChecked(state.checked);
            }
        }
    }
}

CommandState CMainFrame::commandState(CChildFrame* child, int id) {
    if (const QAction* command = action(id)) {
        return {command->isEnabled(), command->isChecked()};
    }
    // The commands of the view's own menus only.
    PresentationCommands presentation(&child->panel());
    MarkCommands marks(&child->panel());
    const CommandChain chain{&presentation, &marks};
    return chain.state(id);
}
