// The frame's datamarks: the store and the level table, the datamark
// commands of the "&Search" and "Bookmark" menus, and the life of each
// view's list: loaded when its file opens, stored under the new path by
// Save As, by Save All, and when the document closes.
#include <QMenu>
#include <cerrno>
#include <filesystem>
#include <future>

#include "app/CMainFrame.h"
#include "display/MarkCommands.h"
#include "display/ui/CHexWindow.h"
#include "marks/DatamarkClearing.h"
#include "marks/DatamarkDefinition.h"
#include "marks/DatamarkNavigator.h"
#include "marks/DatamarkProperties.h"
#include "marks/MarkCommandIds.h"
#include "marks/StoredDatamarkEdits.h"
#include "marks/ui/CDatamarkPropertiesDialog.h"
#include "marks/ui/CDefineDatamarkDialog.h"
#include "marks/ui/CEditDatamarksDialog.h"
#include "platform/MessageService.h"
#include "platform/PrintfFormat.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

void CMainFrame::setUpDatamarks() {
    datamarkStore_ = std::make_unique<DatamarkStore>(settings_);
    rebuildLevels();
}

void CMainFrame::rebuildLevels() {
    const int stored = settings_.getInt(settings::bookmark::LevelNumber.section,
                                        settings::bookmark::LevelNumber.key,
                                        settings::bookmark::LevelNumber.defaultValue);
    const std::string format = strings_.text(marktext::kLevelName);
    levels_ = datamarkStore_->buildLevels(
        stored, [&format](int number) { return platform::formatPrintf(format, {number}); });
    for (CChildFrame* child : children()) {
        child->panel().refreshDatamarks();
    }
}

void CMainFrame::addDatamarkCommands(QMenu* search) {
    const auto add = [this, search](int id, const char* text, QList<QKeySequence> keys) {
        addCommand(search, id, QString::fromUtf8(text), {}, [this, id] {
            runMark(id);
        })->setShortcuts(keys);
    };
    using K = QKeySequence;
    add(cmd::DefineDatamark, "&Define Datamark...\tCtrl+F4", {K(Qt::CTRL | Qt::Key_F4)});
    add(cmd::SearchNextDatamark, "Nex&t Datamark\tF4", {K(Qt::Key_F4)});
    add(cmd::SearchPreviousDatamark, "Previo&us Datamark\tShift+F4", {K(Qt::SHIFT | Qt::Key_F4)});
    add(cmd::SearchClearAllDatamarks, "Clear All Datamarks", {});
    add(cmd::SearchSaveAllDatamarks, "Save All Datamarks", {});
    // Linux desktops keep Alt+F4 for closing windows.
    addCommand(search, cmd::EditDatamarks, QStringLiteral("&Edit Datamarks...\tCtrl+Shift+F4"), {},
               [this] { editStoredDatamarks(); })
        ->setShortcuts({K(Qt::CTRL | Qt::SHIFT | Qt::Key_F4), K(Qt::ALT | Qt::Key_F4)});
}

void CMainFrame::editStoredDatamarks() {
    for (CChildFrame* child : children()) {
        child->awaitDatamarks();  // no load may finish over the window's changes
    }
    CEditDatamarksDialog dialog(*datamarkStore_, levels_, messages_, this);
    dialog.exec();
    // Open views follow what was deleted, renamed and changed in the store.
    for (CChildFrame* child : children()) {
        if (followStoredEdits(child->panel().datamarks().list(), dialog.edits(), *datamarkStore_)) {
            child->panel().refreshDatamarks();
            child->view().update();
        }
    }
    updateCommands();
}

void CMainFrame::runDatamark(int id) {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    child->awaitDatamarks();
    if (child->panel().data().isBusy() ||
        !MarkCommands(&child->panel()).state(id).value_or(CommandState{}).enabled) {
        return;
    }
    CHexPanel& panel = child->panel();
    DatamarkList& list = panel.datamarks().list();
    switch (id) {
        case cmd::DefineDatamark: {
            CDefineDatamarkDialog& dialog = child->defineDialog(levels_, clipboard_, progress_);
            dialog.show();
            dialog.raise();
            dialog.activateWindow();
            return;
        }
        case cmd::SearchClearAllDatamarks:
            if (clearAllDatamarks(list, *datamarkStore_, child->clearConfirmation())) {
                child->document().setDatamarksModified(true);
            }
            break;
        case cmd::BookmarkClearDatamark:
            if (const auto index = panel.bookmarkMenuDatamark();
                index && clearDatamark(list, *index, *datamarkStore_, child->clearConfirmation())) {
                child->document().setDatamarksModified(true);
            }
            break;
        case cmd::BookmarkEditProperties:
            if (const auto index = panel.bookmarkMenuDatamark()) {
                editProperties(*child, *index);
            }
            break;
        case cmd::SearchNextDatamark:
        case cmd::SearchPreviousDatamark: {
            const NavigationTarget target = panel.navigator().step(
                id == cmd::SearchNextDatamark,
                static_cast<BrowserStyle>(settings_.get(settings::bookmark::BrowserStyle)),
                panel.caretOffset());
            // A step moves the caret and changes no datamark: nothing to redraw
            // in the mark panel.
            if (target.kind == NavigationTarget::Kind::Here) {
                panel.goToDatamark(target.index);
            } else if (target.kind == NavigationTarget::Kind::OtherFile) {
                openAndGoToDatamark(target.association);
            }
            return;
        }
        case cmd::SearchSaveAllDatamarks:
            if (!datamarkStore_->saveDatamarks(list.items())) {
                messages_.show(marktext::kSaveFailed, {platform::MessageIcon::Exclamation},
                               {datamarkStore_->failureReason()});
            }
            break;
        default:
            return;
    }
    panel.refreshDatamarks();
}

