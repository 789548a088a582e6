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
    anchor_ = -1;
    if (state_.selection.kind != Selection::Kind::None) {
        state_.selection = {};
        repaintClient(false);
    }
}

void CHexPanel::gotoOffset(std::uint64_t offset) {
    gotoDigit(offset, 0);
}

void CHexPanel::selectAll() {
    anchor_ = 0;
    state_.selection = Selection::range(0, state_.dataSize);
    gotoOffset(state_.dataSize);
}

std::pair<std::uint64_t, std::uint64_t> CHexPanel::lineBytes(std::uint64_t line) const {
    const auto width = static_cast<std::uint64_t>(state_.presentation.lineWidth());
    const auto indent = static_cast<std::uint64_t>(state_.presentation.indent());
    const std::uint64_t start = std::min(state_.dataSize, line == 0 ? 0 : line * width - indent);
    return {start, std::min(state_.dataSize, (line + 1) * width - indent)};
}

void CHexPanel::selectLine() {
    const auto width = static_cast<std::uint64_t>(state_.presentation.lineWidth());
    const auto indent = static_cast<std::uint64_t>(state_.presentation.indent());
    const auto [start, end] = lineBytes((caretOffset_ + indent) / width);
    anchor_ = static_cast<std::int64_t>(start);
    state_.selection = Selection::range(start, end);
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
        anchor_ = static_cast<std::int64_t>(end);
        state_.selection = Selection::range(start, end);
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
    anchor_ = static_cast<std::int64_t>(start);
    state_.selection = Selection::range(start, end);
    gotoOffset(end);
}

void CHexPanel::setColumnBlock(std::uint64_t firstLine, std::uint64_t lastLine, int firstColumn,
                               int lastColumn) {
    if (state_.dataSize == 0) {
        return;
    }
    anchor_ = -1;
    block_.start({static_cast<std::int64_t>(firstLine), firstColumn});
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
    if (anchor_ < 0) {
        anchor_ = static_cast<std::int64_t>(caretOffset_);
        state_.selection = Selection::range(caretOffset_, caretOffset_);
        return;
    }
    // The caret stands on the start of the unit that holds the new end (units
    // start again on every line, so the cells tell where).
    state_.selection = Selection::range(static_cast<std::uint64_t>(anchor_), offset);
    const CellGeometry cells = hex_.cells();
    gotoOffset(std::min(cells.cellToByte(cells.unitStartCell(cells.byteToCell(offset))), offset));
    repaintClient(false);
}

void CHexPanel::setBlockCorner(std::int64_t line, std::int64_t column) {
    const std::uint64_t offset = block_.moveCorner({line, column}, hex_.cells());
    state_.selection = block_.selection();
    gotoOffset(offset);
    repaintClient(false);
}

void CHexPanel::toggleColumnBlock() {
    const CellGeometry cells = hex_.cells();
    if (state_.selection.kind == Selection::Kind::Block) {
        clearSelection();
        return;
    }
    if (state_.dataSize == 0) {
        return;  // no line to hold a block
    }
    CellGeometry::ColumnLine from = cells.offsetToColumnLine(caretOffset_);
    CellGeometry::ColumnLine to = from;
    if (state_.selection.kind == Selection::Kind::Range) {
        from = cells.offsetToColumnLine(state_.selection.start);
        to = cells.offsetToColumnLine(state_.selection.end);
    }
    anchor_ = -1;
    block_.start({static_cast<std::int64_t>(from.line), from.column});
    setBlockCorner(static_cast<std::int64_t>(to.line), to.column);
}

