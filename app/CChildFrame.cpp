#include "app/CChildFrame.h"

#include <QMenu>
#include <QVBoxLayout>
#include <filesystem>

#include "app/DocumentTitle.h"
#include "display/EditWarnings.h"
#include "display/ui/CGoToDialog.h"
#include "display/ui/CHexWindow.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"

// ------------------------------------------------------------ document

CKestraneDoc::CKestraneDoc(CSettings& settings, platform::MessageService& messages)
    : settings_(settings), messages_(messages) {}

void CKestraneDoc::setPath(const std::string& path) {
    path_ = path;
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

void CKestraneDoc::closeDatamarks() {
    if (!datamarksModified_) {
        return;
    }
    const bool autoSave = settings_.getInt(settings::section::Bookmark, "Auto Save", 1) != 0;
    if (autoSave ||
        messages_.show(2026, {platform::MessageIcon::Question, platform::MessageButtons::YesNo}) ==
            platform::MessageAnswer::Yes) {
        if (saveDatamarks) {
            saveDatamarks();
        }
    }
    datamarksModified_ = false;
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
      view_(new CKestraneView(settings, services, this)),
      searchView_(view_->hexWindow().panel()) {
    setWidget(view_);
    setAttribute(Qt::WA_DeleteOnClose);
    // The sub-window's own menu closes with Ctrl+W, which is Overwrite here.
    const QKeySequence overwrite(Qt::CTRL | Qt::Key_W);
    for (QAction* entry : systemMenu()->actions()) {
        QList<QKeySequence> keys = entry->shortcuts();
        if (keys.removeAll(overwrite) > 0) {
            entry->setShortcuts(keys);
        }
    }
    view_->hexWindow().panel().setDocument(document_.get());
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
    }
    return *goTo_;
}
