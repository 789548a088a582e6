#include "app/CWorkSpace.h"

#include <fcntl.h>
#include <unistd.h>

#include <QComboBox>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>
#include <set>

#include "app/CFileProperties.h"
#include "app/CInsertDiskDialog.h"
#include "app/RemovableVolumes.h"
#include "app/WorkspaceFileOps.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

constexpr int kWidth = 240;

// A watcher saw its drive change: posted from the watcher's thread.
class DriveChangedEvent : public QEvent {
  public:
    explicit DriveChangedEvent(int mountId) : QEvent(QEvent::User), mountId(mountId) {}
    const int mountId;
};
constexpr int kHeight = 480;

// The dock's first size: 240 x 480, half as high on a screen under 768 pixels.
class SizedBox : public QWidget {
  public:
    QSize sizeHint() const override {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const bool small = screen != nullptr && screen->geometry().height() < 768;
        return {kWidth, small ? kHeight / 2 : kHeight};
    }
};

}  // namespace

CWorkSpace::CWorkSpace(CSettings& settings, platform::MessageService& messages, QWidget* parent)
    : QDockWidget(QStringLiteral("Workspace"), parent), settings_(settings), messages_(messages) {
    setObjectName(QStringLiteral("Workspace"));
    auto* box = new SizedBox;
    types_ = new QComboBox;
    types_->setObjectName(QStringLiteral("Working Type List"));
    types_->addItem(QStringLiteral("Local Files"));
    tree_ = new QTreeView;
    tree_->setObjectName(QStringLiteral("Local Files Tree"));
    tree_->setModel(&model_);
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);  // rows of a large folder are not measured one by one
    tree_->setEditTriggers(QAbstractItemView::EditKeyPressed);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(types_);
    layout->addWidget(tree_, 1);
    setWidget(box);

    model_.renamer = [this](int node, const std::string& name) { return renameTo(node, name); };
    model_.beforeListing = [this](int node) { return checkVolumeBefore(node); };
    askForVolume = [this](const DriveRoot& drive) {
        const std::string name =
            isUnmountedOptical(drive) ? drive.path.substr(5) : drive.path;
        CInsertDiskDialog dialog(name, drive.type == DriveType::CdRom, [drive] {
            return volumeSerial(drive, platform::readMountTable()).has_value();
        }, this);
        return dialog.exec() == QDialog::Accepted;
    };
    mountVolume = [](const std::string& device) { return mountWithDiskService(device); };
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        folderExpanded(WorkspaceModel::nodeOf(index), true);
    });
    connect(tree_, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        folderExpanded(WorkspaceModel::nodeOf(index), false);
    });
    connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        const int node = WorkspaceModel::nodeOf(index);
        if (node >= 0 && model_.tree().node(node).kind == WorkspaceTree::Kind::File) {
            openNode(node);
        }
    });
    connect(tree_, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
        const int node = WorkspaceModel::nodeOf(tree_->indexAt(at));
        contextMenu(node)->popup(tree_->viewport()->mapToGlobal(at));
    });
    buildRoots();
    if (settings_.get(settings::general::MonitorFileChanges) != 0) {
        setAllWatched(true);
    }
    mountTable_ = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (mountTable_ >= 0) {
        mountNotifier_ = new QSocketNotifier(mountTable_, QSocketNotifier::Exception, this);
        connect(mountNotifier_, &QSocketNotifier::activated, this,
                [this] { applyMountTable(platform::readMountTable()); });
    }
}

CWorkSpace::~CWorkSpace() {
    watchers_.clear();  // every watcher thread ends before the window goes
    delete mountNotifier_;
    if (mountTable_ >= 0) {
        ::close(mountTable_);
    }
}

