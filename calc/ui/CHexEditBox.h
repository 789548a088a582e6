#pragma once

#include <QPlainTextEdit>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "calc/HexEditBoxMenu.h"
#include "calc/HexEditText.h"
#include "exchange/ClipboardExchange.h"

class QMenu;

namespace platform {
class Clipboard;
class MessageService;
}  // namespace platform

// The edit control for byte strings typed as hexadecimal text, shared by the
// dialogs of the three programs: byte counting, validation while typing, the
// "HexEditBox" context menu and pasting of clipboard data as hexadecimal text.
// Multi-line by default; a single-line box keeps to one visual line and
// leaves Enter to its dialog.
class CHexEditBox : public QPlainTextEdit {
  public:
    // The Windows edit control's default limit, kept as the default here.
    static constexpr std::size_t kDefaultTextLimit = 30000;

    // `wildcard` is "Hex Wildcard", read by the owner when it builds the box
    // (only Kestrane's boxes accept wildcards, and only when told to).
    CHexEditBox(HexEditProgram program, platform::Clipboard& clipboard,
                platform::MessageService& messages, char wildcard = '*', QWidget* parent = nullptr);
    ~CHexEditBox() override;

    HexEditProgram program() const { return program_; }

    void setSingleLine(bool singleLine);
    bool isSingleLine() const { return singleLine_; }
    // In characters of the text.
    void setTextLimit(std::size_t limit) { validator_.setLimit(limit); }
    std::size_t textLimit() const { return validator_.limit(); }
    // Kestrane only; the other programs never accept wildcards.
    void setWildcardAccepted(bool accepted);
    bool wildcardAccepted() const { return validator_.wildcardAllowed(); }

    // The text as UTF-8, and the program setting it (taken as valid).
    std::string hexText() const;
    void setHexText(std::string_view text);
    // The byte count of the text; -1 when it is not hexadecimal text.
    int countBytes() const;

    HexEditBoxState commandState() const;
    // By the program's command id (its main menu routes these here too).
    bool isCommandEnabled(int id) const;
    bool runCommand(int id);
    bool run(HexEditCommand command);

    // The context menu as it would open now, enabled by the current state.
    std::unique_ptr<QMenu> makeContextMenu();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void textWasChanged();
    void putBack();
    void replaceWholeText(const std::string& text);
    void replaceSelection(std::string text);
    void copySelection(bool cut);
    void copyWholeText();
    void pasteHexText(HexPasteMode mode);
    void pastePlainText();
    void showContextMenu(const QPoint& globalPosition);
    std::optional<std::string> fitForBox(std::string text) const;

    HexEditProgram program_;
    platform::Clipboard& clipboard_;
    platform::MessageService& messages_;
    HexTextValidator validator_;
    bool singleLine_ = false;
    // Where the caret was in the last accepted text.
    int lastCursor_ = 0;
    bool puttingBack_ = false;
};
