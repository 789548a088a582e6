// The caret and the range selection of a view: keys, mouse and the caret
// shown by the native window.
#include <algorithm>

#include "display/CHexPanel.h"
#include "display/CaretNavigator.h"

namespace {

// Virtual-key codes of the caret keys.
namespace vk {
constexpr std::uint32_t PageUp = 0x21;
constexpr std::uint32_t PageDown = 0x22;
constexpr std::uint32_t End = 0x23;
constexpr std::uint32_t Home = 0x24;
constexpr std::uint32_t Left = 0x25;
constexpr std::uint32_t Up = 0x26;
constexpr std::uint32_t Right = 0x27;
constexpr std::uint32_t Down = 0x28;
constexpr std::uint32_t F8 = 0x77;
constexpr std::uint32_t A = 'A';
constexpr std::uint32_t L = 'L';
}  // namespace vk

}  // namespace

std::uint64_t CHexPanel::cellOffset(const CShowDataPanel& panel, std::uint64_t cell) const {
    return std::min(panel.cells().cellToByte(cell), state_.dataSize);
}

std::pair<CShowDataPanel*, std::uint64_t> CHexPanel::caret() {
    if (caretPanel_ == nullptr) {
        caretPanel_ = &hex_;
        caretNibble_ = 0;
    }
    return {caretPanel_, caretCell()};
}

std::uint64_t CHexPanel::caretCell() const {
    const CShowDataPanel& panel =
        caretPanel_ != nullptr ? *caretPanel_ : static_cast<const CShowDataPanel&>(hex_);
    const std::uint64_t cell = panel.cells().byteToCell(caretOffset_);
    return &panel == &hex_ && caretOffset_ < state_.dataSize
               ? cell + static_cast<std::uint64_t>(caretNibble_)
               : cell;
}

void CHexPanel::placeCaret(CShowDataPanel& panel, std::uint64_t cell) {
    caretPanel_ = &panel;
    caretOffset_ = cellOffset(panel, cell);
    // The low digit when the cell is the second of its byte.
    caretNibble_ = &panel == &hex_ && caretOffset_ < state_.dataSize &&
                           panel.cells().byteToCell(caretOffset_) + 1 == cell
                       ? 1
                       : 0;
    ensureLineVisible(caretCell() / static_cast<std::uint64_t>(panel.cells().cellsPerLine()));
    ensureCaretColumnVisible();
    showCaretAt();
    caretMoved();
}

void CHexPanel::gotoDigit(std::uint64_t offset, int nibble) {
    auto [panel, cell] = caret();
    (void)cell;
    offset = std::min(offset, state_.dataSize);
    placeCaret(*panel, panel->cells().byteToCell(offset) +
                           (panel == &hex_ && offset < state_.dataSize ? (nibble & 1) : 0));
}

void CHexPanel::ensureCaretColumnVisible() {
    if (caretPanel_ == nullptr || dragging_) {
        return;
    }
    const Dimension client =
        getNativeWindow() != nullptr ? getNativeWindow()->clientSize() : getSize();
    const CellGeometry cells = caretPanel_->cells();
    const ContentPoint point = caretPanel_->cellToPoint(cells.visibleCell(caretCell()));
    const int left = caretPanel_->getBounds().x + static_cast<int>(point.x);
    const int cw = state_.pixels.charWidth;
    // The caret's cell in panel-container x; the window shows
    // [scrollX + fixed columns, scrollX + client width).
    const int shownLeft = state_.scrollX + fixedColumnsRight();
    const int shownRight = state_.scrollX + client.width;
    if (left < shownLeft) {
        scrollToX(left - fixedColumnsRight());
    } else if (left + cw > shownRight) {
        scrollToX(left + cw - client.width + cw - 1);
    }
}

void CHexPanel::caretMoved() {
    const std::vector<CaretListener*> listeners = caretListeners_;
    for (CaretListener* listener : listeners) {
        listener->caretMoved(*this);
    }
}

void CHexPanel::addCaretListener(CaretListener* listener) {
    if (listener != nullptr && std::find(caretListeners_.begin(), caretListeners_.end(),
                                         listener) == caretListeners_.end()) {
        caretListeners_.push_back(listener);
    }
}

