#pragma once

#include <QDockWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <string>

#include "app/DriveWatcher.h"
#include "app/WorkspaceModel.h"

class CSettings;
class QComboBox;
class QSocketNotifier;
class QMenu;
class QTreeView;
namespace platform {
class MessageService;
}

// The "Workspace" dock: the local drives as a tree under the "Working Type
// List" box. A double-click on a file opens it; the context menu opens,
// trashes, renames and shows the properties of what it was opened over;
// the active document's file is selected in the tree.
class CWorkSpace : public QDockWidget {
  public:
    static constexpr int kTypeList = 32904;
    static constexpr int kTree = 32905;
    static constexpr int kMonitorAll = 32906;
    static constexpr int kMonitorDrive = 32907;
    static constexpr int kOpen = 57601;
    static constexpr int kDelete = 32908;
    static constexpr int kRename = 32909;
    static constexpr int kProperties = 32898;

    CWorkSpace(CSettings& settings, platform::MessageService& messages, QWidget* parent);
    ~CWorkSpace() override;

    // Opens a file through the program's opening rules.
    std::function<void(const std::string& path)> onOpen;

    // Builds the root level from the mount table; home is selected.
    void buildRoots();
    // The drives after a change of the mount table: new ones come (and are
    // watched when "Monitor File Changes" is set), gone ones stop being
    // watched and leave the tree.
    void applyMountTable(const std::vector<platform::MountEntry>& table);
    // Expands the tree down to `path`, listing each level, and selects its
    // item when `select` is set.
    void selectPath(const std::string& path, bool select);

    QTreeView& treeView() { return *tree_; }
    WorkspaceModel& model() { return model_; }
    // The "Local Files" menu for the item `node` (-1: none), its entries
    // enabled as they apply; the caller runs it.
    QMenu* contextMenu(int node);
    // The menu's commands on a node.
    void openNode(int node);
    void deleteNode(int node);
    void renameNode(int node);
    void showProperties(int node);

    // Watching: one watcher per watched drive (keyed by its mount), over
    // the expanded folders of that drive's roots.
    bool isWatched(int rootIndex) const;
    void setWatched(int rootIndex, bool watched);
    // Whether every watchable drive is watched (Monitor All Drives' check).
    bool allWatched() const;
    void setAllWatched(bool watched);
    // Re-lists what the drive's watcher saw change.
    void relistChanged(int mountId);
    const DriveWatcher* watcherOf(int rootIndex) const;
    // Before a folder of a removable or optical drive is listed: the same
    // volume lists; another one, or none, empties the drive's item; none
    // while expanding asks for a disk; a disc not mounted yet is mounted.
    bool checkVolumeBefore(int node);
    // Asks for a disk in the drive; true once one is there.
    std::function<bool(const DriveRoot& drive)> askForVolume;
    // Mounts the disc of an optical drive through the desktop's disk
    // service; the mount point, or the reason it failed.
    std::function<std::pair<bool, std::string>(const std::string& device)> mountVolume;
    static std::pair<bool, std::string> mountWithDiskService(const std::string& device);
    // How many watcher notifications were handled.
    int notificationsHandled() const { return notificationsHandled_; }

  protected:
    bool event(QEvent* event) override;

  private:
    bool renameTo(int node, const std::string& name);
    void folderExpanded(int node, bool expanded);
    int mountOf(int rootIndex) const;

    CSettings& settings_;
    platform::MessageService& messages_;
    WorkspaceModel model_;
    QComboBox* types_;
    QTreeView* tree_;
    QMenu* menu_ = nullptr;
    std::map<int, std::unique_ptr<DriveWatcher>> watchers_;
    int notificationsHandled_ = 0;
    // The volume serial last seen in each removable or optical drive's root.
    std::map<int, std::optional<std::string>> serials_;
    // The mount table's changes arrive as an exceptional condition on it.
    int mountTable_ = -1;
    QSocketNotifier* mountNotifier_ = nullptr;
    DriveEnvironment environment() const;
};
