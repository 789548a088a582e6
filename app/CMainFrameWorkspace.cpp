// The workspace dock of the main frame: made with the frame, docked at the
// left, shown and hidden by View > Workspace Window, opening files through
// the frame and following the active document.
#include <QAction>
#include <QMenu>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CWorkSpace.h"
#include "app/CommandIds.h"

void CMainFrame::setUpWorkspace() {
    workspace_ = new CWorkSpace(settings_, messages_, this);
    addDockWidget(Qt::LeftDockWidgetArea, workspace_);
    workspace_->onOpen = [this](const std::string& path) { openDocument(path); };
    // Every letter of its name is taken on this menu: it goes without one.
    QAction* toggle = viewMenu_->addAction(QStringLiteral("Workspace Window"));
    toggle->setCheckable(true);
    toggle->setData(cmd::ViewWorkspace);
    actions_[cmd::ViewWorkspace] = toggle;
    connect(toggle, &QAction::triggered, this,
            [this](bool on) { workspace_->setVisible(on); });
    // The check follows the dock (its close button, the bar state), also
    // while the frame is taken down: the action is the connection's context.
    connect(workspace_, &QDockWidget::visibilityChanged, toggle,
            [dock = workspace_, toggle] { toggle->setChecked(!dock->isHidden()); });
    toggle->setChecked(true);
}

void CMainFrame::followActiveFileInWorkspace() {
    CChildFrame* child = activeChild();
    if (workspace_ != nullptr && child != nullptr && !child->document().path().empty()) {
        workspace_->selectPath(child->document().path(), true);
    }
}
