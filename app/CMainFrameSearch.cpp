// The main frame's "&Search" menu and search tool bar: the find and replace
// commands and the linemark commands, run by the active view.

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

#include "app/CMainFrame.h"
#include "app/CSearchBar.h"
#include "display/MarkCommands.h"
#include "display/ui/CHexWindow.h"
#include "marks/MarkCommandIds.h"
#include "platform/MessageService.h"
#include "search/SearchCommandIds.h"
#include "settings/CSettings.h"

QMenu* CMainFrame::buildSearchMenu() {
    QMenu* search = menuBar()->addMenu(QStringLiteral("&Search"));
    const auto find = [this, search](int id, const char* text, QList<QKeySequence> keys) {
        addCommand(search, id, QString::fromUtf8(text), {}, [this, id] {
            runSearch(id);
        })->setShortcuts(keys);
    };
    using K = QKeySequence;
    find(cmd::SearchFind, "&Find...\tCtrl+F", {K(Qt::CTRL | Qt::Key_F), K(Qt::CTRL | Qt::Key_F3)});
    find(cmd::SearchFindNext, "Find &Next\tF3", {K(Qt::Key_F3)});
    find(cmd::SearchFindPrevious, "Find &Previous\tShift+F3", {K(Qt::SHIFT | Qt::Key_F3)});
    find(cmd::SearchReplace, "&Replace...\tCtrl+H", {K(Qt::CTRL | Qt::Key_H)});
    find(cmd::SearchToggleHex, "&Toggle Hex\tAlt+F3", {K(Qt::ALT | Qt::Key_F3)});
    action(cmd::SearchToggleHex)->setCheckable(true);
    search->addSeparator();
    const auto add = [this, search](int id, const char* text, const QKeySequence& keys) {
        addCommand(search, id, QString::fromUtf8(text), keys, [this, id] { runMark(id); });
    };
    add(cmd::SearchToggleLinemark, "Toggle Line&mark\tCtrl+F2",
        QKeySequence(Qt::CTRL | Qt::Key_F2));
    add(cmd::SearchNextLinemark, "N&ext Linemark\tF2", QKeySequence(Qt::Key_F2));
    add(cmd::SearchPreviousLinemark, "Pre&vious Linemark\tShift+F2",
        QKeySequence(Qt::SHIFT | Qt::Key_F2));
    add(cmd::SearchClearAllLinemarks, "Clear All Linemarks", {});
    search->addSeparator();
    addDatamarkCommands(search);
    return search;
}

QToolBar* CMainFrame::buildSearchBar() {
    // The bar's button without a command, always disabled.
    auto* spare = new QAction(QStringLiteral("Search"), this);
    spare->setEnabled(false);
    actions_[cmd::SearchBarSpare] = spare;
    const std::pair<int, const char*> icons[] = {
        {cmd::SearchToggleHex, "togglehex"},
        {cmd::SearchFind, "find"},
        {cmd::SearchFindNext, "findnext"},
        {cmd::SearchFindPrevious, "findprev"},
        {cmd::SearchReplace, "replace"},
        {cmd::SearchBarSpare, "searchspare"},
        {cmd::SearchToggleLinemark, "togglelinemark"},
        {cmd::SearchNextLinemark, "nextlinemark"},
        {cmd::SearchPreviousLinemark, "prevlinemark"},
        {cmd::SearchClearAllLinemarks, "clearlinemarks"},
    };
    for (const auto& [id, name] : icons) {
        action(id)->setIcon(commandIcon(name));
        action(id)->setToolTip(action(id)->iconText());
    }
    searchBar_ = new CSearchBar(
        settings_, [this](int id) { return action(id); },
        [this](const std::string& text) { findFromBox(text); }, this);
    addToolBar(searchBar_);
    return searchBar_;
}

FindContext CMainFrame::findContext() {
    return {settings_, messages_, progress_, searchBar_->findHistory(),
            searchBar_->replaceHistory()};
}

int CMainFrame::findStep(CChildFrame& child, const std::string& text, bool next,
                         bool forceForward) {
    return child.findTool().findNext(text, next, child.searchView(),
                                     settings_.get(settings::edit::FindContinue) != 0, progress_,
                                     strings_, forceForward);
}

void CMainFrame::findFromBox(const std::string& text) {
    CChildFrame* child = activeChild();
    if (child == nullptr || text.empty()) {
        return;
    }
    const int result = findStep(*child, text, true, true);
    child->view().update();
    if (result == FindTool::InvalidHex) {
        messages_.show(searchtext::kInvalidHexFind,
                       platform::MessageStyle(platform::MessageIcon::None));
    } else if (result != FindTool::Found) {
        messages_.show(searchtext::kNotFound, platform::MessageStyle(platform::MessageIcon::None),
                       {text});
    }
    updateCommands();
}

void CMainFrame::runSearch(int id) {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    const std::string text = searchBar_->findText();
    if (id == cmd::SearchFind) {
        child->findDialog(findContext()).present(text, child->searchView());
        searchBar_->showHistory();
    } else if (id == cmd::SearchReplace) {
        if (!child->panel().editor().isEditable()) {
            return;
        }
        child->replaceDialog(findContext()).present(text, child->searchView());
        searchBar_->showHistory();
    } else if (id == cmd::SearchToggleHex) {
        FindTool& tool = child->findTool();
        tool.options.asciiText = !tool.options.asciiText;
        settings_.write(settings::edit::FindHexData, tool.options.asciiText ? 0 : 1);
    } else if (!text.empty()) {
        FindTool::reportForKeys(findStep(*child, text, id == cmd::SearchFindNext, false), text,
                                messages_);
    }
    child->view().update();
    updateCommands();
}

void CMainFrame::updateSearchCommands(CChildFrame* child) {
    const auto enable = [this](int id, bool on) {
        if (QAction* command = action(id)) {
            command->setEnabled(on);
        }
    };
    const bool hasView = child != nullptr && !child->panel().data().isBusy();
    const bool hasText = searchBar_ != nullptr && !searchBar_->findText().empty();
    enable(cmd::SearchFind, true);
    enable(cmd::SearchFindNext, hasView && hasText);
    enable(cmd::SearchFindPrevious, hasView && hasText);
    enable(cmd::SearchReplace, hasView && child->panel().editor().isEditable());
    enable(cmd::SearchToggleHex, true);
    // Checked in hex mode; before the view's find exists, as the settings say.
    action(cmd::SearchToggleHex)
        ->setChecked(child != nullptr && child->hasFindTool()
                         ? !child->findTool().options.asciiText
                         : settings_.get(settings::edit::FindHexData) != 0);
    if (searchBar_ != nullptr) {
        searchBar_->findBox()->setEnabled(child != nullptr);
    }
}

void CMainFrame::runMark(int id) {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    if (!MarkCommands(&child->panel()).run(id)) {
        runDatamark(id);
    }
    child->view().update();
    updateCommands();
}