void CHexPanel::removeCaretListener(CaretListener* listener) {
    caretListeners_.erase(std::remove(caretListeners_.begin(), caretListeners_.end(), listener),
                          caretListeners_.end());
}

void CHexPanel::ensureLineVisible(std::uint64_t line) {
    const std::int64_t whole = state_.wholeLines();
    const auto target = static_cast<std::int64_t>(line);
    if (target < state_.firstLine) {
        scrollToLine(target);
    } else if (target >= state_.firstLine + whole) {
        scrollToLine(target - whole + 1);
    }
}

void CHexPanel::showCaretAt() {
    NativeWindow* window = getNativeWindow();
    if (window == nullptr || caretPanel_ == nullptr) {
        return;
    }
    const CellGeometry cells = caretPanel_->cells();
    const ContentPoint point = caretPanel_->cellToPoint(cells.visibleCell(caretCell()));
    const int x = caretPanel_->getBounds().x - state_.scrollX + static_cast<int>(point.x);
    // Under the fixed address column after horizontal scrolling the caret goes off-screen.
    const int hexX = hex_.getBounds().x - state_.scrollX;
    // Off-screen as well when its line is scrolled away above or below.
    const bool hidden =
        x < std::max(hexX, state_.shown.address ? border_.getBounds().right() : 0) ||
        point.y < state_.headerHeight || point.y >= state_.clientHeight || dragging_;
    window->setCaretPosition(hidden ? 32767 : x, hidden ? 32767 : static_cast<int>(point.y));
    repaintClient(false);
}

void CHexPanel::clearSelection() {
    if (selection_.clear()) {
        repaintClient(false);
    }
}

void CHexPanel::gotoOffset(std::uint64_t offset) {
    gotoDigit(offset, 0);
}

void CHexPanel::selectAll() {
    selection_.anchorRange(0, state_.dataSize);
    gotoOffset(state_.dataSize);
}

std::pair<std::uint64_t, std::uint64_t> CHexPanel::lineBytes(std::uint64_t line) const {
    const auto width = static_cast<std::uint64_t>(state_.presentation.lineWidth());
    const auto indent = static_cast<std::uint64_t>(state_.presentation.indent());
    const std::uint64_t start = std::min(state_.dataSize, line == 0 ? 0 : line * width - indent);
    return {start, std::min(state_.dataSize, (line + 1) * width - indent)};
}

void CHexPanel::selectLine() {
    const auto [start, end] = lineBytes(lineOf(caretOffset_));
    selection_.anchorRange(start, end);
    gotoOffset(end);
}

void CHexPanel::jumpToOffset(std::uint64_t offset) {
    offset = std::min(offset, state_.dataSize);
    const auto line = static_cast<std::int64_t>(hex_.cells().offsetToColumnLine(offset).line);
    const bool visible =
        line >= state_.firstLine && line < state_.firstLine + state_.visibleLines();
    if (!visible) {
        // Two lines above the target stay in view where there are two.
        scrollToLine(line >= 3 ? line - 2 : line);
    }
    clearSelection();
    gotoOffset(offset);
}

void CHexPanel::jumpToLine(std::uint64_t line) {
    const auto [start, end] = lineBytes(line);
    jumpToOffset(start);
    if (end > start) {
        // The caret stays on the line's first byte; the far end anchors.
        selection_.anchorRange(end, start);
        repaintClient(false);
    }
}

void CHexPanel::selectRange(std::uint64_t start, std::uint64_t end) {
    start = std::min(start, state_.dataSize);
    end = std::min(end, state_.dataSize);
    if (start == end) {
        clearSelection();
        return;
    }
    selection_.anchorRange(start, end);
    gotoOffset(end);
}

void CHexPanel::selectMatch(std::uint64_t offset, std::uint64_t length) {
    offset = std::min(offset, state_.dataSize);
    const std::uint64_t end = std::min(offset + length, state_.dataSize);
    clearSelection();
    gotoOffset(offset);
    if (end > offset) {
        selection_.anchorRange(end, offset);  // the far end anchors, the caret stays at the start
        repaintClient(false);
    }
}

void CHexPanel::setColumnBlock(std::uint64_t firstLine, std::uint64_t lastLine, int firstColumn,
                               int lastColumn) {
    if (state_.dataSize == 0) {
        return;
    }
    selection_.startBlock({static_cast<std::int64_t>(firstLine), firstColumn});
    setBlockCorner(static_cast<std::int64_t>(lastLine), lastColumn);
}