void CMainFrame::editProperties(CChildFrame& child, std::size_t index) {
    CHexPanel& panel = child.panel();
    DatamarkList& list = panel.datamarks().list();
    DatamarkProperties properties(list.at(index));
    CDatamarkPropertiesDialog::Hooks hooks;
    hooks.validate = [&] {
        const DatamarkProperties::Validity validity = properties.validate(panel.data());
        if (validity.valid && validity.length == 0) {
            panel.clearSelection();
            panel.gotoOffset(properties.original().position);
        } else if (validity.valid) {
            panel.selectMatch(properties.original().position, validity.length);
        }
        child.view().update();
        return validity.valid;
    };
    hooks.check = [&](const DatamarkProperties& edited) {
        return edited.checkFromView(list, index);
    };
    hooks.choose = [&child, &properties] {
        return child.chooseAssociationFor(properties.original().name,
                                          properties.original().filePath);
    };
    CDatamarkPropertiesDialog dialog(properties, levels_.count(), hooks, messages_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // A new name reaches the store with the next save of the list, which
    // removes the old one: a No at closing then loses nothing.
    list.at(index) = properties.accepted();
    if (!list.at(index).filePath.empty()) {
        child.document().setDatamarksModified(true);
    }
}

// The file is shown at once; its stored datamarks are read on a worker with
// a registry connection of its own and join the list when they are there.
void CMainFrame::loadDatamarksOf(CChildFrame& child) {
    DatamarkList& list = child.panel().datamarks().list();
    list.clear();
    list.setLoaded(true);
    child.panel().refreshDatamarks();
    const std::string registryFile = settings_.registry().filePath();
    const std::string bookmarkKey = settings_.sectionKey(settings::section::Bookmark).path();
    const std::string path = child.document().path();
    child.startDatamarkLoad(
        std::async(std::launch::async,
                   [registryFile, bookmarkKey, path] {
                       return DatamarkStore::loadOnOwnConnection(registryFile, bookmarkKey, path);
                   }),
        [this, &child](DatamarkLoad& load) { takeLoadedDatamarks(child, load); });
}

void CMainFrame::takeLoadedDatamarks(CChildFrame& child, DatamarkLoad& load) {
    CHexPanel& panel = child.panel();
    DatamarkList& list = panel.datamarks().list();
    const std::uint64_t size = panel.data().getDataSize();
    const auto beyond = std::count_if(load.datamarks.begin(), load.datamarks.end(),
                                      [size](const CBmitemObj& d) { return d.position >= size; });
    for (CBmitemObj& datamark : load.datamarks) {
        list.append(std::move(datamark));
    }
    panel.refreshDatamarks();
    child.view().update();
    updateCommands();
    if (load.damaged > 0 || beyond > 0) {
        messages_.show(marktext::kDamagedOnLoad, {platform::MessageIcon::Exclamation},
                       {load.damaged, static_cast<std::int64_t>(beyond)});
    }
}

std::string CMainFrame::storeDatamarksOf(CChildFrame& child) {
    child.awaitDatamarks();
    const std::string& path = child.document().path();
    if (path.empty()) {
        return {};
    }
    if (!datamarkStore_->replaceStoredDatamarks(child.panel().datamarks().list().items(), path)) {
        return datamarkStore_->failureReason();
    }
    return {};
}

void CMainFrame::openAndGoToDatamark(const std::string& association) {
    const auto target = splitAssociation(association);
    const std::string path = target && !target->path.empty() ? target->path : association;
    // Navigation opens only a regular file named by an absolute path, so a
    // stored association can never block on a pipe or a device.
    std::error_code error;
    if (!std::filesystem::path(path).is_absolute() ||
        !std::filesystem::is_regular_file(path, error)) {
        reportFileError(path, std::filesystem::exists(path, error) ? EINVAL : ENOENT, "opened");
        return;
    }
    if (!openDocument(path)) {
        return;
    }
    CChildFrame* child = activeChild();
    if (child != nullptr && target && !target->path.empty()) {
        child->awaitDatamarks();
        child->panel().goToDatamarkByName(target->name);
        child->view().update();
    }
}
