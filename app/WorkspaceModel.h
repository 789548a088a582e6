#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>
#include <string>

#include "app/WorkspaceTree.h"

// The workspace tree as a Qt model: one column, a row per node, listed when
// the view first expands a folder. Names are shown from their bytes (UTF-8,
// replacement characters for others) while the tree keeps the bytes.
class WorkspaceModel : public QAbstractItemModel, private WorkspaceTreeObserver {
  public:
    explicit WorkspaceModel(QObject* parent = nullptr);
    ~WorkspaceModel() override;

    WorkspaceTree& tree() { return tree_; }
    const WorkspaceTree& tree() const { return tree_; }
    // The node of an index, or -1 for none.
    static int nodeOf(const QModelIndex& index);
    QModelIndex indexOf(int node) const;
    // Before a folder of a drive is listed: false stops the listing (the
    // drive's volume is missing and the user did not insert one).
    std::function<bool(int node)> beforeListing;
    // Lists a node now (on expansion or on demand).
    void listNode(int node);
    // Whether the view's last fetch listed `node` (the expansion that
    // caused it need not list it again); asking forgets it.
    bool takeJustFetched(int node);
    // A rename typed into the tree: true when it was done.
    std::function<bool(int node, const std::string& name)> renamer;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    void beginRemove(int parent, int first, int last) override;
    void endRemove() override;
    void beginInsert(int parent, int first, int last) override;
    void endInsert() override;
    QIcon iconOf(int node) const;

    WorkspaceTree tree_;
    int justFetched_ = -1;
    QIcon folderClosed_;
    QIcon folderOpen_;
    QIcon file_;
};