// Moves the caret (or the selection's end) to `offset`; a plain move clears
// the selection, the first extending move only anchors it.
void CHexPanel::moveTo(std::uint64_t offset, bool extend) {
    offset = std::min(offset, state_.dataSize);
    if (!extend) {
        clearSelection();
        gotoOffset(offset);
        return;
    }
    if (!selection_.anchor()) {
        selection_.anchorRange(caretOffset_, caretOffset_);
        return;
    }
    // The caret stands on the start of the unit that holds the new end (units
    // start again on every line, so the cells tell where).
    selection_.extendRange(offset);
    const CellGeometry cells = hex_.cells();
    gotoOffset(std::min(cells.cellToByte(cells.unitStartCell(cells.byteToCell(offset))), offset));
    repaintClient(false);
}

void CHexPanel::setBlockCorner(std::int64_t line, std::int64_t column) {
    gotoOffset(selection_.moveBlockCorner({line, column}, hex_.cells()));
    repaintClient(false);
}

void CHexPanel::toggleColumnBlock() {
    const CellGeometry cells = hex_.cells();
    if (selection_.isBlock()) {
        clearSelection();
        return;
    }
    if (state_.dataSize == 0) {
        return;  // no line to hold a block
    }
    CellGeometry::ColumnLine from = cells.offsetToColumnLine(caretOffset_);
    CellGeometry::ColumnLine to = from;
    if (const auto range = selection_.range()) {
        from = cells.offsetToColumnLine(range->first);
        to = cells.offsetToColumnLine(range->second);
    }
    selection_.startBlock({static_cast<std::int64_t>(from.line), from.column});
    setBlockCorner(static_cast<std::int64_t>(to.line), to.column);
}

bool CHexPanel::extendBlock(std::uint32_t key, bool control) {
    const std::int64_t page = state_.wholeLines();
    const auto lines = static_cast<std::int64_t>(hex_.cells().lineCount());
    switch (key) {
        case vk::Left:
            setBlockCorner(selection_.blockCorner().line, selection_.blockCorner().column - 1);
            return true;
        case vk::Right:
            setBlockCorner(selection_.blockCorner().line, selection_.blockCorner().column + 1);
            return true;
        case vk::Up:
            setBlockCorner(selection_.blockCorner().line - 1, selection_.blockCorner().column);
            return true;
        case vk::Down:
            setBlockCorner(selection_.blockCorner().line + 1, selection_.blockCorner().column);
            return true;
        case vk::Home:
            if (control) {
                setBlockCorner(0, selection_.blockCorner().column);
            } else {
                setBlockCorner(selection_.blockCorner().line, 0);
            }
            return true;
        case vk::End:
            if (control) {
                setBlockCorner(lines - 1, selection_.blockCorner().column);
            } else {
                setBlockCorner(selection_.blockCorner().line, hex_.cells().unitsPerLine() - 1);
            }
            return true;
        case vk::PageDown:
            setBlockCorner(selection_.blockCorner().line + page, selection_.blockCorner().column);
            return true;
        case vk::PageUp:
            setBlockCorner(selection_.blockCorner().line - page, selection_.blockCorner().column);
            return true;
        default:
            return false;
    }
}

std::uint64_t CHexPanel::selectionLength() const {
    return selection_.length(state_.presentation);
}

bool CHexPanel::handleCaretKey(std::uint32_t key, bool shift, bool control) {
    if (!state_.attached) {
        return false;
    }
    if (control && shift && key == vk::F8) {
        toggleColumnBlock();
        return true;
    }
    // Any key extends a column block while one exists.
    if (selection_.isBlock() && extendBlock(key, control)) {
        return true;
    }
    if (control && key == vk::A) {
        selectAll();
        return true;
    }
    if (control && key == vk::L) {
        selectLine();
        return true;
    }
    switch (key) {
        case vk::Left:
        case vk::Right:
        case vk::Up:
        case vk::Down:
        case vk::Home:
        case vk::End:
        case vk::PageUp:
        case vk::PageDown:
            break;
        default:
            return false;
    }
    auto [panel, cell] = caret();
    (void)cell;
    const KeyMove move =
        CaretNavigator(panel->cells(), state_.wholeLines())
            .press(key, shift, control, {caretOffset_, caretNibble_}, selection_.movingEnd());
    if (move.scrollLines != 0) {
        scrollByLines(move.scrollLines);
    }
    if (move.kind == KeyMove::Kind::Move) {
        clearSelection();
        gotoDigit(move.caret.offset, move.caret.nibble);
    } else if (move.kind == KeyMove::Kind::Extend) {
        moveTo(move.end, true);
    }
    if (move.sideways == KeyMove::Sideways::FullLeft) {
        scrollToX(0);
    } else if (move.sideways == KeyMove::Sideways::FullRight) {
        scrollToX(maxScrollX());
    }
    return true;
}

