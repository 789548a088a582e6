#include "display/CHexShow.h"

#include <algorithm>

#include "display/DisplayTexts.h"
#include "framework/NativeContainer.h"
#include "platform/PrintfFormat.h"

KESTRANE_DEFINE_CLASS(CHexShow, Container, 1)
KESTRANE_DEFINE_CLASS(CShowDataPanel, CHexShow, 1)
KESTRANE_DEFINE_CLASS(CShowHexdata, CShowDataPanel, 1)
KESTRANE_DEFINE_CLASS(CShowChardata, CShowDataPanel, 1)
KESTRANE_DEFINE_CLASS(CShowAddrdata, CHexShow, 1)
KESTRANE_DEFINE_CLASS(CShowMarkdata, CHexShow, 1)
KESTRANE_DEFINE_CLASS(CShowBorder, CHexShow, 1)
KESTRANE_DEFINE_CLASS(CShowSizable, CHexShow, 1)

std::vector<CHexShow*> panelsInOrder(const ViewPanels& panels, const PanelsShown& shown) {
    std::vector<CHexShow*> order;
    if (shown.mark) {
        order.push_back(&panels.mark);
    }
    if (shown.address) {
        order.push_back(&panels.address);
        order.push_back(&panels.border);
    }
    order.push_back(&panels.hex);
    if (shown.character) {
        order.push_back(&panels.sizable);
        order.push_back(&panels.character);
    }
    return order;
}

void CHexShow::paint(Graphics& graphics) {
    graphics.fillRect({0, state_.headerHeight, width_, height_ - state_.headerHeight},
                      background());
    const int lineHeight = state_.pixels.lineHeight;
    if (!state_.attached || lineHeight <= 0 || state_.presentation.lineWidth() <= 0) {
        return;
    }
    const std::uint64_t lines = state_.lineCount();
    if (lines == 0 || state_.firstLine < 0) {
        return;
    }
    // Only the lines the clip box and the window show are formatted.
    const Rectangles clip = graphics.clipBox();
    const auto first = static_cast<std::uint64_t>(state_.firstLine);
    std::uint64_t last = first + static_cast<std::uint64_t>(state_.visibleLines());
    last = std::min(last, lines);
    graphics.setTransparentBackground(true);
    for (std::uint64_t line = first; line < last; ++line) {
        const auto y = static_cast<int>(state_.lineY(static_cast<std::int64_t>(line)));
        if (y + lineHeight <= clip.y || y >= clip.bottom()) {
            continue;
        }
        paintLine(graphics, line, y);
    }
    if (last > first) {
        paintOver(graphics, first, last - 1);
    }
}

// ------------------------------------------------------------ data panels

void CShowDataPanel::processMouseEvent(MouseEvent& event) {
    CHexShow::processMouseEvent(event);
    if (onMouse) {
        onMouse(*this, event);
    }
}

void CShowDataPanel::processMouseMotionEvent(MouseEvent& event) {
    if (onMouse) {
        onMouse(*this, event);
    }
}

int CShowDataPanel::getPreferredWidth() const {
    return cells().cellsPerLine() * state_.pixels.charWidth + 8 + 8;
}

ContentPoint CShowDataPanel::cellToPoint(std::uint64_t cell) const {
    const CellGeometry geometry = cells();
    const auto perLine = static_cast<std::uint64_t>(geometry.cellsPerLine());
    return {
        state_.pixels.left + static_cast<std::int64_t>(cell % perLine) * state_.pixels.charWidth,
        state_.lineY(static_cast<std::int64_t>(cell / perLine))};
}

std::int64_t CShowDataPanel::pointToCell(int x, int y) const {
    const int top = state_.headerHeight + state_.pixels.top;
    if (x < state_.pixels.left || y < top) {
        return -1;
    }
    const std::int64_t line = state_.firstLine + (y - top) / state_.pixels.lineHeight;
    const std::int64_t column = (x - state_.pixels.left) / state_.pixels.charWidth;
    return line * cells().cellsPerLine() +
           std::min<std::int64_t>(column, cells().cellsPerLine() - 1);
}

void CShowDataPanel::invertCells(Graphics& graphics, std::uint64_t line, std::uint64_t from,
                                 std::uint64_t to) {
    if (to <= from) {
        return;
    }
    const int cw = state_.pixels.charWidth;
    const auto y = static_cast<int>(state_.lineY(static_cast<std::int64_t>(line)));
    graphics.invertRect({state_.pixels.left + static_cast<int>(from) * cw, y,
                         static_cast<int>(to - from) * cw, state_.pixels.lineHeight},
                        state_.colors.selection);
}

void CShowDataPanel::paintOver(Graphics& graphics, std::uint64_t firstLine,
                               std::uint64_t lastLine) {
    if (state_.selection.kind == Selection::Kind::Range) {
        paintRangeSelection(graphics, firstLine, lastLine);
    } else if (state_.selection.kind == Selection::Kind::Block) {
        paintColumnSelection(graphics, firstLine, lastLine);
    }
}

