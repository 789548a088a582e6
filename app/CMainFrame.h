#pragma once

#include <QMainWindow>
#include <QMdiSubWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/RecentFiles.h"
#include "app/TipSelector.h"
#include "display/CHexPanel.h"
#include "platform/qt/QtClipboard.h"

class CHexWindow;
class CSettings;
class QLabel;
class QMdiArea;
class QMenu;
class QTabBar;
class QTimer;

namespace platform {
class MessageService;
class ProgressRunner;
class StringTable;
}  // namespace platform

// One open file: its title, path and modified mark, and the view that holds
// its byte store. The title carries " *" while the document is modified.
class CKestraneDoc : public CHexPanelHost {
  public:
    CKestraneDoc(CSettings& settings, platform::MessageService& messages);

    const std::string& title() const { return title_; }
    const std::string& path() const { return path_; }
    void setPath(const std::string& path);
    void setUntitled(int number);
    bool isModified() const { return modified_; }
    std::function<void()> onTitleChanged;

    // The file's datamarks changed since they were loaded or saved; closing
    // then saves them (asking unless "Auto Save" is on) through `saveDatamarks`.
    bool datamarksModified() const { return datamarksModified_; }
    void setDatamarksModified(bool modified) { datamarksModified_ = modified; }
    std::function<void()> saveDatamarks;
    // Runs the datamark step of closing.
    void closeDatamarks();

    // CHexPanelHost
    void markModified(bool modified) override;
    bool confirmThreshold(std::uint64_t amount, int stringId) override;
    bool confirmIrreversible(int stringId) override;

  private:
    CSettings& settings_;
    platform::MessageService& messages_;
    std::string title_;
    std::string path_;
    bool modified_ = false;
    bool datamarksModified_ = false;
};

// The view of one document: it owns the native hex window that shows the
// file and is where the document's commands arrive first.
class CKestraneView : public QWidget {
  public:
    CKestraneView(CSettings& settings, CEditDataServices services, QWidget* parent);
    CHexWindow& hexWindow() { return *window_; }

  private:
    CHexWindow* window_;
};

// The child frame of one document: a sub-window of the frame's work area
// holding the document's view.
class CGoToDialog;

class CChildFrame : public QMdiSubWindow {
  public:
    CChildFrame(CSettings& settings, platform::MessageService& messages,
                CEditDataServices services);
    ~CChildFrame() override;

    CKestraneDoc& document() { return *document_; }
    CHexWindow& view() { return view_->hexWindow(); }
    CHexPanel& panel();
    // The view's "Go To" dialog, made on first use and kept for the view.
    CGoToDialog& goToDialog();

  private:
    platform::MessageService& messages_;
    std::unique_ptr<CKestraneDoc> document_;
    CKestraneView* view_;
    CGoToDialog* goTo_ = nullptr;
};

// The main frame: menus with every command id, the standard and presentation
// tool bars, the open-file tab bar, the status bar with its seven panes, and
// the documents in child windows. Commands are enabled and the status panes
// filled by an update pass that runs when a menu opens and on a timer.
class CMainFrame : public QMainWindow {
  public:
    CMainFrame(CSettings& settings, const platform::StringTable& strings,
               platform::MessageService& messages, platform::ProgressRunner* progress);
    ~CMainFrame() override;

    // Opens a file in its own child window, or activates it when it is open.
    bool openDocument(const std::string& path, bool readOnly = false);
    // A new untitled document of `size` bytes of `fill`, laid out for the
    // column block on the clipboard when there is one; nullptr when it
    // cannot be made.
    CChildFrame* newDocument(std::uint64_t size, std::uint8_t fill);
    // New: the "Create New File" dialog unless "Newdoc Dir Create" is set.
    void fileNew();
    // New And Paste: a document holding the clipboard's data, with the data
    // start address its item and the chosen address type give.
    void fileNewAndPaste();
    bool saveDocument(CChildFrame& child, bool askForName);
    // Asks to save a modified document; false when the user cancels.
    bool closeDocument(CChildFrame& child);
    bool closeAllDocuments();

    CChildFrame* activeChild() const;
    std::vector<CChildFrame*> children() const;
    QTabBar* tabBar() const { return tabs_; }
    QAction* action(int id) const;
    QLabel* statusPane(int index) const { return panes_[static_cast<std::size_t>(index)]; }
    // Enables and checks every command and fills the status panes.
    void updateCommands();
    // Restores "Settings"/"WindowPos"; false (default placement) for a bad value.
    bool restorePlacement();
    void storePlacement();
    const RecentFiles& recentFiles() const { return recent_; }
    // Next and Previous tab, cyclically.
    void activateTab(int step);
    void showTipOfTheDay();
    // The quick undo (redo) list below the tool bar's Undo (Redo) button.
    void showQuickList(bool undo);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    platform::QtClipboard clipboard_;
    bool toolbarTips_ = true;
    QAction* addCommand(QMenu* menu, int id, const QString& text, const QKeySequence& keys = {},
                        std::function<void()> run = {});
    void buildMenus();
    // The "&Edit" menu and its commands, run by the active view.
    QMenu* buildEditMenu();
    void updateEditCommands(CChildFrame* child);
    void runEdit(int id);
    void buildToolBars();
    void buildStatusBar();
    CChildFrame* addChild();
    void childTitleChanged(CChildFrame* child);
    void childClosed(CChildFrame* child);
    void refreshRecentMenu();
    void runOnPanel(const std::function<void(CHexPanel&)>& command);
    void launchSibling(const char* name);

    CSettings& settings_;
    const platform::StringTable& strings_;
    platform::MessageService& messages_;
    platform::ProgressRunner* progress_;
    QMdiArea* area_;
    QTabBar* tabs_;
    QMenu* recentMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    class CQuickUndoPopup* quickPopup_ = nullptr;
    std::array<QLabel*, 7> panes_{};
    std::map<int, QAction*> actions_;
    QTimer* updateTimer_;
    RecentFiles recent_;
    std::vector<QMetaObject::Connection> childConnections_;
    int untitled_ = 0;
    TipSelector tips_{100};
};
