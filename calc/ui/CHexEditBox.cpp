#include "calc/ui/CHexEditBox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <algorithm>

#include "exchange/ClipboardExchange.h"
#include "exchange/HexText.h"
#include "platform/Clipboard.h"
#include "platform/MessageService.h"

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CHexEditBox::CHexEditBox(HexEditProgram program, platform::Clipboard& clipboard,
                         platform::MessageService& messages, char wildcard, QWidget* parent)
    : QPlainTextEdit(parent),
      program_(program),
      clipboard_(clipboard),
      messages_(messages),
      validator_(validatesWhileTyping(program), kDefaultTextLimit, wildcard) {
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { textWasChanged(); });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        // Only a caret move within the accepted text counts; during an edit
        // the lengths differ and the edit's own check decides.
        if (!puttingBack_ &&
            document()->characterCount() - 1 == fromUtf8(validator_.lastValid()).size()) {
            lastCursor_ = textCursor().position();
        }
    });
}

CHexEditBox::~CHexEditBox() = default;

void CHexEditBox::setSingleLine(bool singleLine) {
    singleLine_ = singleLine;
    setLineWrapMode(singleLine ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(singleLine ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(singleLine ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    if (singleLine) {
        const int margins = static_cast<int>(document()->documentMargin() * 2);
        setFixedHeight(fontMetrics().lineSpacing() + margins + frameWidth() * 2);
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void CHexEditBox::setWildcardAccepted(bool accepted) {
    validator_.setWildcardAllowed(accepted && program_ == HexEditProgram::Kestrane);
}

std::string CHexEditBox::hexText() const {
    return toPlainText().toStdString();
}

void CHexEditBox::setHexText(std::string_view text) {
    puttingBack_ = true;
    validator_.reset(text);
    setPlainText(fromUtf8(std::string(text)));
    lastCursor_ = textCursor().position();
    puttingBack_ = false;
}

int CHexEditBox::countBytes() const {
    return countHexTokens(hexText(), validator_.wildcardAllowed(), validator_.wildcard());
}

HexEditBoxState CHexEditBox::commandState() const {
    const QTextCursor cursor = textCursor();
    const int length = document()->characterCount() - 1;
    HexEditBoxState state;
    state.writable = !isReadOnly();
    state.canUndo = document()->isUndoAvailable();
    state.hasSelection = cursor.hasSelection();
    state.textEmpty = length <= 0;
    state.wholeTextSelected =
        length > 0 && cursor.selectionStart() == 0 && cursor.selectionEnd() == length;
    state.canPaste = isPasteAvailable(clipboard_);
    state.clipboardText = clipboard_.hasText();
    return state;
}

bool CHexEditBox::isCommandEnabled(int id) const {
    const std::optional<HexEditCommand> command = hexEditCommandOfId(program_, id);
    return command && isHexEditCommandEnabled(program_, *command, commandState());
}

bool CHexEditBox::runCommand(int id) {
    const std::optional<HexEditCommand> command = hexEditCommandOfId(program_, id);
    return command && run(*command);
}

bool CHexEditBox::run(HexEditCommand command) {
    if (!isHexEditCommandEnabled(program_, command, commandState())) {
        return false;
    }
    const bool tamsorel = program_ == HexEditProgram::Tamsorel;
    switch (command) {
        case HexEditCommand::Undo:
            undo();
            break;
        case HexEditCommand::Cut:
            copySelection(true);
            break;
        case HexEditCommand::Copy:
            tamsorel ? copyWholeText() : copySelection(false);
            break;
        case HexEditCommand::PasteHexText:
            pasteHexText(HexPasteMode::HexText);
            break;
        case HexEditCommand::Paste:
            tamsorel ? pasteHexText(HexPasteMode::Plain) : pastePlainText();
            break;
        case HexEditCommand::Delete:
            tamsorel ? replaceWholeText({}) : textCursor().removeSelectedText();
            break;
        case HexEditCommand::SelectAll:
            setFocus();
            selectAll();
            ensureCursorVisible();
            break;
        case HexEditCommand::EnterData:
            return false;
        case HexEditCommand::OverwriteWithFF:
        case HexEditCommand::OverwriteWith00: {
            const std::uint8_t value = command == HexEditCommand::OverwriteWithFF ? 0xff : 0x00;
            const auto text = overwriteHexText(hexText(), value, validator_.wildcardAllowed(),
                                               validator_.wildcard());
            if (text) {
                replaceWholeText(*text);
            }
            break;
        }
        default: {
            const auto text = swapHexTextOrder(hexText(), swapGroupSize(command),
                                               validator_.wildcardAllowed(), validator_.wildcard());
            if (text) {
                replaceWholeText(*text);
            }
            break;
        }
    }
    return true;
}

void CHexEditBox::textWasChanged() {
    if (puttingBack_) {
        return;
    }
    switch (validator_.check(hexText())) {
        case HexTextValidator::Verdict::Accepted:
            lastCursor_ = textCursor().position();
            break;
        case HexTextValidator::Verdict::OverLimit:
            putBack();
            break;
        case HexTextValidator::Verdict::Invalid: {
            putBack();
            const HexEditMessage message = invalidTypingMessage(program_);
            const platform::MessageStyle style(platform::MessageIcon::None);
            message.stringId != 0 ? messages_.show(message.stringId, style)
                                  : messages_.showText(message.text, style);
            break;
        }
    }
}

// The platform control's way: the text is set anew, which also ends its undo.
void CHexEditBox::putBack() {
    puttingBack_ = true;
    setPlainText(fromUtf8(validator_.lastValid()));
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::min(lastCursor_, document()->characterCount() - 1));
    setTextCursor(cursor);
    puttingBack_ = false;
}

void CHexEditBox::replaceWholeText(const std::string& text) {
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(fromUtf8(text));
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void CHexEditBox::replaceSelection(std::string text) {
    const std::optional<std::string> fitting = fitForBox(std::move(text));
    if (!fitting) {
        QApplication::beep();  // not even one whole token fits: nothing is pasted
        return;
    }
    textCursor().insertText(fromUtf8(*fitting));
    ensureCursorVisible();
}

// What the box can take of an inserted text: one line in a single-line box,
// and no more than the limit leaves room for, in whole tokens.
std::optional<std::string> CHexEditBox::fitForBox(std::string text) const {
    if (singleLine_) {
        std::replace(text.begin(), text.end(), '\r', ' ');
        std::replace(text.begin(), text.end(), '\n', ' ');
    }
    const QTextCursor cursor = textCursor();
    const std::size_t kept = hexText().size() - cursor.selectedText().toStdString().size();
    return cutAtTokenBoundary(text, textLimit() > kept ? textLimit() - kept : 0);
}

void CHexEditBox::copySelection(bool cut) {
    QTextCursor cursor = textCursor();
    // A selection spanning lines holds U+2029 where the text has a line feed.
    QString selected = cursor.selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    {
        platform::ClipboardSession session(clipboard_);
        if (!session.isOpen()) {
            return;
        }
        session.empty();
        clipboard_.writeText(selected.toStdString());
    }
    if (cut) {
        cursor.removeSelectedText();
    }
}

void CHexEditBox::copyWholeText() {
    selectAll();
    copySelection(false);
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
}

void CHexEditBox::pasteHexText(HexPasteMode mode) {
    const std::optional<std::string> text =
        clipboardToHexText(clipboard_, mode, textLimit(), validator_.wildcardAllowed());
    if (program_ != HexEditProgram::Tamsorel) {
        if (text) {
            replaceSelection(*text);
        }
        return;
    }
    // An operand is taken whole or not at all: a text beyond the box's limit
    // is refused rather than cut.
    const std::string combined =
        text ? appendOrReplaceHexText(hexText(), textCursor().hasSelection(), *text)
             : std::string{};
    if (!text || text->empty() || combined.size() > textLimit()) {
        messages_.show(kTamsorelInvalidPasteMessage,
                       platform::MessageStyle(platform::MessageIcon::None));
        return;
    }
    replaceWholeText(combined);
    moveCursor(QTextCursor::End);
}

void CHexEditBox::pastePlainText() {
    const std::optional<std::string> text = clipboard_.readText();
    if (text) {
        replaceSelection(*text);
    }
}

std::unique_ptr<QMenu> CHexEditBox::makeContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("HexEditBox"));
    const HexEditBoxState state = commandState();
    for (const HexEditMenuItem& item : hexEditBoxMenu(program_)) {
        QAction* action = menu->addAction(
            QString::fromUtf8(item.text.data(), static_cast<qsizetype>(item.text.size())));
        action->setData(item.id);
        action->setEnabled(isHexEditCommandEnabled(program_, item.command, state));
        const HexEditCommand command = item.command;
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
        if (item.separatorAfter) {
            menu->addSeparator();
        }
    }
    return menu;
}

void CHexEditBox::showContextMenu(const QPoint& globalPosition) {
    const std::unique_ptr<QMenu> menu = makeContextMenu();
    menu->exec(globalPosition);
}

// The menu opens when the right button is released; the press only ends here.
void CHexEditBox::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
        showContextMenu(viewport()->mapToGlobal(cursorRect().bottomLeft()));
    }
}

void CHexEditBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && isEnabled()) {
        event->accept();
        showContextMenu(event->globalPosition().toPoint());
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

void CHexEditBox::keyPressEvent(QKeyEvent* event) {
    if (singleLine_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore();  // the dialog's default button takes it
        return;
    }
    // The control's own clipboard keys, through the same clipboard as the menu.
    const bool writable = !isReadOnly();
    const bool selection = textCursor().hasSelection();
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        event->accept();
        if (selection) {
            copySelection(writable && event->matches(QKeySequence::Cut));
        }
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        if (writable) {
            pastePlainText();
        }
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CHexEditBox::insertFromMimeData(const QMimeData* source) {
    if (source != nullptr && source->hasText() && !isReadOnly()) {
        replaceSelection(source->text().toStdString());
    }
}