void CHexPanel::processKeyEvent(KeyEvent& event) {
    NativeContainer::processKeyEvent(event);
    // The modifiers come with the key data: bit 0 Shift, bit 1 Control, bit 2 Alt.
    const std::uint32_t keys = event.getKeyData();
    if (event.getId() == eventid::KeyTyped && (keys & 6u) == 0) {
        editor_.typeKey(event.getKeyCode());
        return;
    }
    if (event.getId() != eventid::KeyPressed) {
        return;
    }
    if ((keys & 4u) != 0 && event.getKeyCode() != vk::A && event.getKeyCode() != vk::L) {
        return;  // with Alt only Ctrl+A and Ctrl+L act
    }
    handleCaretKey(event.getKeyCode(), (keys & 1u) != 0, (keys & 2u) != 0);
}

void CHexPanel::processFocusEvent(FocusEvent& event) {
    NativeContainer::processFocusEvent(event);
    NativeWindow* window = getNativeWindow();
    if (window == nullptr) {
        return;
    }
    focused_ = event.getId() == eventid::FocusGained;
    if (focused_) {
        window->createCaret(state_.pixels.charWidth, state_.pixels.lineHeight);
        caret();
        showCaretAt();
        window->showCaret(true);
    } else {
        window->destroyCaret();
    }
}