void CShowDataPanel::paintRangeSelection(Graphics& graphics, std::uint64_t firstLine,
                                         std::uint64_t lastLine) {
    const Selection& selection = state_.selection;
    if (selection.end <= selection.start) {
        return;
    }
    const CellGeometry geometry = cells();
    const auto perLine = static_cast<std::uint64_t>(geometry.cellsPerLine());
    const auto used = static_cast<std::uint64_t>(geometry.usedCellsPerLine());
    const std::uint64_t firstCell = geometry.byteToCell(selection.start);
    // The last selected byte's cells, both digits in the hex panel.
    const std::uint64_t lastCell =
        geometry.byteToCell(selection.end - 1) + static_cast<std::uint64_t>(geometry.byteStep());
    const std::uint64_t top = std::max(firstCell / perLine, firstLine);
    const std::uint64_t bottom = std::min((lastCell - 1) / perLine, lastLine);
    for (std::uint64_t line = top; line <= bottom; ++line) {
        const std::uint64_t from = line == firstCell / perLine ? firstCell % perLine : 0;
        const std::uint64_t to =
            line == (lastCell - 1) / perLine ? (lastCell - 1) % perLine + 1 : used;
        invertCells(graphics, line, from, to);
    }
}

void CShowDataPanel::paintColumnSelection(Graphics& graphics, std::uint64_t firstLine,
                                          std::uint64_t lastLine) {
    const Selection& selection = state_.selection;
    const CellGeometry geometry = cells();
    const auto perUnit = static_cast<std::uint64_t>(geometry.cellsPerUnit());
    const std::uint64_t from = perUnit * static_cast<std::uint64_t>(selection.firstColumn);
    std::uint64_t to = perUnit * (static_cast<std::uint64_t>(selection.lastColumn) + 1);
    if (kind_ == CellGeometry::Panel::Hex) {
        to -= 1;  // not the separator after the last unit
    }
    to = std::min<std::uint64_t>(to, static_cast<std::uint64_t>(geometry.usedCellsPerLine()));
    for (std::uint64_t line = std::max(selection.firstLine, firstLine);
         line <= std::min(selection.lastLine, lastLine); ++line) {
        invertCells(graphics, line, from, to);
    }
}

void CShowHexdata::paintLine(Graphics& graphics, std::uint64_t line, int y) {
    ViewState::LineBytes bytes;
    if (!state_.lineBytes(line, bytes)) {
        return;
    }
    const int unit = state_.presentation.unit();
    graphics.setTextColor(state_.colors.hexText);
    graphics.cellTextOut(state_.pixels.left, y,
                         hexLineText(bytes.bytes, bytes.count, bytes.leading, unit),
                         state_.pixels.charWidth);
    if (bytes.mask != nullptr &&
        std::any_of(bytes.mask, bytes.mask + bytes.count, [](std::uint8_t m) { return m != 0; })) {
        graphics.setTextColor(state_.colors.modifiedText);
        graphics.cellTextOut(
            state_.pixels.left, y,
            hexModifiedText(bytes.bytes, bytes.mask, bytes.count, bytes.leading, unit),
            state_.pixels.charWidth);
    }
}

void CShowHexdata::paintHeader(Graphics& graphics, int height) {
    graphics.fillRect({0, 0, width_, height}, 0xFFFFFF);
    const CPresentation& p = state_.presentation;
    const int y = (height - state_.pixels.lineHeight) / 2;
    graphics.setTransparentBackground(true);
    graphics.setTextColor(state_.colors.addressText);
    graphics.cellTextOut(state_.pixels.left, y,
                         headerColumnsText(p.lineWidth(), p.indent(), p.unit(), p.hexAddresses()),
                         state_.pixels.charWidth);
    if (p.indent() > 0) {
        graphics.setTextColor(state_.colors.indentText);
        graphics.cellTextOut(
            state_.pixels.left, y,
            headerIndentText(p.lineWidth(), p.indent(), p.unit(), p.hexAddresses()),
            state_.pixels.charWidth);
    }
}

void CShowChardata::paintLine(Graphics& graphics, std::uint64_t line, int y) {
    ViewState::LineBytes bytes;
    if (!state_.lineBytes(line, bytes)) {
        return;
    }
    const char escape = state_.escapeChar;
    graphics.setTextColor(state_.colors.charText);
    graphics.cellTextOut(state_.pixels.left, y,
                         charLineText(bytes.bytes, bytes.count, bytes.leading, escape),
                         state_.pixels.charWidth);
    if (bytes.mask != nullptr &&
        std::any_of(bytes.mask, bytes.mask + bytes.count, [](std::uint8_t m) { return m != 0; })) {
        graphics.setTextColor(state_.colors.modifiedText);
        graphics.cellTextOut(
            state_.pixels.left, y,
            charModifiedText(bytes.bytes, bytes.mask, bytes.count, bytes.leading, escape),
            state_.pixels.charWidth);
    }
}

void CShowChardata::paintHeader(Graphics& graphics, int height) {
    graphics.fillRect({0, 0, width_, height}, 0xFFFFFF);
}

