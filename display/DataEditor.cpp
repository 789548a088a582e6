#include <algorithm>
#include <chrono>
#include <new>
#include <random>

#include "display/DataEditor.h"
#include "editdata/CEditAction.h"
#include "platform/Clipboard.h"
#include "settings/CSettings.h"

bool DataEditor::isEditable() const {
    return state_.attached && !data_.isReadOnly();
}

bool DataEditor::canPaste() const {
    return isEditable() && clipboard_ != nullptr && isPasteAvailable(*clipboard_);
}

bool DataEditor::canSwapData() const {
    return isEditable() && state_.presentation.unit() >= 2;
}

bool DataEditor::canToggleReadOnly() const {
    return state_.attached && (data_.accessMode() & kGenericWrite) != 0 && !heldReadOnly_;
}

void DataEditor::holdReadOnly(bool hold) {
    if (hold && !heldReadOnly_) {
        heldReadOnly_ = data_.isReadOnly();
        data_.setReadOnly(true);
    } else if (!hold && heldReadOnly_) {
        data_.setReadOnly(*heldReadOnly_);
        heldReadOnly_.reset();
    }
    view_.stateChanged();
}

void DataEditor::toggleReadOnly() {
    if (canToggleReadOnly()) {
        data_.setReadOnly(!data_.isReadOnly());
        view_.stateChanged();  // the status bar shows it
    }
}

std::uint64_t DataEditor::maxCopySize() const {
    return static_cast<std::uint64_t>(settings_.get(settings::edit::MaxCopySize));
}

// ------------------------------------------------------------ delete

bool DataEditor::deleteSelection() {
    if (!isEditable()) {
        return false;
    }
    if (const auto range = selection_.range()) {
        view_.moveCaretTo(range->first);
        if (!data_.deleteData(range->second - range->first, range->first, true)) {
            return false;
        }
    } else if (const auto block = selection_.blockGeometry(state_.presentation)) {
        view_.moveCaretTo(selectionExtent()->first);
        if (!data_.deleteBlock(*block, true)) {
            return false;
        }
    } else {
        return true;  // nothing selected: nothing to do
    }
    view_.clearSelection();
    return true;
}

// A change at the caret first deletes the selection; the deletion, when it
// was recorded as one action, is taken off the history to be linked to the
// change, so that one undo restores both.
DataEditor::Replacement DataEditor::replaceSelection() {
    Replacement replacement;
    if (selection_.isEmpty()) {
        return replacement;
    }
    const std::uint64_t before = data_.recordedCount();
    if (!deleteSelection()) {
        replacement.ok = false;
        return replacement;
    }
    replacement.deletion.take(data_, before);
    return replacement;
}

// ------------------------------------------------------------ typing

bool DataEditor::typeByte(const std::function<std::uint8_t(std::uint8_t, int)>& change) {
    if (!isEditable() || state_.dataSize == 0) {
        return false;
    }
    // A selection that reaches the end leaves no byte to type over: refused
    // before anything is deleted.
    if (const auto extent = selectionExtent();
        extent && extent->first + extent->second >= state_.dataSize) {
        return false;
    }
    Replacement replacement = replaceSelection();
    if (!replacement.ok) {
        return false;
    }
    const CaretPlace caret = view_.editCaret();
    const std::uint64_t offset = caret.offset;
    std::uint8_t byte = 0;
    if (!data_.readByte(byte, offset)) {
        replacement.deletion.abandon(data_);
        return false;
    }
    byte = change(byte, caret.nibble);
    const std::uint64_t before = data_.recordedCount();
    if (!data_.writeByte(byte, offset, true)) {
        replacement.deletion.abandon(data_);
        return false;
    }
    replacement.deletion.keepWith(data_, before);
    view_.stepCaret();
    return true;
}

bool DataEditor::typeCharacter(std::uint8_t code) {
    return typeByte([code](std::uint8_t, int) { return code; });
}

bool DataEditor::typeHexDigit(int value) {
    if (value < 0 || value > 15) {
        return false;
    }
    return typeByte([value](std::uint8_t old, int caretNibble) {
        const auto digit = static_cast<std::uint8_t>(value);
        return caretNibble == 1 ? static_cast<std::uint8_t>((old & 0xF0) | digit)
                                : static_cast<std::uint8_t>((old & 0x0F) | (digit << 4));
    });
}