bool CWorkSpace::checkVolumeBefore(int node) {
    WorkspaceTree& tree = model_.tree();
    const int rootIndex = tree.rootIndexOf(node);
    if (rootIndex < 0) {
        return false;
    }
    const DriveRoot drive = tree.drives()[static_cast<std::size_t>(rootIndex)];
    if (drive.type != DriveType::Removable && drive.type != DriveType::CdRom) {
        return true;
    }
    const int root = tree.roots()[static_cast<std::size_t>(rootIndex)];
    std::optional<std::string> current = volumeSerial(drive, platform::readMountTable());
    VolumeCheck check = checkVolume(serials_[root], current, true);
    if (check == VolumeCheck::AskForVolume) {
        if (!askForVolume || !askForVolume(drive)) {
            return false;
        }
        current = volumeSerial(drive, platform::readMountTable());
        check = current ? VolumeCheck::List : VolumeCheck::Reset;
    }
    if (check == VolumeCheck::Reset) {
        serials_[root] = current;
        tree_->collapse(model_.indexOf(root));
        tree.unlist(root);
        return false;
    }
    serials_[root] = current;
    if (isUnmountedOptical(drive)) {
        // A disc nobody mounted yet: the mount table's change brings its root.
        if (mountVolume) {
            const auto [mounted, detail] = mountVolume(drive.path);
            if (!mounted) {
                messages_.showText("Cannot mount " + drive.path + ": " + detail,
                                   {platform::MessageIcon::Exclamation});
            }
        }
        return false;
    }
    return true;
}

std::pair<bool, std::string> CWorkSpace::mountWithDiskService(const std::string& device) {
    const QString name = QString::fromStdString(device).section('/', -1);
    QDBusInterface filesystem(QStringLiteral("org.freedesktop.UDisks2"),
                              QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + name,
                              QStringLiteral("org.freedesktop.UDisks2.Filesystem"),
                              QDBusConnection::systemBus());
    const QDBusReply<QString> reply = filesystem.call(QStringLiteral("Mount"), QVariantMap{});
    if (!reply.isValid()) {
        const QString why = reply.error().message();
        return {false, why.isEmpty() ? std::string("the disk service does not answer.")
                                     : why.toStdString()};
    }
    return {true, reply.value().toStdString()};
}

DriveEnvironment CWorkSpace::environment() const {
    return DriveEnvironment::current(settings_.get(settings::general::IgnoreFloppyDrives) != 0);
}

void CWorkSpace::applyMountTable(const std::vector<platform::MountEntry>& table) {
    const std::vector<DriveRoot> roots = driveRoots(table, environment());
    // Watches of mounts that went end before their roots leave.
    for (auto watcher = watchers_.begin(); watcher != watchers_.end();) {
        const bool stays = std::any_of(roots.begin(), roots.end(), [&](const DriveRoot& root) {
            return root.mountId == watcher->first;
        });
        watcher = stays ? std::next(watcher) : watchers_.erase(watcher);
    }
    std::set<std::string> before;
    for (const DriveRoot& drive : model_.tree().drives()) {
        before.insert(drive.path);
    }
    model_.tree().updateRoots(roots);
    if (settings_.get(settings::general::MonitorFileChanges) == 0) {
        return;
    }
    const auto& drives = model_.tree().drives();
    for (std::size_t i = 0; i < drives.size(); ++i) {
        if (before.count(drives[i].path) == 0 && drives[i].watchable()) {
            setWatched(static_cast<int>(i), true);
        }
    }
}

void CWorkSpace::buildRoots() {
    model_.tree().setRoots(driveRoots(platform::readMountTable(), environment()));
    if (!model_.tree().roots().empty()) {
        tree_->setCurrentIndex(model_.indexOf(model_.tree().roots().front()));
    }
}

void CWorkSpace::selectPath(const std::string& path, bool select) {
    const int node = model_.tree().reveal(path);
    if (node < 0) {
        return;
    }
    const QModelIndex index = model_.indexOf(node);
    // Open every level above it, as the user would have.
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
        tree_->expand(above);
    }
    if (select) {
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    }
}

