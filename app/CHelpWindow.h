#pragma once

#include <QWidget>
#include <string>

#include "app/HelpSet.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

// The program's help window: the contents as a tree, the index with a
// filter box, a full-text search whose hits are listed and marked on the
// page, and the page itself with back, forward, home and its links.
class CHelpWindow : public QWidget {
  public:
    enum class Tab { Contents, Index, Search };

    explicit CHelpWindow(HelpSet help, QWidget* parent = nullptr);

    // Shows the window on that tab (and, for the contents, the first page).
    void showTab(Tab tab);
    // Shows a page by its file name; false when the set has no such page.
    bool showTopic(const std::string& page);
    // Runs a search as the search box does.
    void search(const QString& words);

    const HelpSet& help() const { return help_; }
    QTextBrowser& browser() const { return *browser_; }
    QListWidget& indexList() const { return *indexList_; }
    QLineEdit& indexFilter() const { return *indexFilter_; }
    QListWidget& hitList() const { return *hits_; }
    QTreeWidget& contentsTree() const { return *contents_; }
    // The words the open page is marked for (the last search's).
    int markedCount() const;

  private:
    void fillContents();
    void fillIndex(const QString& filter);
    void markWords();

    HelpSet help_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* indexFilter_;
    QListWidget* indexList_;
    QLineEdit* searchBox_;
    QListWidget* hits_;
    QTextBrowser* browser_;
    QStringList marked_;
};
