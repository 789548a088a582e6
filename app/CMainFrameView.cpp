// The main frame's "&View" menu and presentation tool bar: the panels and
// tips a view shows and its presentation commands, run by the active view.

#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "display/PresentationCommands.h"
#include "display/ViewCommandIds.h"
#include "display/ui/CHexWindow.h"
#include "display/ui/OptionPages.h"

namespace {

// The View menu's presentation entries: id, menu text (names as the design
// gives them, with access letters unique in the menu) and icon.
struct ViewEntry {
    int id;
    const char* text;
    const char* icon;
};

constexpr ViewEntry kPanelEntries[] = {
    {cmd::ViewPanelHeader, "Panel &Header", nullptr},
    {cmd::ViewBookmarkPanel, "&Bookmark Panel", nullptr},
    {cmd::ViewAddressPanel, "Add&ress Panel", nullptr},
    {cmd::ViewCharacterPanel, "&Character Panel", nullptr},
    {cmd::ViewBookmarkTips, "B&ookmark Tips", nullptr},
    {cmd::ViewPageTips, "Pa&ge control tips", nullptr},
};

constexpr ViewEntry kPresentationEntries[] = {
    {cmd::ViewUnitByte, "&Unsigned byte", "unit1"},
    {cmd::ViewUnitShort, "U&nsigned short", "unit2"},
    {cmd::ViewUnitLong, "Unsigned &long", "unit4"},
    {cmd::ViewUnitInt64, "Unsigned &int64", "unit8"},
    {cmd::ViewUnitMulti, "&Multibytes...", "unitmulti"},
    {0, nullptr, nullptr},
    {cmd::ViewClearIndent, "Clear In&dent", "clearindent"},
    {cmd::ViewIncreaseIndent, "Incr&ease Indent", "increaseindent"},
    {cmd::ViewDecreaseIndent, "Decre&ase Indent", "decreaseindent"},
    {0, nullptr, nullptr},
    {cmd::ViewExtendLineWidth, "E&xtend Line Width", "extendwidth"},
    {cmd::ViewShrinkLineWidth, "Shrink Line &Width", "shrinkwidth"},
    {cmd::ViewExtendPageHeight, "Extend &Page Height", "extendpage"},
    {cmd::ViewShrinkPageHeight, "Shrin&k Page Height", "shrinkpage"},
};

}  // namespace

QIcon CMainFrame::commandIcon(const char* name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QMenu* CMainFrame::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    const auto add = [this, view](const ViewEntry& entry) {
        if (entry.id == 0) {
            view->addSeparator();
            return;
        }
        const int id = entry.id;
        QAction* command = addCommand(view, id, QString::fromLatin1(entry.text), {},
                                      [this, id] { runPresentation(id); });
        command->setCheckable(PresentationCommands::isCheckable(id));
        // The tool bar's tip is the command's name.
        command->setToolTip(command->iconText());
        if (entry.icon != nullptr) {
            command->setIcon(commandIcon(entry.icon));
        }
    };
    for (const ViewEntry& entry : kPanelEntries) {
        add(entry);
    }
    view->addSeparator();
    for (const ViewEntry& entry : kPresentationEntries) {
        add(entry);
    }
    return view;
}

QToolBar* CMainFrame::buildPresentationBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Presentation toolbar"));
    bar->setObjectName(QStringLiteral("Presentation toolbar"));
    for (const ViewEntry& entry : kPresentationEntries) {
        if (entry.id == 0) {
            bar->addSeparator();
        } else {
            bar->addAction(action(entry.id));
        }
    }
    return bar;
}

void CMainFrame::runPresentation(int id) {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    CHexPanel& panel = child->panel();
    PresentationCommands commands(&panel);
    if (id == cmd::ViewUnitMulti) {
        if (!commands.isEnabled(id)) {
            return;
        }
        const CPresentation& p = panel.state().presentation;
        SetDataUnitDialog dialog(p.lineWidth(), p.unit(), messages_, this);
        if (dialog.exec() == QDialog::Accepted) {
            panel.changeUnit(dialog.newUnit());
        }
    } else {
        commands.run(id);
    }
    child->view().update();
    updateCommands();
}