void DataEditor::typeKey(std::uint32_t code) {
    if (code > 0xFF) {
        return;
    }
    view_.editCaret();
    if (view_.caretInCharacters()) {
        typeCharacter(static_cast<std::uint8_t>(code));
        return;
    }
    const char c = static_cast<char>(code);
    if (c >= '0' && c <= '9') {
        typeHexDigit(c - '0');
    } else if (c >= 'a' && c <= 'f') {
        typeHexDigit(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
        typeHexDigit(c - 'A' + 10);
    }
}

// ------------------------------------------------------------ copy

CopyResult DataEditor::copySelection() {
    if (!state_.attached || clipboard_ == nullptr) {
        return CopyResult::Unavailable;
    }
    try {
        return copyToClipboard();
    } catch (const std::bad_alloc&) {
        return CopyResult::NoMemory;  // "Max Copy Size" raised past what memory holds
    }
}

CopyResult DataEditor::copyToClipboard() {
    const std::uint32_t start = state_.presentation.dataStartAddress();
    if (const auto range = selection_.range()) {
        return copyRange(data_, *clipboard_, range->first, range->second, start, maxCopySize());
    }
    if (const auto block = selection_.blockGeometry(state_.presentation)) {
        return copyBlock(data_, *clipboard_, *block, start, maxCopySize());
    }
    return CopyResult::Unavailable;
}

CopyResult DataEditor::copySelectionAsHexText(const HexItemForm& form) {
    if (!state_.attached || clipboard_ == nullptr) {
        return CopyResult::Unavailable;
    }
    try {
        return copyAsHexText(form);
    } catch (const std::bad_alloc&) {
        return CopyResult::NoMemory;
    }
}

CopyResult DataEditor::copyAsHexText(const HexItemForm& form) {
    if (const auto range = selection_.range()) {
        return copyRangeAsHexText(data_, *clipboard_, range->first, range->second, form,
                                  maxCopySize());
    }
    if (const auto block = selection_.blockGeometry(state_.presentation)) {
        return copyBlockAsHexText(data_, *clipboard_, *block, form, maxCopySize());
    }
    return CopyResult::Unavailable;
}

// ------------------------------------------------------------ paste

PasteTarget DataEditor::pasteTarget(std::uint64_t offset) const {
    const CPresentation& p = state_.presentation;
    return {offset, p.lineWidth(), p.indent(), p.unit()};
}

std::uint64_t DataEditor::pointOffset(EditPoint point, std::uint64_t offset) {
    switch (point) {
        case EditPoint::Caret:
            return view_.editCaret().offset;
        case EditPoint::Beginning:
            return 0;
        case EditPoint::End:
            return state_.dataSize;
        case EditPoint::Offset:
            break;
    }
    return offset;
}

bool DataEditor::pasteAt(EditPoint point, std::uint64_t offset) {
    return putClipboard(point, offset, false);
}

bool DataEditor::overwriteAt(EditPoint point, std::uint64_t offset) {
    return putClipboard(point, offset, true);
}

bool DataEditor::overwriteFits(EditPoint point, std::uint64_t offset) const {
    if (clipboard_ == nullptr) {
        return true;
    }
    const std::optional<ClipboardItem> item = peekClipboardItem(*clipboard_);
    if (!item || item->kind == ClipboardItem::Kind::HexBlock) {
        return true;
    }
    const std::uint64_t size = state_.dataSize;
    switch (point) {
        case EditPoint::End:
            return item->size <= size;
        case EditPoint::Beginning:
            return item->size <= size;
        case EditPoint::Offset:
            return offset <= size && item->size <= size - offset;
        case EditPoint::Caret:
            break;
    }
    std::uint64_t at = view_.editCaret().offset;
    std::uint64_t remaining = size;
    if (const auto extent = selectionExtent()) {
        at = extent->first;
        remaining -= std::min(extent->second, remaining);
    }
    return at <= remaining && item->size <= remaining - at;
}

bool DataEditor::putClipboard(EditPoint point, std::uint64_t offset, bool overwrite) {
    if (!canPaste()) {
        return false;
    }
    const std::optional<ClipboardItem> item = peekClipboardItem(*clipboard_);
    if (!item || item->size == 0 || (point == EditPoint::Offset && offset > state_.dataSize)) {
        return false;  // nothing to paste, or nowhere to put it
    }
    Replacement replacement;
    if (point == EditPoint::Caret) {
        view_.editCaret();
        // Bytes that would not fit once the selection is gone are refused
        // before anything is deleted.
        const auto extent = selectionExtent();
        if (overwrite && extent && item->kind != ClipboardItem::Kind::HexBlock) {
            const std::uint64_t remaining =
                state_.dataSize - std::min(extent->second, state_.dataSize);
            if (item->size > remaining - std::min(extent->first, remaining)) {
                return false;
            }
        }
        replacement = replaceSelection();
        if (!replacement.ok) {
            return false;
        }
    } else {
        view_.clearSelection();
    }
    const std::uint64_t before = data_.recordedCount();
    const PasteTarget target = pasteTarget(pointOffset(point, offset));
    const bool done =
        overwrite ? pasteOverwrite(data_, *clipboard_, target, point == EditPoint::End, true)
                  : pasteInsert(data_, *clipboard_, target, true);
    if (!done) {
        replacement.deletion.abandon(data_);
        return false;
    }
    replacement.deletion.keepWith(data_, before);
    view_.clearSelection();
    return true;
}

// ------------------------------------------------------------ adjust data

DataEditor::SizeChange DataEditor::setDataSize(std::uint64_t size) {
    if (!isEditable()) {
        return SizeChange::Failed;
    }
    const std::uint64_t current = state_.dataSize;
    if (size == current) {
        return SizeChange::Unchanged;
    }
    if (size > current) {
        const std::uint64_t growth = size - current;
        if (growth > settings_.maxDirectEditSize()) {
            return SizeChange::TooLarge;
        }
        std::vector<std::uint8_t> zeros;
        try {
            zeros.assign(growth, 0);
        } catch (const std::bad_alloc&) {
            return SizeChange::CannotExpand;
        }
        if (!data_.insertData(zeros.data(), growth, current, true)) {
            return SizeChange::Failed;
        }
    } else {
        view_.clearSelection();
        if (!data_.deleteData(current - size, size, true)) {
            return SizeChange::Failed;
        }
    }
    return SizeChange::Done;
}

bool DataEditor::modifyData(const ModifyDataRequest& request) {
    if (!isEditable() || request.length == 0 || request.offset > state_.dataSize) {
        return false;
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes.assign(request.length, request.initialByte);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Seeded anew at every run, one number per byte.
    std::mt19937 generator(
        static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    const auto value = [&]() -> std::uint8_t {
        return request.random ? static_cast<std::uint8_t>(generator() & 0xFF) : request.initialByte;
    };
    bool changed = false;
    if (request.insert) {
        applyModifyOperation(bytes, ModifyOperation::Copy, value);
        view_.clearSelection();
        changed = data_.insertData(bytes.data(), bytes.size(), request.offset, true);
    } else {
        std::uint64_t read = 0;
        if (request.length > state_.dataSize - request.offset ||
            !data_.readData(bytes.data(), request.length, read, request.offset) ||
            read != request.length) {
            return false;
        }
        applyModifyOperation(bytes, request.operation, value);
        changed = data_.overwriteData(bytes.data(), bytes.size(), request.offset, true);
    }
    return changed;
}

bool DataEditor::swapData(bool wholeData, bool alignLine) {
    if (!canSwapData()) {
        return false;
    }
    std::uint64_t start = 0;
    std::uint64_t end = state_.dataSize;
    if (!wholeData) {
        const auto range = selection_.range();
        if (!range) {
            return false;
        }
        start = range->first;
        end = range->second;
    }
    if (end <= start) {
        return false;
    }
    const CPresentation& p = state_.presentation;
    const int unit = p.unit();
    const int chunk = alignLine ? p.lineWidth() : (p.lineWidth() + unit - 1) / unit * unit;
    const int shift = alignLine ? p.indent() : 0;
    if (!data_.swapData(end - start, start, chunk, unit, shift, true)) {
        return false;
    }
    return true;
}
