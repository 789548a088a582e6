#include "app/WorkspaceModel.h"

#include <QApplication>
#include <QStyle>

namespace {

QIcon themed(const char* name, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name),
                            QApplication::style()->standardIcon(fallback));
}

QIcon driveIcon(DriveType type) {
    switch (type) {
        case DriveType::Removable:
            return themed("drive-removable-media", QStyle::SP_DriveFDIcon);
        case DriveType::CdRom:
            return themed("media-optical", QStyle::SP_DriveCDIcon);
        case DriveType::Network:
            return themed("folder-remote", QStyle::SP_DriveNetIcon);
        case DriveType::RamDisk:
            return themed("media-flash", QStyle::SP_DriveHDIcon);
        case DriveType::Floppy:
            return themed("media-floppy", QStyle::SP_DriveFDIcon);
        case DriveType::Fixed:
            break;
    }
    return themed("drive-harddisk", QStyle::SP_DriveHDIcon);
}

}  // namespace

WorkspaceModel::WorkspaceModel(QObject* parent)
    : QAbstractItemModel(parent),
      folderClosed_(themed("folder", QStyle::SP_DirClosedIcon)),
      folderOpen_(themed("folder-open", QStyle::SP_DirOpenIcon)),
      file_(themed("text-x-generic", QStyle::SP_FileIcon)) {
    tree_.setObserver(this);
}

WorkspaceModel::~WorkspaceModel() {
    tree_.setObserver(nullptr);
}

int WorkspaceModel::nodeOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<int>(index.internalId()) : -1;
}

QModelIndex WorkspaceModel::indexOf(int node) const {
    if (node < 0 || !tree_.node(node).alive) {
        return {};
    }
    const int row = tree_.rowOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, static_cast<quintptr>(node));
}

QModelIndex WorkspaceModel::index(int row, int column, const QModelIndex& parent) const {
    const std::vector<int>& children = tree_.childrenOf(nodeOf(parent));
    if (column != 0 || row < 0 || row >= static_cast<int>(children.size())) {
        return {};
    }
    return createIndex(row, 0, static_cast<quintptr>(children[static_cast<std::size_t>(row)]));
}

QModelIndex WorkspaceModel::parent(const QModelIndex& child) const {
    const int node = nodeOf(child);
    return node < 0 ? QModelIndex() : indexOf(tree_.node(node).parent);
}

int WorkspaceModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) {
        return 0;
    }
    return static_cast<int>(tree_.childrenOf(nodeOf(parent)).size());
}

int WorkspaceModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool WorkspaceModel::hasChildren(const QModelIndex& parent) const {
    const int node = nodeOf(parent);
    if (node < 0) {
        return !tree_.roots().empty();
    }
    const WorkspaceTree::Node& item = tree_.node(node);
    if (item.kind == WorkspaceTree::Kind::File) {
        return false;
    }
    return item.listed ? !item.children.empty() : item.hasChildren;
}

bool WorkspaceModel::canFetchMore(const QModelIndex& parent) const {
    const int node = nodeOf(parent);
    return node >= 0 && tree_.node(node).kind != WorkspaceTree::Kind::File &&
           !tree_.node(node).listed;
}

void WorkspaceModel::fetchMore(const QModelIndex& parent) {
    justFetched_ = nodeOf(parent);
    listNode(justFetched_);
}

bool WorkspaceModel::takeJustFetched(int node) {
    const bool fetched = justFetched_ == node;
    justFetched_ = -1;
    return fetched;
}

void WorkspaceModel::listNode(int node) {
    if (node < 0 || !tree_.node(node).alive || tree_.node(node).kind == WorkspaceTree::Kind::File) {
        return;
    }
    if (beforeListing && !beforeListing(node)) {
        return;
    }
    tree_.list(node);
}

QIcon WorkspaceModel::iconOf(int node) const {
    const WorkspaceTree::Node& item = tree_.node(node);
    switch (item.kind) {
        case WorkspaceTree::Kind::Root:
            return driveIcon(tree_.driveOf(node).type);
        case WorkspaceTree::Kind::Folder:
            return item.expanded ? folderOpen_ : folderClosed_;
        case WorkspaceTree::Kind::File:
            break;
    }
    return file_;
}

QVariant WorkspaceModel::data(const QModelIndex& index, int role) const {
    const int node = nodeOf(index);
    if (node < 0) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole) {
        const std::string& name = role == Qt::ToolTipRole ? tree_.pathOf(node)
                                                          : tree_.node(node).name;
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }
    if (role == Qt::DecorationRole) {
        return iconOf(node);
    }
    return {};
}

bool WorkspaceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int node = nodeOf(index);
    if (role != Qt::EditRole || node < 0 || !renamer) {
        return false;
    }
    return renamer(node, value.toString().toStdString());
}

Qt::ItemFlags WorkspaceModel::flags(const QModelIndex& index) const {
    const int node = nodeOf(index);
    if (node < 0) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (tree_.node(node).kind != WorkspaceTree::Kind::Root) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

void WorkspaceModel::beginRemove(int parent, int first, int last) {
    beginRemoveRows(indexOf(parent), first, last);
}

void WorkspaceModel::endRemove() {
    endRemoveRows();
}

void WorkspaceModel::beginInsert(int parent, int first, int last) {
    beginInsertRows(indexOf(parent), first, last);
}

void WorkspaceModel::endInsert() {
    endInsertRows();
}
