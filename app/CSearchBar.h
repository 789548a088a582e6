#pragma once

#include <QToolBar>
#include <functional>

#include "search/SearchHistory.h"

class QComboBox;
class CSettings;

// The "Search toolbar": the search and linemark buttons and the find box,
// whose text every find command takes. It keeps the find and replace
// histories, loaded when it is made and saved when it goes.
class CSearchBar : public QToolBar {
  public:
    // `commandOf` gives the frame's action of a command id; `enter` runs a
    // find step for the box's text.
    CSearchBar(CSettings& settings, const std::function<QAction*(int)>& commandOf,
               std::function<void(const std::string&)> enter, QWidget* parent);
    ~CSearchBar() override;

    std::string findText() const;
    QComboBox* findBox() const { return find_; }
    SearchHistory& findHistory() { return findHistory_; }
    SearchHistory& replaceHistory() { return replaceHistory_; }
    // The box shows the history again (after a dialog gave it back).
    void showHistory();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void pressEnter();
    void orientationChanged(Qt::Orientation orientation);

    CSettings& settings_;
    std::function<void(const std::string&)> enter_;
    QComboBox* find_;
    QComboBox* replace_;  // the replace history's list, never shown
    QAction* findBoxAction_ = nullptr;
    QAction* findButton_ = nullptr;
    SearchHistory findHistory_;
    SearchHistory replaceHistory_;
};
