#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "display/CaretNavigator.h"
#include "display/ModifyData.h"
#include "display/SelectionModel.h"
#include "display/ViewState.h"
#include "editdata/CEditData.h"
#include "editdata/LinkedDeletion.h"
#include "exchange/ClipboardExchange.h"
#include "exchange/HexTextCopy.h"

class CSettings;

namespace platform {
class Clipboard;
}

// What the editor asks of the view it edits in: the caret, and moving it.
class EditedView {
  public:
    virtual ~EditedView() = default;
    // Where the caret stands (placed at the start when it was nowhere yet).
    virtual CaretPlace editCaret() = 0;
    // Whether the caret is in the character panel (typing takes any code).
    virtual bool caretInCharacters() const = 0;
    virtual void moveCaretTo(std::uint64_t offset) = 0;
    // On to the next digit or character after a typed one.
    virtual void stepCaret() = 0;
    virtual void clearSelection() = 0;
    // The store's state changed in a way the status fields show.
    virtual void stateChanged() = 0;
};

// The editing commands of one view: typing, delete, copy, paste and
// overwrite at their points, the data size, Modify Data, Swap Data and the
// read-only switch. It changes the store; the store tells the view.
class DataEditor {
  public:
    DataEditor(CEditData& data, const ViewState& state, const SelectionModel& selection,
               const CSettings& settings, EditedView& view)
        : data_(data), state_(state), selection_(selection), settings_(settings), view_(view) {}
    DataEditor(const DataEditor&) = delete;
    DataEditor& operator=(const DataEditor&) = delete;

    // Where copies and pastes go; without one nothing is copied or pasted.
    void setClipboard(platform::Clipboard* clipboard) { clipboard_ = clipboard; }
    platform::Clipboard* clipboard() const { return clipboard_; }
    // "Max Copy Size", the limit of copies and of Modify Data.
    std::uint64_t maxCopySize() const;

    // A file is shown and its store is not read-only.
    bool isEditable() const;
    // Editable, and the clipboard holds something to paste.
    bool canPaste() const;
    // Editable and the data unit is at least two bytes.
    bool canSwapData() const;
    // The store was opened with write access.
    bool canToggleReadOnly() const;
    void toggleReadOnly();
    // While a Define Datamark window is shown its view takes no edits: the
    // store is held read-only, and given back as it was when the hold ends.
    void holdReadOnly(bool hold);
    bool readOnlyHeld() const { return heldReadOnly_.has_value(); }

    // Typing overwrites at the caret (after the selection, if any, is
    // deleted); each key is one "Typing" action and the caret moves on.
    bool typeCharacter(std::uint8_t code);
    // A typed character in the caret's panel: any code in the character
    // panel, a hexadecimal digit in the hex panel.
    void typeKey(std::uint32_t code);
    bool typeHexDigit(int value);
    bool deleteSelection();

    // The selection to the clipboard: a range as "Kestrane HEX-Data" with its
    // text, a block as "Kestrane HEX-Block"; or as hexadecimal text.
    CopyResult copySelection();
    CopyResult copySelectionAsHexText(const HexItemForm& form);

    enum class EditPoint { Caret, Beginning, End, Offset };
    // Paste inserts, overwrite overwrites the clipboard's content at the
    // point; at the caret the selection is replaced. `offset` is for EditPoint::Offset.
    bool pasteAt(EditPoint point, std::uint64_t offset = 0);
    bool overwriteAt(EditPoint point, std::uint64_t offset = 0);
    // Whether the clipboard's bytes fit in the data when they overwrite at
    // the point (at the caret, once the selection is gone); a column block
    // always fits, its rows are cut at the data's end.
    bool overwriteFits(EditPoint point, std::uint64_t offset = 0) const;

    enum class SizeChange { Done, Unchanged, TooLarge, CannotExpand, Failed };
    SizeChange setDataSize(std::uint64_t size);
    bool modifyData(const ModifyDataRequest& request);
    // Reverses the bytes of every data unit of the selection (a range) or of
    // all the data; with `alignLine` the units follow the display lines.
    bool swapData(bool wholeData, bool alignLine);

  private:
    // The store's own read-only state while a hold lasts.
    std::optional<bool> heldReadOnly_;
    struct Replacement {
        bool ok = true;
        LinkedDeletion deletion;  // linked to the change that follows
    };
    Replacement replaceSelection();
    // Types over the caret's byte: `change` makes the new byte from the old
    // one and the caret's digit.
    bool typeByte(const std::function<std::uint8_t(std::uint8_t, int nibble)>& change);
    PasteTarget pasteTarget(std::uint64_t offset) const;
    CopyResult copyToClipboard();
    CopyResult copyAsHexText(const HexItemForm& form);
    // Paste (insert) or overwrite the clipboard's content at the point.
    bool putClipboard(EditPoint point, std::uint64_t offset, bool overwrite);
    std::uint64_t pointOffset(EditPoint point, std::uint64_t offset);
    std::optional<std::pair<std::uint64_t, std::uint64_t>> selectionExtent() const {
        return selection_.extent(state_.presentation);
    }

    CEditData& data_;
    const ViewState& state_;
    const SelectionModel& selection_;
    const CSettings& settings_;
    EditedView& view_;
    platform::Clipboard* clipboard_ = nullptr;
};
