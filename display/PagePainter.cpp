#include "display/PagePainter.h"

#include <algorithm>
#include <utility>

namespace {

// The etched frame around the header band.
constexpr ColorRef kFrameShadow = 0x808080;
constexpr ColorRef kFrameLight = 0xC0C0C0;
constexpr ColorRef kSeparator = 0x000000;

}  // namespace

PagePainter::PagePainter(const ViewState& view, int markWidth, PageSetup setup,
                         std::string fileName, std::time_t now, ByteReader reader)
    : view_(view),
      setup_(std::move(setup)),
      fileName_(std::move(fileName)),
      now_(now),
      reader_(std::move(reader)),
      mark_(view_, markWidth),
      address_(view_),
      border_(view_),
      hex_(view_),
      sizable_(view_),
      char_(view_) {
    view_.selection = Selection{};
    view_.shown.pageTips = false;
    view_.scrollX = 0;
    setup_.linesPerPage = std::clamp(setup_.linesPerPage, 1, PageSetup::kMaxLines);
    // The page buffer: one page of lines and one more.
    const auto bytes = static_cast<std::size_t>(std::max(view_.presentation.lineWidth(), 1)) *
                       static_cast<std::size_t>(setup_.linesPerPage + 1);
    view_.visible.reserve(bytes);
    view_.visibleMask.reserve(bytes);
    int x = 0;
    for (CHexShow* panel : shownPanels()) {
        const int width = panel->getPreferredWidth();
        panel->setBounds(x, 0, width, 0);
        x += width;
    }
    panelsWidth_ = x;
}

std::vector<CHexShow*> PagePainter::shownPanels() {
    return panelsInOrder({mark_, address_, border_, hex_, sizable_, char_}, view_.shown);
}

std::uint64_t PagePainter::pageCount() const {
    if (!view_.attached) {
        return 0;
    }
    return ::pageCount(
        totalLines(view_.dataSize, view_.presentation.indent(), view_.presentation.lineWidth()),
        setup_.linesPerPage);
}

void PagePainter::paintPage(std::uint64_t page, Graphics& graphics, Dimension printable) {
    const std::optional<PageLines> lines =
        linesOfPage(page, view_.attached ? view_.lineCount() : 0, setup_.linesPerPage);
    if (!lines) {
        return;
    }
    const int box = lineBoxHeight();
    const int boxWidth = std::min(panelsWidth_, printable.width);
    int top = 0;
    int bottom = printable.height;
    if (!setup_.header.empty()) {
        paintLine(graphics, setup_.header, page, LineAlignment::Left, (box - view_.pixels.lineHeight) / 2,
                  boxWidth);
        top = box + 1;
    }
    if (setup_.hasFooter()) {
        const int boxTop = printable.height - box;
        paintLine(graphics, setup_.footer, page, LineAlignment::Right,
                  printable.height - view_.pixels.lineHeight, boxWidth);
        if (!setup_.noFooterSeparator) {
            graphics.drawLine(0, boxTop - 1, boxWidth, boxTop - 1, kSeparator);
        }
        bottom = boxTop - 1;
    }
    loadPage(*lines);
    paintPanels(graphics, *lines, top, bottom);
}

void PagePainter::paintLine(Graphics& graphics, const std::string& pattern, std::uint64_t page,
                            LineAlignment alignment, int y, int width) {
    const ExpandedLine line =
        expandTemplate(pattern, fileName_, static_cast<std::int64_t>(page), alignment, now_);
    if (line.text.empty()) {
        return;
    }
    const GraphicsStateScope scope(graphics);
    graphics.intersectClip({0, 0, width, graphics.clipBox().bottom()});
    const int textWidth = graphics.textExtent(line.text).width;
    int x = 0;
    if (line.alignment == LineAlignment::Center) {
        x = (width - textWidth) / 2;
    } else if (line.alignment == LineAlignment::Right) {
        x = width - textWidth;
    }
    graphics.setTransparentBackground(true);
    graphics.setTextColor(0);
    graphics.textOut(std::max(x, 0), y, line.text);
}

void PagePainter::loadPage(const PageLines& lines) {
    view_.visible.clear();
    view_.visibleMask.clear();
    view_.visibleModified = false;
    const auto width = static_cast<std::uint64_t>(view_.presentation.lineWidth());
    const auto indent = static_cast<std::uint64_t>(view_.presentation.indent());
    const std::uint64_t start = lines.first == 0 ? 0 : lines.first * width - indent;
    const std::uint64_t end = std::min(view_.dataSize, (lines.last + 1) * width - indent);
    view_.visibleStart = start;
    if (!reader_ || !reader_(start, end, view_.visible, view_.visibleMask) ||
        view_.visibleMask.size() != view_.visible.size()) {
        view_.visible.clear();
        view_.visibleMask.clear();
        return;
    }
    view_.visibleModified = std::any_of(view_.visibleMask.begin(), view_.visibleMask.end(),
                                        [](std::uint8_t m) { return m != 0; });
}

void PagePainter::paintPanels(Graphics& graphics, const PageLines& lines, int top, int bottom) {
    const auto count = static_cast<int>(lines.last - lines.first + 1);
    view_.firstLine = static_cast<std::int64_t>(lines.first);
    view_.clientHeight = view_.headerHeight + view_.pixels.top + count * view_.pixels.lineHeight;
    const GraphicsStateScope scope(graphics);
    graphics.intersectClip({0, top, panelsWidth_, std::max(0, bottom - top)});
    graphics.translateOrigin(0, top);
    for (CHexShow* panel : shownPanels()) {
        Rectangles bounds = panel->getBounds();
        bounds.height = view_.clientHeight;
        panel->setBounds(bounds.x, 0, bounds.width, bounds.height);
        const GraphicsStateScope panelScope(graphics);
        graphics.intersectClip(bounds);
        graphics.translateOrigin(bounds.x, 0);
        panel->update(graphics);
        if (view_.shown.header) {
            panel->paintHeader(graphics, view_.headerHeight);
        }
    }
    if (view_.shown.header) {
        const int right = panelsWidth_ - 1;
        const int base = view_.headerHeight - 1;
        graphics.drawLine(0, 0, right, 0, kFrameShadow);
        graphics.drawLine(0, 0, 0, base, kFrameShadow);
        graphics.drawLine(0, base, right, base, kFrameLight);
        graphics.drawLine(right, 0, right, base, kFrameLight);
    }
}
