#include "display/ViewState.h"

#include <algorithm>

#include "display/DisplayTexts.h"
#include "settings/CSettings.h"

Appearance Appearance::fromSettings(const CSettings& s) {
    namespace a = settings::appearance;
    Appearance colors;
    colors.markBackground = static_cast<ColorRef>(s.get(a::MarkcompBkcolor));
    colors.linemarkFill = static_cast<ColorRef>(s.get(a::MarklineBkcolor));
    colors.addressBackground = static_cast<ColorRef>(s.get(a::AddrcompBkcolor));
    colors.addressText = static_cast<ColorRef>(s.get(a::AddrcompTextColor));
    colors.indentText = static_cast<ColorRef>(s.get(a::AddrindentTextColor));
    colors.hexBackground = static_cast<ColorRef>(s.get(a::HexcompBkcolor));
    colors.hexText = static_cast<ColorRef>(s.get(a::HexcompTextColor));
    colors.charBackground = static_cast<ColorRef>(s.get(a::CharcompBkcolor));
    colors.charText = static_cast<ColorRef>(s.get(a::CharcompTextColor));
    colors.modifiedText = static_cast<ColorRef>(s.get(a::MidifiedTextColor));
    colors.selection = static_cast<ColorRef>(s.get(a::SelectionColor));
    colors.displayFace = s.get(a::DisplayFacename);
    colors.printFace = s.get(a::PrintFacename);
    return colors;
}

PanelsShown PanelsShown::fromSettings(const CSettings& s) {
    namespace v = settings::view;
    PanelsShown shown;
    shown.header = s.get(v::HexdataTitle) != 0;
    shown.mark = s.get(v::MarkdataComponent) != 0;
    shown.address = s.get(v::AddrdataComponent) != 0;
    shown.character = s.get(v::ChardataComponent) != 0;
    shown.pageTips = s.get(v::PageTip) != 0;
    shown.bookmarkTips = s.get(v::BookmarkTip) != 0;
    return shown;
}

void PanelsShown::writeBack(CSettings& s) const {
    namespace v = settings::view;
    s.write(v::HexdataTitle, header ? 1 : 0);
    s.write(v::MarkdataComponent, mark ? 1 : 0);
    s.write(v::AddrdataComponent, address ? 1 : 0);
    s.write(v::ChardataComponent, character ? 1 : 0);
    s.write(v::PageTip, pageTips ? 1 : 0);
    s.write(v::BookmarkTip, bookmarkTips ? 1 : 0);
}

std::int64_t ViewState::visibleLines() const {
    if (pixels.lineHeight <= 0) {
        return 0;
    }
    const std::int64_t room = clientHeight - headerHeight - pixels.top;
    return std::max<std::int64_t>(0, (room + pixels.lineHeight - 1) / pixels.lineHeight);
}

int ViewState::addressDigits() const {
    const std::uint64_t lines = lineCount();
    const std::uint64_t last = presentation.dataStartAddress() +
                               (lines > 0 ? lines - 1 : 0) * static_cast<std::uint64_t>(std::max(
                                                                 presentation.lineWidth(), 0));
    return ::addressDigits(last, presentation.hexAddresses());
}

std::int64_t ViewState::wholeLines() const {
    if (pixels.lineHeight <= 0) {
        return 1;
    }
    const std::int64_t room = clientHeight - headerHeight - pixels.top - pixels.bottom;
    return std::max<std::int64_t>(1, room / pixels.lineHeight);
}

bool ViewState::lineBytes(std::uint64_t line, LineBytes& out) const {
    const int width = presentation.lineWidth();
    const int indent = presentation.indent();
    if (width <= 0 || line >= lineCount()) {
        return false;
    }
    const std::uint64_t begin =
        line == 0 ? 0
                  : line * static_cast<std::uint64_t>(width) - static_cast<std::uint64_t>(indent);
    out.leading = line == 0 ? indent : 0;
    const std::uint64_t wanted =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(width - out.leading), dataSize - begin);
    // Only what the visible buffer holds can be drawn.
    if (begin < visibleStart || begin >= visibleStart + visible.size()) {
        return false;
    }
    out.offset = begin;
    out.count = static_cast<std::size_t>(
        std::min<std::uint64_t>(wanted, visibleStart + visible.size() - begin));
    out.bytes = visible.data() + (begin - visibleStart);
    out.mask = visibleModified ? visibleMask.data() + (begin - visibleStart) : nullptr;
    return true;
}
