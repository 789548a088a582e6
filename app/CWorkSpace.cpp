#include "app/CWorkSpace.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/CFileProperties.h"
#include "app/WorkspaceFileOps.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

constexpr int kWidth = 240;
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
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        model_.tree().setExpanded(WorkspaceModel::nodeOf(index), true);
    });
    connect(tree_, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        model_.tree().setExpanded(WorkspaceModel::nodeOf(index), false);
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
}

void CWorkSpace::buildRoots() {
    const bool ignoreFloppy = settings_.get(settings::general::IgnoreFloppyDrives) != 0;
    model_.tree().setRoots(
        driveRoots(platform::readMountTable(), DriveEnvironment::current(ignoreFloppy)));
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
    };
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
    // Into the desktop's trash, never deleted outright.
    if (!QFile::moveToTrash(QString::fromStdString(path))) {
        messages_.showText("Cannot move " + path + " to the trash.",
                           {platform::MessageIcon::Exclamation});
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