bool CHexPanel::extendBlock(std::uint32_t key, bool control) {
    const std::int64_t page = state_.wholeLines();
    const auto lines = static_cast<std::int64_t>(hex_.cells().lineCount());
    switch (key) {
        case vk::Left:
            setBlockCorner(block_.corner().line, block_.corner().column - 1);
            return true;
        case vk::Right:
            setBlockCorner(block_.corner().line, block_.corner().column + 1);
            return true;
        case vk::Up:
            setBlockCorner(block_.corner().line - 1, block_.corner().column);
            return true;
        case vk::Down:
            setBlockCorner(block_.corner().line + 1, block_.corner().column);
            return true;
        case vk::Home:
            if (control) {
                setBlockCorner(0, block_.corner().column);
            } else {
                setBlockCorner(block_.corner().line, 0);
            }
            return true;
        case vk::End:
            if (control) {
                setBlockCorner(lines - 1, block_.corner().column);
            } else {
                setBlockCorner(block_.corner().line, hex_.cells().unitsPerLine() - 1);
            }
            return true;
        case vk::PageDown:
            setBlockCorner(block_.corner().line + page, block_.corner().column);
            return true;
        case vk::PageUp:
            setBlockCorner(block_.corner().line - page, block_.corner().column);
            return true;
        default:
            return false;
    }
}