QMenu* CWorkSpace::contextMenu(int node) {
    if (menu_ == nullptr) {
        menu_ = new QMenu(QStringLiteral("Local Files"), this);
    }
    menu_->clear();
    const WorkspaceTree& tree = model_.tree();
    const bool item = node >= 0;
    const bool file = item && tree.node(node).kind == WorkspaceTree::Kind::File;
    // The roots are the top items: neither is deleted or renamed.
    const bool below = item && tree.node(node).kind != WorkspaceTree::Kind::Root;
    const auto add = [this](int id, const QString& text, bool enabled, std::function<void()> run) {
        QAction* action = menu_->addAction(text);
        action->setData(id);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [run] { run(); });
        return action;
    };
    const int root = item ? tree.rootIndexOf(node) : -1;
    const bool watchable =
        root >= 0 && tree.drives()[static_cast<std::size_t>(root)].watchable();
    QAction* drive = add(kMonitorDrive, QStringLiteral("Monitor Drive"), watchable,
                         [this, root] { setWatched(root, !isWatched(root)); });
    drive->setCheckable(true);
    drive->setChecked(watchable && isWatched(root));
    const bool all = allWatched();
    QAction* every = add(kMonitorAll, QStringLiteral("Monitor All Drives"), true,
                         [this, all] { setAllWatched(!all); });
    every->setCheckable(true);
    every->setChecked(all);
    menu_->addSeparator();
    add(kOpen, QStringLiteral("Open"), file, [this, node] { openNode(node); });
    add(kDelete, QStringLiteral("Delete"), below, [this, node] { deleteNode(node); });
    add(kRename, QStringLiteral("Rename"), below, [this, node] { renameNode(node); });
    menu_->addSeparator();
    add(kProperties, QStringLiteral("Properties"), item, [this, node] { showProperties(node); });
    return menu_;
}

void CWorkSpace::openNode(int node) {
    if (onOpen && node >= 0 && model_.tree().node(node).alive) {
        onOpen(model_.tree().pathOf(node));
    }
}

void CWorkSpace::deleteNode(int node) {
    if (node < 0 || !model_.tree().node(node).alive) {
        return;
    }
    const std::string path = model_.tree().pathOf(node);
    // Into the desktop's trash, never deleted outright. A name that is not
    // UTF-8 would not survive the way through a QString: it is moved by bytes.
    const QString name = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    if (name.toStdString() == path) {
        if (!QFile::moveToTrash(name)) {
            messages_.showText("Cannot move " + path + " to the trash.",
                               {platform::MessageIcon::Exclamation});
            return;
        }
    } else if (const std::string failure = moveToHomeTrash(path, std::time(nullptr));
               !failure.empty()) {
        messages_.showText(failure, {platform::MessageIcon::Exclamation});
        return;
    }
    model_.tree().remove(node);
}

void CWorkSpace::renameNode(int node) {
    const QModelIndex index = model_.indexOf(node);
    if (index.isValid()) {
        tree_->setCurrentIndex(index);
        tree_->edit(index);
    }
}

bool CWorkSpace::renameTo(int node, const std::string& name) {
    const RenameOutcome outcome = renameInPlace(model_.tree().pathOf(node), name);
    switch (outcome.result) {
        case RenameOutcome::Result::Unchanged:
            return false;
        case RenameOutcome::Result::Refused:
            messages_.showText(outcome.reason, {platform::MessageIcon::Exclamation});
            return false;
        case RenameOutcome::Result::Renamed:
            break;
    }
    // The row moves to its sorted place once the view has closed its editor.
    QTimer::singleShot(0, this, [this, node, name] {
        if (model_.tree().node(node).alive) {
            model_.tree().rename(node, name);
            tree_->setCurrentIndex(model_.indexOf(node));
        }
    });
    return true;
}

void CWorkSpace::showProperties(int node) {
    if (node >= 0 && model_.tree().node(node).alive) {
        showFileProperties(model_.tree().pathOf(node), this);
    }
}

// ------------------------------------------------------------ watching

int CWorkSpace::mountOf(int rootIndex) const {
    const auto& drives = model_.tree().drives();
    return rootIndex >= 0 && static_cast<std::size_t>(rootIndex) < drives.size()
               ? drives[static_cast<std::size_t>(rootIndex)].mountId
               : -1;
}

