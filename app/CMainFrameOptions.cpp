// Tools > Options: the "Application Options" sheet with the frame's own
// pages (General, File, Edit) and those of the subsystems, in the design's
// order; afterwards the views take the new colours, fonts and presentation.
#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/COptionsSheet.h"
#include "app/CHelpWindow.h"
#include "app/ContextHelp.h"
#include "app/OptionsPages.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"
#include "display/ui/CHexWindow.h"
#include "display/ui/OptionPages.h"
#include "interpret/ui/InterpretationPage.h"
#include "marks/ui/DatamarkPage.h"
#include "search/ui/FindPage.h"

namespace {

// A page that keeps no changed flag of its own is changed once the user
// edits, toggles or picks in any of its controls.
std::shared_ptr<bool> watchEdits(QWidget* page, const std::function<void()>& told) {
    auto changed = std::make_shared<bool>(false);
    const auto mark = [changed, told] {
        *changed = true;
        told();
    };
    for (auto* edit : page->findChildren<QLineEdit*>()) {
        QObject::connect(edit, &QLineEdit::textEdited, page, mark);
    }
    for (auto* button : page->findChildren<QAbstractButton*>()) {
        QObject::connect(button, &QAbstractButton::clicked, page, mark);
    }
    for (auto* box : page->findChildren<QComboBox*>()) {
        QObject::connect(box, &QComboBox::activated, page, mark);
    }
    for (auto* list : page->findChildren<QListWidget*>()) {
        QObject::connect(list, &QListWidget::itemChanged, page, mark);
    }
    return changed;
}

template <typename OwnPage>
COptionsSheet::Page ownPage(OwnPage* page, COptionsSheet& sheet) {
    page->onChanged = [&sheet] { sheet.pageChanged(); };
    return {page, page->windowTitle(), [page] { return page->isChanged(); },
            [page] { return page->validate(); }, [page] { return page->apply(); }};
}

}  // namespace

void CMainFrame::showOptions() {
    COptionsSheet sheet(this);
    const auto told = [&sheet] { sheet.pageChanged(); };
    sheet.addPage(ownPage(new GeneralPage(settings_, messages_), sheet));
    sheet.addPage(ownPage(
        new FilePage(settings_, messages_, QCoreApplication::applicationDirPath().toStdString()),
        sheet));
    sheet.addPage(ownPage(new EditPage(settings_, messages_), sheet));

    auto* find = new FindPage(settings_, messages_);
    watchEdits(find, told);
    sheet.addPage({find,
                   QStringLiteral("Find"),
                   [find] { return find->isChanged(); },
                   {},
                   [find] { return find->apply(); }});

    auto* datamark = new DatamarkPage(settings_, levels_, *datamarkStore_, messages_);
    datamark->onApplied = [this] { rebuildLevels(); };
    watchEdits(datamark, told);
    sheet.addPage({datamark,
                   QStringLiteral("Datamark"),
                   [datamark] { return datamark->isChanged(); },
                   {},
                   [datamark] { return datamark->apply(); }});

    auto* presentation = new PresentationPage(settings_, messages_);
    const auto presentationChanged = watchEdits(presentation, told);
    sheet.addPage({presentation,
                   QStringLiteral("Presentation"),
                   [presentationChanged] { return *presentationChanged; },
                   {},
                   [presentation, presentationChanged] {
                       const bool applied = presentation->apply();
                       *presentationChanged = !applied;
                       return applied;
                   }});

    auto* interpretation = new InterpretationPage(settings_);
    watchEdits(interpretation, told);
    sheet.addPage({interpretation,
                   QStringLiteral("Interpretation"),
                   [interpretation] { return interpretation->isChanged(); },
                   {},
                   [interpretation] { return interpretation->apply(); }});

    auto* appearance = new AppearancePage(settings_);
    const auto appearanceChanged = watchEdits(appearance, told);
    sheet.addPage({appearance,
                   QStringLiteral("Appearance"),
                   [appearanceChanged] { return *appearanceChanged; },
                   {},
                   [appearance, appearanceChanged] {
                       appearance->apply();
                       *appearanceChanged = false;
                       return true;
                   }});

    if (helpAvailable()) {
        sheet.setHelp([this](int page) { showOptionsHelp(page); });
        attachContextHelp(
            sheet, helpWindow().help(), [](const std::string&) {},
            [this, &sheet] {
                showOptionsHelp(sheet.tabs()->currentIndex());
                return std::string();
            });
    }
    sheet.exec();
    // The views take what the pages may have changed.
    for (CChildFrame* child : children()) {
        child->view().reloadAppearance();
    }
    recent_.setCapacity(settings_.get(settings::general::MruFileCount));
    refreshRecentMenu();
    updateCommands();
}
