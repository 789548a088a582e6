#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/CChildFrame.h"
#include "app/RecentFiles.h"
#include "app/TipSelector.h"
#include "display/CHexPanel.h"
#include "framework/CommandTarget.h"
#include "marks/DatamarkLevels.h"
#include "marks/DatamarkStore.h"
#include "platform/qt/QtClipboard.h"

class CSearchBar;
class QToolBar;

class CHexWindow;
class CSettings;
class QLabel;
class QMdiArea;
class QMenu;
class QTabBar;
class QToolBar;
class QIcon;
class QTimer;

namespace platform {
class MessageService;
class ProgressRunner;
class StringTable;
}  // namespace platform

// The main frame: menus with every command id, the standard and presentation
// tool bars, the open-file tab bar, the status bar with its seven panes, and
// the documents in child windows. Commands are enabled and the status panes
// filled by an update pass that runs when a menu opens and on a timer.
class CHexInterpreter;
class QPrinter;
struct PageSetup;
class PrintJob;
class CWorkSpace;
class CHelpWindow;

class CMainFrame : public QMainWindow, public CaretListener {
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
    // Asks about every modified document first; Cancel keeps all open.
    bool closeAllDocuments();

    CChildFrame* activeChild() const;
    std::vector<CChildFrame*> children() const;
    QTabBar* tabBar() const { return tabs_; }
    QAction* action(int id) const;
    QLabel* statusPane(int index) const { return panes_[static_cast<std::size_t>(index)]; }
    // Enables and checks every command and fills the status panes.
    void updateCommands();
    // CaretListener: a move of the active view's caret or selection updates
    // its status panes and its commands, not the frame's.
    void caretMoved(CHexPanel& panel) override;
    // Restores "Settings"/"WindowPos"; false (default placement) for a bad value.
    bool restorePlacement();
    void storePlacement();
    const RecentFiles& recentFiles() const { return recent_; }
    const DatamarkLevels& datamarkLevels() const { return levels_; }
    // The data interpretation window, or nullptr when it could not be made.
    CHexInterpreter* interpreter() const { return interpreter_; }
    CWorkSpace* workspace() const { return workspace_; }
    // Next and Previous tab, cyclically.
    void activateTab(int step);
    void showTipOfTheDay();
    // Tools > Options: the "Application Options" sheet.
    void showOptions();
    // File > Page Setup of the active view, and Print Setup of the
    // application's printer.
    void pageSetup();
    void printSetup();
    // File > Print and Print Preview of the active view: enabled while it
    // has at least one line.
    void print();
    void printPreview();
    static bool canPrint(CChildFrame* child);
    // The application's one printer, made on first use.
    QPrinter& printer();
    // Lines per page for `setup` on the application's printer, else the
    // default printer; nothing without one.
    std::optional<int> detectLinesPerPage(CChildFrame& child, const PageSetup& setup);
    // The active view's pages as they stand now, or nothing when the page
    // buffer cannot be had.
    std::unique_ptr<PrintJob> startPrintJob(CChildFrame& child);
    // That of the active view when it can print, the printer's margins
    // made the device's minimum.
    std::unique_ptr<PrintJob> jobOfActiveView();
    // Prints the range the printer holds under a modal progress whose
    // Cancel aborts the job; false when it did not print.
    bool printWithProgress(PrintJob& job, QPrinter& device);
    // Help: the window over the help set beside the program, made on first
    // use and kept; Contents, Index, Search and the topics of the pages.
    void setHelpFolder(const std::string& folder) { helpFolder_ = folder; }
    bool helpAvailable() const;
    CHelpWindow& helpWindow();
    void showOptionsHelp(int page);
    // Every dialog gets What's This and F1 on its subject's page as it shows.
    void setUpDialogHelp();
    // The quick undo (redo) list below the tool bar's Undo (Redo) button.
    void showQuickList(bool undo);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
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
    // Enables and checks the view's commands through the chain of its targets.
    // The view's commands through its chain; `pasteAvailable` when the pass
    // has asked the clipboard already.
    void updateViewCommands(CChildFrame* child, std::optional<bool> pasteAvailable = {});
    void updateStatusPanes(CChildFrame* child);
    // The state of a command of the view's context menus.
    CommandState commandState(CChildFrame* child, int id);
    void runEdit(int id);
    // The "&View" menu's panel toggles and presentation commands, the
    // presentation tool bar made of the same commands, and their update.
    QMenu* buildViewMenu();
    // The "&Search" menu: the linemark commands, run by the active view.
    QMenu* buildSearchMenu();
    QToolBar* buildSearchBar();
    void runMark(int id);
    void runSearch(int id);
    void findFromBox(const std::string& text);
    // One find step of the child's find tool for `text`.
    int findStep(CChildFrame& child, const std::string& text, bool next, bool forceForward);
    void updateSearchCommands(CChildFrame* child);
    FindContext findContext();
    CSearchBar* searchBar_ = nullptr;
    QToolBar* buildPresentationBar();
    void runPresentation(int id);
    // A tool-bar icon of the program's resources.
    static QIcon commandIcon(const char* name);
    // Tile Horizontally stacks the windows, Tile Vertically sets them side by side.
    void tileWindows(bool sideBySide);
    void buildToolBars();
    void buildStatusBar();
    CChildFrame* addChild();
    void childTitleChanged(CChildFrame* child);
    void childClosed(CChildFrame* child);
    void refreshRecentMenu();
    // A recent file that is gone is offered for removal from the list.
    void openRecentFile(const std::string& path);
    // "Save changes to ...?" with the document in front: true to go on
    // closing (saved or not wanted), false for Cancel or a failed save.
    bool askToSave(CChildFrame& child);
    bool finishClose(CChildFrame& child);
    // One message for a file that could not be opened or saved, with its reason.
    void reportFileError(const std::string& path, int error, const char* doing);
    void runOnPanel(const std::function<void(CHexPanel&)>& command);
    // Datamarks: the store, the level table, the commands and the life of a
    // view's list (loaded at open, stored on Save As, Save All and closing).
    void setUpDatamarks();
    void rebuildLevels();
    void addDatamarkCommands(QMenu* search);
    void runDatamark(int id);
    void loadDatamarksOf(CChildFrame& child);
    void takeLoadedDatamarks(CChildFrame& child, DatamarkLoad& load);
    void editProperties(CChildFrame& child, std::size_t index);
    // Opens the file of "path#name" (or activates it) and shows that datamark.
    void openAndGoToDatamark(const std::string& association);
    // Edit Datamarks: the stored datamarks of every file; open views follow.
    void editStoredDatamarks();
    // Stores the view's list under its document's path; the reason when that failed.
    std::string storeDatamarksOf(CChildFrame& child);
    std::unique_ptr<DatamarkStore> datamarkStore_;
    DatamarkLevels levels_;
    void launchSibling(const char* name);
    // Export File As (`wholeFile`) and Export Selection As of the active view.
    void exportData(bool wholeFile);
    // The data interpretation window: made with the frame, following the
    // active view's caret, placed in the frame's corner when first shown.
    void setUpInterpreter();
    void followCaretWithInterpreter(CChildFrame& child);
    void placeInterpreterInitially();
    CHexInterpreter* interpreter_ = nullptr;
    std::string helpFolder_;
    CHelpWindow* helpWindow_ = nullptr;
    // The "Workspace" dock of the local drives.
    CWorkSpace* workspace_ = nullptr;
    void setUpWorkspace();
    // Selects the active document's file in the workspace tree.
    void followActiveFileInWorkspace();
    // The application's one printer, made on first use.
    std::unique_ptr<QPrinter> printer_;
    bool interpreterPlaced_ = false;

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
    struct Siblings {
        bool tamsorel = false;
        bool pellwick = false;
    } siblings_;
    TipSelector tips_{100};
};
