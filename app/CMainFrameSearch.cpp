// The main frame's "&Search" menu: the linemark commands, run by the active
// view; the find commands join it with the search.

#include <QMenu>
#include <QMenuBar>

#include "app/CMainFrame.h"
#include "display/MarkCommands.h"
#include "display/ui/CHexWindow.h"
#include "marks/MarkCommandIds.h"

QMenu* CMainFrame::buildSearchMenu() {
    QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
    const auto add = [this, search](int id, const char* text, const QKeySequence& keys) {
        addCommand(search, id, QString::fromUtf8(text), keys, [this, id] { runMark(id); });
    };
    add(cmd::SearchToggleLinemark, "Toggle Line&mark\tCtrl+F2",
        QKeySequence(Qt::CTRL | Qt::Key_F2));
    add(cmd::SearchNextLinemark, "N&ext Linemark\tF2", QKeySequence(Qt::Key_F2));
    add(cmd::SearchPreviousLinemark, "Pre&vious Linemark\tShift+F2",
        QKeySequence(Qt::SHIFT | Qt::Key_F2));
    add(cmd::SearchClearAllLinemarks, "Clear All Linemarks", {});
    return search;
}

void CMainFrame::runMark(int id) {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    MarkCommands(&child->panel()).run(id);
    child->view().update();
    updateCommands();
}