void CHexPanel::dataPanelMouse(CShowDataPanel& panel, MouseEvent& event) {
    if (!state_.attached) {
        return;
    }
    const CellGeometry cells = panel.cells();
    const std::int64_t pointed = panel.pointToCell(event.getX(), event.getY());
    const std::uint64_t endCell = cells.byteToCell(state_.dataSize);
    switch (event.getId()) {
        case eventid::PopupTrigger:
            if (menuRequester_) {
                menuRequester_(Menu::Data, panel.getBounds().x - state_.scrollX + event.getX(),
                               event.getY());
            }
            break;
        case eventid::MousePressed: {
            if ((event.getModifiers() & modifier::LeftButton) == 0) {
                return;  // the right button is for the menu
            }
            if (&panel != caretPanel_ || selection_.isRange()) {
                clearSelection();
            }
            if (pointed < 0 || static_cast<std::uint64_t>(pointed) > endCell) {
                return;
            }
            const std::uint64_t offset =
                cellOffset(panel, cells.unitStartCell(static_cast<std::uint64_t>(pointed)));
            placeCaret(panel, cells.byteToCell(offset));
            if (selection_.isBlock()) {
                return;  // the column block stays; only the caret moves
            }
            dragging_ = true;
            dragPanel_ = nullptr;
            if (dragTimer_) {
                dragTimer_(true);
            }
            setMouseGrab(&panel);
            if (event.isAltDown() && offset < state_.dataSize) {
                // Alt starts a column block at the pointer's unit column and line.
                const CellGeometry::ColumnLine at = cells.offsetToColumnLine(offset);
                selection_.startBlock({static_cast<std::int64_t>(at.line), at.column});
                setBlockCorner(static_cast<std::int64_t>(at.line), at.column);
                break;
            }
            selection_.anchorRange(offset, offset);
            break;
        }
        case eventid::MouseDragged: {
            if (dragging_) {
                dragPanel_ = &panel;
                dragX_ = event.getX();
                dragY_ = event.getY();
                if (dragScrollStep()) {
                    return;  // outside the visible data: scrolled toward the pointer
                }
            }
            if (dragging_ && selection_.isBlock() && pointed >= 0) {
                const auto perLine = static_cast<std::uint64_t>(cells.cellsPerLine());
                const auto perUnit = static_cast<std::uint64_t>(cells.cellsPerUnit());
                const auto at = static_cast<std::uint64_t>(pointed);
                setBlockCorner(static_cast<std::int64_t>(at / perLine),
                               static_cast<std::int64_t>(at % perLine / perUnit));
                return;
            }
            if (!dragging_ || !selection_.anchor() || pointed < 0) {
                return;
            }
            // To the nearest unit boundary.
            const std::uint64_t half = static_cast<std::uint64_t>(cells.cellsPerUnit()) / 2;
            const std::uint64_t rounded =
                cells.unitStartCell(static_cast<std::uint64_t>(pointed) + half);
            const std::uint64_t offset = cellOffset(panel, rounded);
            selection_.extendRange(offset);
            caretPanel_ = &panel;
            caretNibble_ = 0;
            caretOffset_ = offset;
            ensureLineVisible(caretCell() / static_cast<std::uint64_t>(cells.cellsPerLine()));
            repaintClient(false);
            caretMoved();
            break;
        }
        case eventid::MouseReleased: {
            endSelection();
            showCaretAt();
            break;
        }
        case eventid::MouseDoubleClicked: {
            if (state_.shown.header && event.getY() < state_.headerHeight) {
                toggleAddressBase();  // the header band over a data panel
                return;
            }
            if (panel.kind() != CellGeometry::Panel::Hex || pointed < 0 ||
                static_cast<std::uint64_t>(pointed) >= endCell) {
                return;
            }
            // The data unit under the pointer, the caret after it.
            const auto unit = static_cast<std::uint64_t>(state_.presentation.unit());
            const std::uint64_t start =
                cellOffset(panel, cells.unitStartCell(static_cast<std::uint64_t>(pointed)));
            const auto width = static_cast<std::uint64_t>(state_.presentation.lineWidth());
            const auto indent = static_cast<std::uint64_t>(state_.presentation.indent());
            const std::uint64_t lineEnd = width * ((start + indent) / width + 1) - indent;
            const std::uint64_t end = std::min({start + unit, lineEnd, state_.dataSize});
            selection_.anchorRange(start, end);
            placeCaret(panel, cells.byteToCell(end));
            dragging_ = false;
            break;
        }
        default:
            break;
    }
}

// -------------------------------------------------------------- drag scroll

CHexPanel::DragOutside CHexPanel::dragOutside() {
    DragOutside outside;
    if (dragPanel_ == nullptr) {
        return outside;
    }
    const Dimension client =
        getNativeWindow() != nullptr ? getNativeWindow()->clientSize() : getSize();
    const int windowX = dragPanel_->getBounds().x - state_.scrollX + dragX_;
    if (windowX < fixedColumnsRight()) {
        outside.horizontal = -1;
    } else if (windowX >= client.width) {
        outside.horizontal = 1;
    }
    if (dragY_ < state_.headerHeight + state_.pixels.top) {
        outside.vertical = -1;
    } else if (dragY_ >= client.height - state_.pixels.bottom) {
        outside.vertical = 1;
    }
    return outside;
}

bool CHexPanel::dragScrollStep() {
    const DragOutside outside = dragOutside();
    if (outside.horizontal == 0 && outside.vertical == 0) {
        return false;
    }
    if (outside.horizontal != 0) {
        scrollToX(state_.scrollX + outside.horizontal * 10 * state_.pixels.charWidth);
    }
    if (outside.vertical == 0) {
        return true;
    }
    const CellGeometry cells = dragPanel_->cells();
    const std::int64_t window = std::max<std::int64_t>(1, state_.visibleLines());
    if (selection_.isBlock()) {
        std::int64_t column = selection_.blockCorner().column;
        if (outside.horizontal < 0) {
            column = 0;
        } else if (outside.horizontal > 0) {
            column = cells.unitsPerLine() - 1;
        } else if (dragX_ >= state_.pixels.left) {
            column = (dragX_ - state_.pixels.left) / state_.pixels.charWidth / cells.cellsPerUnit();
        }
        setBlockCorner(selection_.blockCorner().line + outside.vertical * window, column);
        ensureLineVisible(static_cast<std::uint64_t>(selection_.blockCorner().line));
        return true;
    }
    if (!selection_.anchor()) {
        return true;
    }
    // A range's end moves by one window of data toward the pointer.
    const auto bytes = window * state_.presentation.lineWidth();
    const std::int64_t end =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(caretOffset_) + outside.vertical * bytes,
                                 0, static_cast<std::int64_t>(state_.dataSize));
    const auto offset = static_cast<std::uint64_t>(end);
    selection_.extendRange(offset);
    caretPanel_ = dragPanel_;
    caretNibble_ = 0;
    caretOffset_ = offset;
    ensureLineVisible(caretCell() / static_cast<std::uint64_t>(cells.cellsPerLine()));
    repaintClient(false);
    caretMoved();
    return true;
}

