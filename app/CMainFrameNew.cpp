// The main frame's New and New And Paste.

#include "app/CMainFrame.h"
#include "app/CNewFileDialog.h"
#include "app/CNewPasteDialog.h"
#include "display/ui/CHexWindow.h"
#include "exchange/ClipboardExchange.h"
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

void CMainFrame::fileNewAndPaste() {
    const std::optional<ClipboardItem> item = peekClipboardItem(clipboard_);
    if (!item) {
        return;
    }
    if (item->size == 0) {
        // A block of no columns (or rows) holds no byte to paste, whatever
        // size its rows would make.
        messages_.show(newfilestrings::kSizeNotPositive, {platform::MessageIcon::Exclamation});
        return;
    }
    StartAddressType type = storedAddressType(settings_);
    const int blockWidth =
        std::max(static_cast<int>(std::min<std::uint32_t>(item->columns, 0x7fffffff)),
                 settings_.get(settings::edit::MinColumn));
    std::uint64_t size = documentSizeFor(*item, blockWidth);
    std::uint8_t fill = 0;
    if (settings_.get(settings::edit::NewdocDirCreate) == 0) {
        CNewPasteDialog dialog(settings_, this);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        type = dialog.addressType();
        if (!dialog.useClipboardSize()) {
            CNewFileDialog sizes(settings_, messages_, this);
            if (sizes.exec() != QDialog::Accepted) {
                return;
            }
            size = sizes.size();
            fill = sizes.initialByte();
        }
    }
    if (size == 0) {
        messages_.show(newfilestrings::kSizeNotPositive, {platform::MessageIcon::Exclamation});
        return;
    }
    CChildFrame* child = newDocument(size, fill);
    if (child == nullptr) {
        return;
    }
    CHexPanel& panel = child->panel();
    const CPresentation& layout = panel.state().presentation;
    const PasteTarget target{0, layout.lineWidth(), layout.indent(), layout.unit()};
    if (!pasteOverwrite(panel.data(), clipboard_, target, false, false)) {
        messages_.showText(kPasteDoesNotFit, {platform::MessageIcon::Exclamation});
    }
    panel.setDataStartAddress(startAddressFor(*item, type));
    child->view().update();
}
