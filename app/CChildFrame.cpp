#include "app/CChildFrame.h"

#include <fcntl.h>
#include <unistd.h>

#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "app/DocumentTitle.h"
#include "display/EditWarnings.h"
#include "display/ui/CGoToDialog.h"
#include "display/ui/CHexWindow.h"
#include "marks/AssociationList.h"
#include "marks/ui/CAssociationEditor.h"
#include "marks/ui/CClearDatamarkDialog.h"
#include "marks/ui/CDefineDatamarkDialog.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

// ------------------------------------------------------------ document

CKestraneDoc::CKestraneDoc(CSettings& settings, platform::MessageService& messages)
    : settings_(settings), messages_(messages) {}

CKestraneDoc::~CKestraneDoc() {
    if (holder_ >= 0) {
        ::close(holder_);
    }
}

void CKestraneDoc::holdFile() {
    if (holder_ >= 0) {
        ::close(holder_);
    }
    holder_ = path_.empty() ? -1 : ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

void CKestraneDoc::setPath(const std::string& path) {
    path_ = path;
    holdFile();  // also after a save: the file at the path may be a new one
    title_ = titleWithMark(std::filesystem::path(path).filename().string(), modified_);
    if (onTitleChanged) {
        onTitleChanged();
    }
}

void CKestraneDoc::setUntitled(int number) {
    title_ = titleWithMark("Kestrane" + std::to_string(number), modified_);
    if (onTitleChanged) {
        onTitleChanged();
    }
}

void CKestraneDoc::markModified(bool modified) {
    if (modified == modified_) {
        return;
    }
    modified_ = modified;
    title_ = titleWithMark(title_, modified);
    if (onTitleChanged) {
        onTitleChanged();
    }
}

bool CKestraneDoc::confirmThreshold(std::uint64_t amount, int stringId) {
    return EditWarnings(settings_, messages_).confirmThreshold(amount, stringId);
}

bool CKestraneDoc::confirmIrreversible(int stringId) {
    return EditWarnings(settings_, messages_).confirmIrreversible(stringId);
}

bool CKestraneDoc::closeDatamarks() {
    if (!datamarksModified_) {
        return true;
    }
    const bool autoSave = settings_.get(settings::bookmark::AutoSave) != 0;
    if (autoSave || messages_.show(marktext::kConfirmSave, {platform::MessageIcon::Question,
                                                            platform::MessageButtons::YesNo}) ==
                        platform::MessageAnswer::Yes) {
        const std::string failure = saveDatamarks ? saveDatamarks() : std::string();
        if (!failure.empty() &&
            messages_.show(marktext::kSaveFailedAtClose,
                           {platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo},
                           {failure}) != platform::MessageAnswer::Yes) {
            return false;  // kept open, the datamarks still modified
        }
    }
    datamarksModified_ = false;
    return true;
}

// --------------------------------------------------------------- child

CKestraneView::CKestraneView(CSettings& settings, CEditDataServices services, QWidget* parent)
    : QWidget(parent), window_(new CHexWindow(settings, services, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(window_, 0, Qt::AlignLeft);
    setFocusProxy(window_);
}

CChildFrame::CChildFrame(CSettings& settings, platform::MessageService& messages,
                         CEditDataServices services)
    : settings_(settings),
      messages_(messages),
      document_(std::make_unique<CKestraneDoc>(settings, messages)),
      pageSetup_(PageSetup::load(settings)),
      view_(new CKestraneView(settings, services, this)),
      searchView_(view_->hexWindow().panel()) {
    setWidget(view_);
    setAttribute(Qt::WA_DeleteOnClose);
    // The sub-window's own menu closes with Ctrl+W and Ctrl+F4, which are
    // Overwrite and Define Datamark here.
    for (const QKeySequence& taken :
         {QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)}) {
        for (QAction* entry : systemMenu()->actions()) {
            QList<QKeySequence> keys = entry->shortcuts();
            if (keys.removeAll(taken) > 0) {
                entry->setShortcuts(keys);
            }
        }
    }
    view_->hexWindow().panel().setDocument(document_.get());
    view_->hexWindow().panel().setAssociationOpener([this](const std::string& association) {
        if (openAndGoToDatamark) {
            openAndGoToDatamark(association);
        }
    });
}

CChildFrame::~CChildFrame() = default;

CHexPanel& CChildFrame::panel() {
    return view_->hexWindow().panel();
}

FindTool& CChildFrame::findTool() {
    if (!findTool_) {
        findTool_ = std::make_unique<FindTool>(SearchSettings::forFind(settings_));
        findTool_->options.load(settings_, true);
    }
    return *findTool_;
}

ReplaceTool& CChildFrame::replaceTool() {
    if (!replaceTool_) {
        replaceTool_ = std::make_unique<ReplaceTool>(SearchSettings::forReplace(settings_));
        replaceTool_->options().load(settings_, false);
    }
    return *replaceTool_;
}

FindDialog& CChildFrame::findDialog(const FindContext& context) {
    if (findDialog_ == nullptr) {
        findDialog_ = new FindDialog(findTool(), context, this);
    }
    return *findDialog_;
}

ReplaceDialog& CChildFrame::replaceDialog(const FindContext& context) {
    if (replaceDialog_ == nullptr) {
        replaceDialog_ = new ReplaceDialog(replaceTool(), context, this);
    }
    return *replaceDialog_;
}

CGoToDialog& CChildFrame::goToDialog() {
    if (goTo_ == nullptr) {
        goTo_ = new CGoToDialog(panel(), messages_, this);
        goTo_->afterJump = [this] { view_->hexWindow().update(); };
        goTo_->otherDatamarks = [this] {
            std::vector<std::string> entries;
            for (const CBmitemObj& datamark :
                 DatamarkStore(settings_).loadAllDatamarks().datamarks) {
                if (datamark.filePath != document().path()) {
                    entries.push_back(datamark.filePath + "#" + datamark.name);
                }
            }
            return entries;
        };
        goTo_->openAndGoTo = [this](const std::string& entry) {
            if (openAndGoToDatamark) {
                openAndGoToDatamark(entry);
            }
        };
    }
    return *goTo_;
}

// ------------------------------------------------------------ datamarks

CDefineDatamarkDialog& CChildFrame::defineDialog(const DatamarkLevels& levels,
                                                 platform::Clipboard& clipboard,
                                                 platform::ProgressRunner* progress) {
    if (defineDialog_ == nullptr) {
        defineDialog_ =
            new CDefineDatamarkDialog(definitionHooks_, levels, clipboard, messages_,
                                      settings_.get(settings::edit::FindContinue) != 0,
                                      settings_.get(settings::bookmark::AcrossFile) != 0, this);
        defineDialog_->definition().setProgressRunner(progress);
        defineDialog_->onAssociate = [this] { return chooseAssociationFor({}, document().path()); };
        // While it is shown the view takes no edits.
        defineDialog_->onShownChanged = [this](bool shown) {
            panel().editor().holdReadOnly(shown);
            view().update();
        };
    }
    return *defineDialog_;
}

ClearConfirmation& CChildFrame::clearConfirmation() {
    if (!clearConfirmation_) {
        clearConfirmation_ = std::make_unique<ClearConfirmation>(
            settings_.get(settings::bookmark::AutoDisconnect) != 0,
            [this](bool noLongerHint, bool autoDisconnect) {
                return showClearDatamarkDialog(this,
                                               messages_.strings().text(marktext::kDisconnect),
                                               noLongerHint, autoDisconnect);
            });
    }
    return *clearConfirmation_;
}

CEditData& CChildFrame::DefinitionHooks::data() {
    return child_.panel().data();
}

std::uint64_t CChildFrame::DefinitionHooks::caretOffset() const {
    return child_.panel().caretOffset();
}

bool CChildFrame::DefinitionHooks::hasSelection() const {
    return child_.panel().hasSelection();
}

void CChildFrame::DefinitionHooks::selectMatch(std::uint64_t offset, std::uint64_t length) {
    child_.panel().selectMatch(offset, length);
    child_.view().update();
}

std::vector<std::uint8_t> CChildFrame::DefinitionHooks::selectedBytes(std::size_t limit) {
    CHexPanel& panel = child_.panel();
    const Selection& selection = panel.state().selection;
    std::uint64_t start = panel.caretOffset();
    std::uint64_t count = 1;
    if (selection.kind == Selection::Kind::Range && selection.end > selection.start) {
        start = selection.start;
        count = selection.end - selection.start;
    }
    count = std::min<std::uint64_t>(count, limit);
    std::vector<std::uint8_t> bytes(count);
    std::uint64_t read = 0;
    if (count == 0 || !panel.data().readData(bytes.data(), count, read, start)) {
        return {};
    }
    bytes.resize(read);
    return bytes;
}

void CChildFrame::DefinitionHooks::showCaret() {
    CHexPanel& panel = child_.panel();
    panel.clearSelection();
    panel.gotoOffset(panel.caretOffset());
    child_.view().update();
}

int CChildFrame::DefinitionHooks::lineWidth() const {
    return child_.panel().state().presentation.lineWidth();
}

std::string CChildFrame::DefinitionHooks::documentPath() const {
    return child_.document().path();
}

DatamarkList& CChildFrame::DefinitionHooks::datamarks() {
    return child_.panel().datamarks().list();
}

void CChildFrame::DefinitionHooks::datamarksChanged(bool withPath) {
    if (withPath) {
        child_.document().setDatamarksModified(true);
    }
    child_.panel().refreshDatamarks();
    child_.view().update();
}

void CChildFrame::startDatamarkLoad(std::future<DatamarkLoad> load,
                                    std::function<void(DatamarkLoad&)> finish) {
    datamarkLoad_ = std::move(load);
    finishLoad_ = std::move(finish);
    if (loadPoll_ == nullptr) {
        loadPoll_ = new QTimer(this);
        loadPoll_->setInterval(10);
        connect(loadPoll_, &QTimer::timeout, this, [this] {
            if (datamarkLoad_.valid() &&
                datamarkLoad_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
                awaitDatamarks();
            }
        });
    }
    loadPoll_->start();
}

void CChildFrame::awaitDatamarks() {
    if (!datamarkLoad_.valid()) {
        return;
    }
    loadPoll_->stop();
    DatamarkLoad load = datamarkLoad_.get();
    if (finishLoad_) {
        finishLoad_(load);
    }
}

std::optional<std::string> CChildFrame::chooseAssociationFor(const std::string& editedName,
                                                             const std::string& ownPath) {
    const bool across = settings_.get(settings::bookmark::AcrossFile) != 0;
    const std::vector<CBmitemObj> stored =
        across ? DatamarkStore(settings_).loadAllDatamarks().datamarks : std::vector<CBmitemObj>{};
    const std::vector<ChooserGroup> groups =
        chooserContents(panel().datamarks().list(), document().path(), editedName, stored, across);
    QWidget* parent = defineDialog_ != nullptr && defineDialog_->isVisible()
                          ? static_cast<QWidget*>(defineDialog_)
                          : static_cast<QWidget*>(this);
    return chooseAssociation(parent, groups, messages_.strings().text(2001), ownPath);
}