void CHexPanel::dragTimerTick() {
    if (dragging_) {
        dragScrollStep();
    }
}

// ------------------------------------------------ the editor's hooks

CaretPlace CHexPanel::EditorHooks::editCaret() {
    panel_.caret();
    return {panel_.caretOffset_, panel_.caretNibble_};
}

bool CHexPanel::EditorHooks::caretInCharacters() const {
    return panel_.caretPanel_ == &panel_.char_;
}

void CHexPanel::EditorHooks::stepCaret() {
    panel_.handleCaretKey(vk::Right, false, false);
}

void CHexPanel::dataChanged(const DataChange&) {
    state_.dataSize = data_.getDataSize();
    caretOffset_ = std::min(caretOffset_, state_.dataSize);
    if (caretOffset_ == state_.dataSize) {
        caretNibble_ = 0;  // the end position has no digits
    }
    relayoutAndRepaint();
    showCaretAt();
    caretMoved();
}

// ------------------------------------------------ operations for other parts

void CHexPanel::gotoLine(std::uint64_t line) {
    const std::uint64_t lines = hex_.cells().lineCount();
    gotoOffset(lineBytes(std::min(line, lines == 0 ? 0 : lines - 1)).first);
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> CHexPanel::getSelection() const {
    return selection_.range();
}

std::optional<CHexPanel::ColumnBlock> CHexPanel::getColumnBlock(bool normalised) const {
    const Selection& s = state_.selection;
    if (s.kind != Selection::Kind::Block) {
        return std::nullopt;
    }
    if (normalised) {
        return ColumnBlock{static_cast<std::int64_t>(s.firstLine),
                           static_cast<std::int64_t>(s.lastLine), s.firstColumn, s.lastColumn};
    }
    const SelectionModel::Corner anchor = selection_.blockAnchor();
    const SelectionModel::Corner corner = selection_.blockCorner();
    return ColumnBlock{anchor.line, corner.line, anchor.column, corner.column};
}

std::optional<::ColumnBlock> CHexPanel::blockGeometry() const {
    return selection_.blockGeometry(state_.presentation);
}

void CHexPanel::beginSelection(std::uint64_t offset, bool noTimer, bool column,
                               CellGeometry::ColumnLine corner) {
    offset = std::min(offset, state_.dataSize);
    dragging_ = !noTimer;
    dragPanel_ = nullptr;
    if (dragging_ && dragTimer_) {
        dragTimer_(true);
    }
    if (column && state_.dataSize > 0) {
        const CellGeometry::ColumnLine at = hex_.cells().offsetToColumnLine(offset);
        selection_.startBlock({static_cast<std::int64_t>(at.line), at.column});
        setBlockCorner(static_cast<std::int64_t>(corner.line), corner.column);
        return;
    }
    selection_.anchorRange(offset, offset);
    gotoOffset(offset);
}

void CHexPanel::extendSelection(std::uint64_t offset, CellGeometry::ColumnLine corner) {
    if (selection_.isBlock()) {
        setBlockCorner(static_cast<std::int64_t>(corner.line), corner.column);
        return;
    }
    offset = std::min(offset, state_.dataSize);
    if (selection_.extendRange(offset)) {
        gotoOffset(offset);
    }
}

void CHexPanel::endSelection() {
    if (dragging_ && dragTimer_) {
        dragTimer_(false);
    }
    dragging_ = false;
    dragPanel_ = nullptr;
    if (selection_.isVoid(hex_.cells())) {
        clearSelection();
    }
}
