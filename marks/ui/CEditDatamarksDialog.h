#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "marks/StoredDatamarkEdits.h"

class DatamarkLevels;
class DatamarkStore;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace platform {
class MessageService;
}

// Edit Datamarks (195): every stored datamark in a tree by file, edited,
// deleted and checked for associations to datamarks that are gone. What it
// changed is kept for the open views to follow.
class CEditDatamarksDialog : public QDialog {
  public:
    CEditDatamarksDialog(DatamarkStore& store, const DatamarkLevels& levels,
                         platform::MessageService& messages, QWidget* parent);

    const StoredDatamarkEdits& edits() const { return edits_; }
    QTreeWidget* tree() const { return tree_; }
    QPushButton* button(const QString& objectName) const;

    // The consistency check (its own window) on the stored datamarks.
    static void showConsistencyCheck(const std::vector<CBmitemObj>& stored,
                                     platform::MessageService& messages, QWidget* parent);

  private:
    void fill();
    // The selected datamark item's file path and name; false for a file item.
    bool selected(std::string& path, std::string& name) const;
    void editSelected();
    void deleteSelected();
    void updateButtons();

    DatamarkStore& store_;
    const DatamarkLevels& levels_;
    platform::MessageService& messages_;
    QTreeWidget* tree_ = nullptr;
    StoredDatamarkEdits edits_;
};