std::uint64_t CHexPanel::selectionLength() const {
    const Selection& s = state_.selection;
    if (s.kind == Selection::Kind::Range) {
        return s.end - s.start;
    }
    if (s.kind != Selection::Kind::Block) {
        return 0;
    }
    const std::int64_t unit = state_.presentation.unit();
    const std::int64_t width = state_.presentation.lineWidth();
    const std::int64_t bytes =
        std::min(unit * (s.lastColumn + 1) - 1, width - 1) - unit * s.firstColumn + 1;
    return (s.lastLine - s.firstLine + 1) *
           static_cast<std::uint64_t>(std::max<std::int64_t>(bytes, 0));
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
    if (state_.selection.kind == Selection::Kind::Block && extendBlock(key, control)) {
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
    const std::optional<std::uint64_t> rangeEnd =
        state_.selection.kind == Selection::Kind::Range && anchor_ >= 0
            ? std::optional(static_cast<std::uint64_t>(anchor_) == state_.selection.start
                                ? state_.selection.end
                                : state_.selection.start)
            : std::nullopt;
    const KeyMove move = CaretNavigator(panel->cells(), state_.wholeLines())
                             .press(key, shift, control, {caretOffset_, caretNibble_}, rangeEnd);
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
        typeKey(event.getKeyCode());
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
            if (&panel != caretPanel_ || state_.selection.kind == Selection::Kind::Range) {
                clearSelection();
            }
            if (pointed < 0 || static_cast<std::uint64_t>(pointed) > endCell) {
                return;
            }
            const std::uint64_t offset =
                cellOffset(panel, cells.unitStartCell(static_cast<std::uint64_t>(pointed)));
            placeCaret(panel, cells.byteToCell(offset));
            if (state_.selection.kind == Selection::Kind::Block) {
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
                anchor_ = -1;
                block_.start({static_cast<std::int64_t>(at.line), at.column});
                setBlockCorner(static_cast<std::int64_t>(at.line), at.column);
                break;
            }
            anchor_ = static_cast<std::int64_t>(offset);
            state_.selection = Selection::range(offset, offset);
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
            if (dragging_ && state_.selection.kind == Selection::Kind::Block && pointed >= 0) {
                const auto perLine = static_cast<std::uint64_t>(cells.cellsPerLine());
                const auto perUnit = static_cast<std::uint64_t>(cells.cellsPerUnit());
                const auto at = static_cast<std::uint64_t>(pointed);
                setBlockCorner(static_cast<std::int64_t>(at / perLine),
                               static_cast<std::int64_t>(at % perLine / perUnit));
                return;
            }
            if (!dragging_ || anchor_ < 0 || pointed < 0) {
                return;
            }
            // To the nearest unit boundary.
            const std::uint64_t half = static_cast<std::uint64_t>(cells.cellsPerUnit()) / 2;
            const std::uint64_t rounded =
                cells.unitStartCell(static_cast<std::uint64_t>(pointed) + half);
            const std::uint64_t offset = cellOffset(panel, rounded);
            state_.selection = Selection::range(static_cast<std::uint64_t>(anchor_), offset);
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
            anchor_ = static_cast<std::int64_t>(start);
            state_.selection = Selection::range(start, end);
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
    if (state_.selection.kind == Selection::Kind::Block) {
        std::int64_t column = block_.corner().column;
        if (outside.horizontal < 0) {
            column = 0;
        } else if (outside.horizontal > 0) {
            column = cells.unitsPerLine() - 1;
        } else if (dragX_ >= state_.pixels.left) {
            column = (dragX_ - state_.pixels.left) / state_.pixels.charWidth / cells.cellsPerUnit();
        }
        setBlockCorner(block_.corner().line + outside.vertical * window, column);
        ensureLineVisible(static_cast<std::uint64_t>(block_.corner().line));
        return true;
    }
    if (anchor_ < 0) {
        return true;
    }
    // A range's end moves by one window of data toward the pointer.
    const auto bytes = window * state_.presentation.lineWidth();
    const std::int64_t end =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(caretOffset_) + outside.vertical * bytes,
                                 0, static_cast<std::int64_t>(state_.dataSize));
    const auto offset = static_cast<std::uint64_t>(end);
    state_.selection = Selection::range(static_cast<std::uint64_t>(anchor_), offset);
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

// ------------------------------------------------ operations for other parts

void CHexPanel::gotoLine(std::uint64_t line) {
    const std::uint64_t lines = hex_.cells().lineCount();
    gotoOffset(lineBytes(std::min(line, lines == 0 ? 0 : lines - 1)).first);
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> CHexPanel::getSelection() const {
    if (state_.selection.kind != Selection::Kind::Range) {
        return std::nullopt;
    }
    return std::pair{state_.selection.start, state_.selection.end};
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
    return ColumnBlock{block_.anchor().line, block_.corner().line, block_.anchor().column,
                       block_.corner().column};
}

std::optional<::ColumnBlock> CHexPanel::blockGeometry() const {
    const Selection& s = state_.selection;
    if (s.kind != Selection::Kind::Block) {
        return std::nullopt;
    }
    const int unit = state_.presentation.unit();
    const int width = state_.presentation.lineWidth();
    ::ColumnBlock block;
    block.lineWidth = width;
    block.indent = state_.presentation.indent();
    block.firstLine = static_cast<std::int32_t>(s.firstLine);
    block.lastLine = static_cast<std::int32_t>(s.lastLine);
    block.firstColumn = s.firstColumn * unit;
    block.lastColumn = std::min((s.lastColumn + 1) * unit - 1, width - 1);
    block.count = selectionLength();
    return block;
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
        anchor_ = -1;
        block_.start({static_cast<std::int64_t>(at.line), at.column});
        setBlockCorner(static_cast<std::int64_t>(corner.line), corner.column);
        return;
    }
    anchor_ = static_cast<std::int64_t>(offset);
    state_.selection = Selection::range(offset, offset);
    gotoOffset(offset);
}

void CHexPanel::extendSelection(std::uint64_t offset, CellGeometry::ColumnLine corner) {
    if (state_.selection.kind == Selection::Kind::Block) {
        setBlockCorner(static_cast<std::int64_t>(corner.line), corner.column);
        return;
    }
    if (anchor_ < 0) {
        return;
    }
    offset = std::min(offset, state_.dataSize);
    state_.selection = Selection::range(static_cast<std::uint64_t>(anchor_), offset);
    gotoOffset(offset);
}

void CHexPanel::endSelection() {
    if (dragging_ && dragTimer_) {
        dragTimer_(false);
    }
    dragging_ = false;
    dragPanel_ = nullptr;
    const Selection& s = state_.selection;
    if ((s.kind == Selection::Kind::Range && s.start == s.end) ||
        (s.kind == Selection::Kind::Block &&
         !hex_.cells().isValidBlock(s.firstLine, s.lastLine, s.firstColumn, s.lastColumn))) {
        clearSelection();
    }
}