const DriveWatcher* CWorkSpace::watcherOf(int rootIndex) const {
    const auto found = watchers_.find(mountOf(rootIndex));
    return found == watchers_.end() ? nullptr : found->second.get();
}

bool CWorkSpace::isWatched(int rootIndex) const {
    return watcherOf(rootIndex) != nullptr;
}

void CWorkSpace::setWatched(int rootIndex, bool watched) {
    const int mount = mountOf(rootIndex);
    if (mount < 0 || watched == isWatched(rootIndex)) {
        return;
    }
    if (!watched) {
        watchers_.erase(mount);  // signals, joins and closes
        return;
    }
    if (!model_.tree().drives()[static_cast<std::size_t>(rootIndex)].watchable()) {
        return;
    }
    auto watcher = std::make_unique<DriveWatcher>([this, mount] {
        QCoreApplication::postEvent(this, new DriveChangedEvent(mount));
    });
    if (!watcher->start()) {
        return;  // no change notification for this drive: it stays unwatched
    }
    // Every expanded folder of the roots on this mount.
    const WorkspaceTree& tree = model_.tree();
    for (std::size_t i = 0; i < tree.drives().size(); ++i) {
        if (tree.drives()[i].mountId == mount) {
            for (const int folder : tree.expandedOf(static_cast<int>(i))) {
                watcher->watch(tree.pathOf(folder));
            }
        }
    }
    watchers_[mount] = std::move(watcher);
}

bool CWorkSpace::allWatched() const {
    bool any = false;
    const auto& drives = model_.tree().drives();
    for (std::size_t i = 0; i < drives.size(); ++i) {
        if (drives[i].watchable()) {
            any = true;
            if (!isWatched(static_cast<int>(i))) {
                return false;
            }
        }
    }
    return any;
}

void CWorkSpace::setAllWatched(bool watched) {
    const auto& drives = model_.tree().drives();
    for (std::size_t i = 0; i < drives.size(); ++i) {
        if (drives[i].watchable()) {
            setWatched(static_cast<int>(i), watched);
        }
    }
}

void CWorkSpace::folderExpanded(int node, bool expanded) {
    if (node < 0) {
        return;
    }
    WorkspaceTree& tree = model_.tree();
    tree.setExpanded(node, expanded);
    const QModelIndex index = model_.indexOf(node);
    emit model_.dataChanged(index, index, {Qt::DecorationRole});  // the open or closed folder
    // Each expansion lists the folder anew: what changed unwatched shows now.
    if (expanded && !model_.takeJustFetched(node)) {
        model_.listNode(node);
        if (!tree.node(node).alive) {
            return;
        }
    }
    const auto found = watchers_.find(mountOf(tree.rootIndexOf(node)));
    if (found == watchers_.end()) {
        return;
    }
    if (expanded) {
        found->second->watch(tree.pathOf(node));
    } else {
        found->second->unwatch(tree.pathOf(node));
    }
}

void CWorkSpace::relistChanged(int mountId) {
    const auto found = watchers_.find(mountId);
    if (found == watchers_.end()) {
        return;
    }
    const DriveWatcher::Changes changes = found->second->take();
    ++notificationsHandled_;
    WorkspaceTree& tree = model_.tree();
    for (std::size_t i = 0; i < tree.drives().size(); ++i) {
        if (tree.drives()[i].mountId != mountId) {
            continue;
        }
        for (const int folder : tree.expandedOf(static_cast<int>(i))) {
            // A folder an earlier re-listing removed is gone with its subtree.
            if (tree.node(folder).alive &&
                (changes.overflow || changes.folders.count(tree.pathOf(folder)) != 0)) {
                tree.list(folder);
            }
        }
    }
}

bool CWorkSpace::event(QEvent* event) {
    if (event->type() == QEvent::User) {
        relistChanged(static_cast<DriveChangedEvent*>(event)->mountId);
        return true;
    }
    return QDockWidget::event(event);
}