// ------------------------------------------------------------ side panels

void CShowAddrdata::paintLine(Graphics& graphics, std::uint64_t line, int y) {
    const std::uint64_t address =
        state_.presentation.dataStartAddress() +
        line * static_cast<std::uint64_t>(state_.presentation.lineWidth());
    graphics.setTextColor(state_.colors.addressText);
    graphics.cellTextOut(
        4, y, addressText(address, state_.presentation.hexAddresses(), state_.addressDigits()),
        state_.pixels.charWidth);
}

void CShowAddrdata::paintHeader(Graphics& graphics, int height) {
    graphics.fillRect({0, 0, width_, height}, state_.colors.addressBackground);
    const Dimension extent = graphics.textExtent("Offset");
    graphics.setTransparentBackground(true);
    graphics.setTextColor(state_.colors.addressText);
    graphics.textOut((width_ - extent.width) / 2, (height - extent.height) / 2, "Offset");
}

void CShowMarkdata::paintLine(Graphics& graphics, std::uint64_t line, int y) {
    const int lineHeight = state_.pixels.lineHeight;
    if (state_.linemarks.contains(line)) {
        graphics.roundRect({0, y + 1, width_, lineHeight - 2}, width_ / 3, (lineHeight - 2) / 3,
                           state_.colors.linemarkFill, state_.colors.linemarkFill);
    }
    const int pageHeight = state_.presentation.pageHeight();
    if (state_.shown.pageTips && pageHeight > 0 &&
        line % static_cast<std::uint64_t>(pageHeight) == 0) {
        graphics.drawImage(
            viewimage::kPageMark,
            {(width_ - kImageSize) / 2, y + (lineHeight - kImageSize) / 2, kImageSize, kImageSize});
    }
    // Datamarks of shown levels, in the line that holds (offset + indent).
    const auto width = static_cast<std::uint64_t>(state_.presentation.lineWidth());
    const auto indent = static_cast<std::uint64_t>(state_.presentation.indent());
    for (const auto& mark : state_.datamarks) {
        if (mark.levelShown && mark.offset < state_.dataSize &&
            (mark.offset + indent) / width == line) {
            graphics.drawImage(mark.imageId,
                               {(width_ - kImageSize) / 2, y + (lineHeight - kImageSize) / 2,
                                kImageSize, kImageSize});
        }
    }
}

void CShowMarkdata::paintHeader(Graphics& graphics, int height) {
    graphics.drawImage(viewimage::kMarkHeader, {0, 0, width_, height});
}

namespace {

void etchedSides(Graphics& graphics, int width, int height) {
    graphics.drawLine(0, 0, 0, height, 0x808080);
    graphics.drawLine(width - 1, 0, width - 1, height, 0xFFFFFF);
}

}  // namespace

void CShowBorder::paintHeader(Graphics& graphics, int height) {
    etchedSides(graphics, width_, height);
}

void CShowSizable::paintHeader(Graphics& graphics, int height) {
    etchedSides(graphics, width_, height);
}

CShowSizable::CShowSizable(const ViewState& state) : CHexShow(state) {
    enableEvents(kMouseEventMask | kMouseMotionEventMask);
}

std::string CShowSizable::dragTipText() const {
    return platform::formatPrintf(
        state_.presentation.hexAddresses() ? "Line Width: %02X" : "Line Width: %i", {candidate_});
}

void CShowSizable::processMouseEvent(MouseEvent& event) {
    const int width = state_.presentation.lineWidth();
    switch (event.getId()) {
        case eventid::MousePressed:
            if ((event.getModifiers() & modifier::LeftButton) != 0) {
                dragging_ = true;
                startX_ = dragX_ = event.getX();
                candidate_ = width;
                if (NativeContainer* native = nativeContainer()) {
                    native->setMouseGrab(this);
                }
            }
            break;
        case eventid::MouseReleased:
            if (dragging_) {
                dragging_ = false;
                if (candidate_ != width && hooks_.lineWidthChanged) {
                    hooks_.lineWidthChanged(candidate_ - width);
                }
            }
            break;
        case eventid::PopupTrigger:
            dragging_ = false;  // the right button ends the drag without change
            break;
        default:
            CHexShow::processMouseEvent(event);
    }
}

void CShowSizable::processMouseMotionEvent(MouseEvent& event) {
    if (!dragging_ || event.getId() != eventid::MouseDragged) {
        return;
    }
    const auto [minimum, maximum] = hooks_.limits ? hooks_.limits() : std::pair<int, int>{8, 99};
    dragX_ = event.getX();
    candidate_ = candidateWidth(startX_, dragX_, minimum, maximum);
}

int CShowSizable::candidateWidth(int startX, int x, int minimum, int maximum) const {
    const CPresentation& p = state_.presentation;
    const int unitPixels = (2 * p.unit() + 1) * state_.pixels.charWidth;
    const int units = unitPixels > 0 ? (x - startX) / unitPixels : 0;
    return std::clamp(p.lineWidth() + units * p.unit(), minimum, maximum);
}
