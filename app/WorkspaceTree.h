#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/FolderListing.h"
#include "app/WorkspaceDrives.h"

// Hears the rows of the tree change, to keep a view in step: rows
// [first, last] of `parent` (-1 for the roots) are about to go or have come.
class WorkspaceTreeObserver {
  public:
    virtual ~WorkspaceTreeObserver() = default;
    virtual void beginRemove(int parent, int first, int last) = 0;
    virtual void endRemove() = 0;
    virtual void beginInsert(int parent, int first, int last) = 0;
    virtual void endInsert() = 0;
};

// The workspace's tree of drives, folders and files, kept in flat vectors:
// a node is its index, stable while it lives. Folders are listed on demand;
// listing again merges, so names that stay keep their subtree (and a view
// its expansion and selection).
class WorkspaceTree {
  public:
    enum class Kind { Root, Folder, File };
    struct Node {
        std::string name;  // a root's path, else the entry's name
        Kind kind = Kind::File;
        int parent = -1;
        std::vector<int> children;
        bool hasChildren = false;  // before listing: whether to offer expansion
        bool listed = false;
        bool expanded = false;  // as the view has it, for re-listing
        int root = -1;          // the node of the drive's root
        bool alive = true;
    };

    void setObserver(WorkspaceTreeObserver* observer) { observer_ = observer; }

    // Replaces the roots: removable, optical and fixed drives alike start
    // unlisted with the promise of children.
    void setRoots(const std::vector<DriveRoot>& roots);
    const std::vector<DriveRoot>& drives() const { return drives_; }
    const std::vector<int>& roots() const { return roots_; }
    // The drives again, after the mount table changed: roots that stay keep
    // their subtree, gone ones leave, new ones come in at their places.
    void updateRoots(const std::vector<DriveRoot>& roots);
    // The index among the roots of the drive a node lies on.
    int rootIndexOf(int id) const;
    const DriveRoot& driveOf(int id) const {
        return drives_[static_cast<std::size_t>(rootIndexOf(id))];
    }

    const Node& node(int id) const { return nodes_[static_cast<std::size_t>(id)]; }
    const std::vector<int>& childrenOf(int parent) const {
        return parent < 0 ? roots_ : nodes_[static_cast<std::size_t>(parent)].children;
    }
    // The row of a node under its parent.
    int rowOf(int id) const;
    // The full path of a node: its ancestors joined with "/".
    std::string pathOf(int id) const;

    // Lists a folder or root (again), merging: false when it cannot be
    // listed; a folder is then removed, a root emptied.
    bool list(int id);
    // Merges a listing into a node's children.
    void merge(int id, const FolderListing& listing);
    void setExpanded(int id, bool expanded) { nodes_[static_cast<std::size_t>(id)].expanded = expanded; }
    // The expanded folders of a drive, parents first.
    std::vector<int> expandedOf(int rootIndex) const;
    // Lists the levels down to `path` on demand (a listed level again when
    // the next part is not in it) and answers its node, or the deepest one
    // found on the way, or -1 outside every root.
    int reveal(const std::string& path);
    // Empties a root or folder and makes it expandable again, as before
    // its first listing.
    void unlist(int id);
    // Removes a node and its subtree.
    void remove(int id);
    // Renames a node in place and moves it to its sorted row.
    void rename(int id, const std::string& name);

  private:
    int add(Node node);
    int addRoot(const DriveRoot& drive);
    int childNamed(int id, const std::string& name) const;
    void release(int id);
    // Removes row `row` of `parent` (-1: the roots) with its subtree.
    void removeAt(int parent, int row);

    std::vector<DriveRoot> drives_;
    std::vector<Node> nodes_;
    std::vector<int> free_;
    std::vector<int> roots_;
    WorkspaceTreeObserver* observer_ = nullptr;
};
