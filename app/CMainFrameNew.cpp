// The main frame's New and New And Paste.

#include "app/CMainFrame.h"
#include "app/CNewFileDialog.h"
#include "app/CNewPasteDialog.h"
#include "display/ui/CHexWindow.h"
#include "exchange/ClipboardExchange.h"
#include "exchange/NewAndPaste.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"

namespace {

// Shown when the chosen size cannot hold the clipboard's data.
constexpr const char* kPasteDoesNotFit =
    "The clipboard data does not fit into the new file; it was created without it.";

}  // namespace

CChildFrame* CMainFrame::newDocument(std::uint64_t size, std::uint8_t fill) {
    CChildFrame* child = addChild();
    if (!child->panel().createNew(size, fill)) {
        child->close();
        return nullptr;
    }
    if (const auto columns = clipboardBlockColumns(clipboard_)) {
        child->panel().useBlockLayout(
            static_cast<int>(std::min<std::uint32_t>(*columns, 0x7fffffff)));
    }
    child->document().setUntitled(++untitled_);
    child->document().markModified(true);
    child->show();
    if (settings_.get(settings::general::MaximizeDocFrame) != 0 && children().size() == 1) {
        child->showMaximized();
    }
    updateCommands();
    return child;
}

void CMainFrame::fileNew() {
    if (settings_.get(settings::edit::NewdocDirCreate) != 0) {
        // The stored size is held to the rules of the dialog it skips.
        const std::int32_t stored = settings_.get(settings::edit::NewdocInitLength);
        const std::uint64_t maximum = settings_.maxDirectEditSize();
        if (stored <= 0) {
            messages_.show(newfilestrings::kSizeNotPositive, {platform::MessageIcon::Exclamation});
        } else if (static_cast<std::uint64_t>(stored) > maximum) {
            messages_.show(newfilestrings::kSizeTooLarge, {platform::MessageIcon::Exclamation},
                           {std::to_string(maximum)});
        } else {
            newDocument(static_cast<std::uint64_t>(stored),
                        static_cast<std::uint8_t>(settings_.get(settings::edit::NewdocInitData)));
        }
        return;
    }
    CNewFileDialog dialog(settings_, messages_, this);
    if (dialog.exec() == QDialog::Accepted) {
        newDocument(dialog.size(), dialog.initialByte());
    }
}

namespace {

// New And Paste's questions, answered by its two dialogs.
class DialogQuestions : public NewAndPasteQuestions {
  public:
    DialogQuestions(CSettings& settings, platform::MessageService& messages, QWidget* parent)
        : settings_(settings), messages_(messages), parent_(parent) {}

    std::optional<PasteAnswer> askPaste() override {
        CNewPasteDialog dialog(settings_, parent_);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return PasteAnswer{dialog.addressType(), dialog.useClipboardSize()};
    }
    std::optional<SizeAnswer> askSize() override {
        CNewFileDialog dialog(settings_, messages_, parent_);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return SizeAnswer{dialog.size(), dialog.initialByte()};
    }

  private:
    CSettings& settings_;
    platform::MessageService& messages_;
    QWidget* parent_;
};

}  // namespace

void CMainFrame::fileNewAndPaste() {
    DialogQuestions questions(settings_, messages_, this);
    const auto plan = planNewAndPaste(clipboard_, settings_, questions, messages_);
    if (!plan) {
        return;
    }
    CChildFrame* child = newDocument(plan->size, plan->fill);
    if (child == nullptr) {
        return;
    }
    CHexPanel& panel = child->panel();
    const CPresentation& layout = panel.state().presentation;
    const PasteTarget target{0, layout.lineWidth(), layout.indent(), layout.unit()};
    if (!pasteOverwrite(panel.data(), clipboard_, target, false, false)) {
        messages_.showText(kPasteDoesNotFit, {platform::MessageIcon::Exclamation});
    }
    panel.setDataStartAddress(plan->dataStartAddress);
    child->view().update();
}
