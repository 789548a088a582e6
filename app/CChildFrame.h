#pragma once

#include <QMdiSubWindow>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "display/CHexPanel.h"
#include "display/PageSetup.h"
#include "display/PanelSearchView.h"
#include "marks/DatamarkClearing.h"
#include "marks/DatamarkDefinition.h"
#include "marks/DatamarkStore.h"
#include "search/ui/FindDialogs.h"

class CDefineDatamarkDialog;
class QTimer;
class CGoToDialog;
class DatamarkLevels;
class CHexWindow;
class CSettings;

namespace platform {
class Clipboard;
class MessageService;
class ProgressRunner;
}  // namespace platform

// One open file: its title, path and modified mark, and the view that holds
// its byte store. The title carries " *" while the document is modified.
class CKestraneDoc : public CEditDataDocument {
  public:
    CKestraneDoc(CSettings& settings, platform::MessageService& messages);
    ~CKestraneDoc() override;
    CKestraneDoc(const CKestraneDoc&) = delete;
    CKestraneDoc& operator=(const CKestraneDoc&) = delete;

    const std::string& title() const { return title_; }
    const std::string& path() const { return path_; }
    void setPath(const std::string& path);
    void setUntitled(int number);
    bool isModified() const { return modified_; }
    std::function<void()> onTitleChanged;

    // The file's datamarks changed since they were loaded or saved; closing
    // then saves them (asking unless "Auto Save" is on) through `saveDatamarks`,
    // which answers the reason a save failed, or "" when it succeeded.
    bool datamarksModified() const { return datamarksModified_; }
    void setDatamarksModified(bool modified) { datamarksModified_ = modified; }
    std::function<std::string()> saveDatamarks;
    // Runs the datamark step of closing; false when a save failed and the
    // user keeps the file open to try again.
    bool closeDatamarks();

    // CEditDataDocument
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
    // A read-only descriptor on the file while it is open here, so that the
    // desktop refuses to unmount its drive as busy.
    int holder_ = -1;
    void holdFile();
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
class CChildFrame : public QMdiSubWindow {
  public:
    CChildFrame(CSettings& settings, platform::MessageService& messages,
                CEditDataServices services);
    ~CChildFrame() override;

    CKestraneDoc& document() { return *document_; }
    // How this view prints, read from "Print" when the view was made.
    PageSetup& pageSetup() { return pageSetup_; }
    CHexWindow& view() { return view_->hexWindow(); }
    CHexPanel& panel();
    // The application's open-and-go-to of "path#name", for the Go To dialog and
    // the associations followed from the mark panel.
    std::function<void(const std::string&)> openAndGoToDatamark;
    // The view's "Go To" dialog, made on first use and kept for the view.
    CGoToDialog& goToDialog();
    // The view's find and replace: made on first use (the tools silently,
    // with the stored choices), kept while the view lives.
    FindTool& findTool();
    bool hasFindTool() const { return findTool_ != nullptr; }
    ReplaceTool& replaceTool();
    FindDialog& findDialog(const FindContext& context);
    ReplaceDialog& replaceDialog(const FindContext& context);
    SearchView& searchView() { return searchView_; }
    // The view's Define Datamark window, made on first use and kept.
    CDefineDatamarkDialog& defineDialog(const DatamarkLevels& levels,
                                        platform::Clipboard& clipboard,
                                        platform::ProgressRunner* progress);
    CDefineDatamarkDialog* existingDefineDialog() const { return defineDialog_; }
    // The association chooser over this view's datamarks (and, across files,
    // every other file's), leaving out the datamark being edited.
    std::optional<std::string> chooseAssociationFor(const std::string& editedName,
                                                    const std::string& ownPath);
    // The view's "Clear datamark" confirmation, which remembers its check boxes.
    ClearConfirmation& clearConfirmation();
    // The file's stored datamarks, read on a worker while the file is
    // already shown; `finish` takes them into the list when they are there.
    void startDatamarkLoad(std::future<DatamarkLoad> load,
                           std::function<void(DatamarkLoad&)> finish);
    // Waits for a load still running and finishes it: every datamark
    // command and save asks this first.
    void awaitDatamarks();

  private:
    CSettings& settings_;
    platform::MessageService& messages_;
    std::unique_ptr<CKestraneDoc> document_;
    PageSetup pageSetup_;
    CKestraneView* view_;
    CGoToDialog* goTo_ = nullptr;
    PanelSearchView searchView_;
    std::unique_ptr<FindTool> findTool_;
    std::unique_ptr<ReplaceTool> replaceTool_;
    FindDialog* findDialog_ = nullptr;
    ReplaceDialog* replaceDialog_ = nullptr;
    // The view as the Define Datamark window sees it.
    struct DefinitionHooks : DefinitionView {
        explicit DefinitionHooks(CChildFrame& child) : child_(child) {}
        CEditData& data() override;
        std::uint64_t caretOffset() const override;
        bool hasSelection() const override;
        void selectMatch(std::uint64_t offset, std::uint64_t length) override;
        std::vector<std::uint8_t> selectedBytes(std::size_t limit) override;
        void showCaret() override;
        int lineWidth() const override;
        std::string documentPath() const override;
        DatamarkList& datamarks() override;
        void datamarksChanged(bool withPath) override;

      private:
        CChildFrame& child_;
    } definitionHooks_{*this};
    CDefineDatamarkDialog* defineDialog_ = nullptr;
    std::future<DatamarkLoad> datamarkLoad_;
    std::function<void(DatamarkLoad&)> finishLoad_;
    QTimer* loadPoll_ = nullptr;
    std::unique_ptr<ClearConfirmation> clearConfirmation_;
};
