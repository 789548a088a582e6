#include "display/CHexPanel.h"

#include <algorithm>

#include "exchange/HexText.h"
#include "marks/AssociationMenu.h"
#include "platform/PrintfFormat.h"

// The pointer over the view, its menus, the mark panel and the marks it draws.

// ------------------------------------------------------- pointer and menus

CHexPanel::Cursor CHexPanel::cursorAt(int x, int y) {
    CHexShow* panel = panelAt(x, y);
    if (panel == &hex_ || panel == &char_) {
        return Cursor::IBeam;
    }
    if (panel == &mark_) {
        if (const auto datamark = datamarkAt(x, y)) {
            return datamarks_.list().at(*datamark).associations.empty() ? Cursor::Arrow
                                                                        : Cursor::Link;
        }
        const auto line = markLineAt(y);
        return line && state_.linemarks.contains(*line) ? Cursor::Arrow : Cursor::Mark;
    }
    if (panel == &sizable_) {
        return Cursor::Sizing;
    }
    return Cursor::Arrow;
}

std::uint32_t CHexPanel::markTipColourAt(int x, int y) const {
    const auto datamark = datamarkAt(x, y);
    return datamark && !datamarks_.list().at(*datamark).associations.empty() ? 0xFF0000u : 0u;
}

std::string CHexPanel::pageTipFor(std::int64_t line) const {
    const int pageHeight = state_.presentation.pageHeight();
    return platform::formatPrintf("Page: %i", {line / std::max(pageHeight, 1) + 1});
}

std::optional<std::uint64_t> CHexPanel::markLineAt(int y) const {
    const int top = state_.headerHeight + state_.pixels.top;
    if (y < top || state_.pixels.lineHeight <= 0) {
        return std::nullopt;
    }
    const std::int64_t line = state_.firstLine + (y - top) / state_.pixels.lineHeight;
    if (line < 0 || static_cast<std::uint64_t>(line) >= state_.lineCount()) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(line);
}

std::string CHexPanel::markTipAt(int x, int y) {
    if (panelAt(x, y) != &mark_) {
        return {};
    }
    const std::optional<std::uint64_t> marked = markLineAt(y);
    if (!marked) {
        return {};
    }
    const auto line = static_cast<std::int64_t>(*marked);
    if (const auto index = datamarkAt(x, y); state_.shown.bookmarkTips && index) {
        return platform::formatPrintf("Datamark (%s)", {datamarks_.list().at(*index).name});
    }
    if (state_.shown.bookmarkTips && state_.linemarks.contains(*marked)) {
        return "Linemark (temp bookmark)";
    }
    // A page mark is hit on its image square, centred in the line.
    const int pageHeight = state_.presentation.pageHeight();
    const int size = CShowMarkdata::kImageSize;
    const int lineTop = static_cast<int>(state_.lineY(line));
    const int left = mark_.getBounds().x + (mark_.getBounds().width - size) / 2;
    const int imageTop = lineTop + (state_.pixels.lineHeight - size) / 2;
    if (state_.shown.pageTips && pageHeight > 0 && line % pageHeight == 0 && x >= left &&
        x < left + size && y >= imageTop && y < imageTop + size) {
        return pageTipFor(line);
    }
    return {};
}

void CHexPanel::processMouseEvent(MouseEvent& event) {
    NativeContainer::processMouseEvent(event);
    const int x = event.getX();
    const int y = event.getY();
    CHexShow* panel = panelAt(x, y);
    if (event.getId() == eventid::PopupTrigger && menuRequester_) {
        const Menu menu = panel == &hex_ || panel == &char_ ? Menu::Data
                          : panel == &address_              ? Menu::Address
                          : panel == &mark_                 ? Menu::Bookmark
                                                            : Menu::None;
        if (menu == Menu::Bookmark) {
            bookmarkMenuLine_ = markLineAt(y);
            bookmarkMenuDatamark_ = datamarkAt(x, y);
        }
        if (menu != Menu::None) {
            menuRequester_(menu, x, y);
        }
        bookmarkMenuLine_.reset();
        bookmarkMenuDatamark_.reset();
    } else if (event.getId() == eventid::MouseDoubleClicked && panel == &address_) {
        toggleAddressBase();
    } else if (panel == &mark_) {
        markPanelMouse(event);
    }
}

// ------------------------------------------------------------ the mark panel

void CHexPanel::markPanelMouse(MouseEvent& event) {
    if (!state_.attached) {
        return;
    }
    const std::optional<std::size_t> datamark = datamarkAt(event.getX(), event.getY());
    switch (event.getId()) {
        case eventid::MousePressed:
            if ((event.getModifiers() & modifier::LeftButton) != 0 && datamark) {
                if (!openAssociationMenu(*datamark)) {
                    goToDatamark(*datamark);
                }
            } else if ((event.getModifiers() & modifier::LeftButton) != 0) {
                // The caret to the first byte of the line, a selection starting there.
                if (const std::optional<std::uint64_t> line = markLineAt(event.getY())) {
                    clearSelection();
                    beginSelection(lineBytes(*line).first, true, false);
                }
            }
            break;
        case eventid::MouseReleased:
            endSelection();
            break;
        case eventid::MouseDoubleClicked:
            // The press before it put the caret on the clicked line.
            if (!datamark) {
                state_.linemarks.toggle(lineOf(caretOffset_));
            }
            break;
        default:
            break;
    }
}

void CHexPanel::refreshDatamarks() {
    state_.datamarks = datamarks_.images();
    repaintClient(false);
}

std::optional<std::size_t> CHexPanel::datamarkAt(int x, int y) const {
    if (!state_.attached || !state_.shown.mark) {
        return std::nullopt;
    }
    const int size = CShowMarkdata::kImageSize;
    const int left = mark_.getBounds().x + (mark_.getBounds().width - size) / 2;
    if (x < left || x >= left + size || y < state_.headerHeight + state_.pixels.top) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < state_.datamarks.size(); ++i) {
        const ViewState::DatamarkImage& image = state_.datamarks[i];
        if (!image.levelShown || image.offset >= state_.dataSize) {
            continue;
        }
        const auto line = static_cast<std::int64_t>(lineOf(image.offset));
        const auto top = state_.lineY(line) + (state_.pixels.lineHeight - size) / 2;
        if (y >= top && y < top + size) {
            return i;
        }
    }
    return std::nullopt;
}

void CHexPanel::selectDatamark(const CBmitemObj& datamark) {
    const std::int64_t found =
        datamark.normalDatamark ? 0 : countHexTokens(datamark.findResultString, false);
    if (found > 0 && datamark.position + static_cast<std::uint64_t>(found) <= state_.dataSize) {
        selectMatch(datamark.position, static_cast<std::uint64_t>(found));
    } else {
        clearSelection();
        gotoOffset(std::min(datamark.position, state_.dataSize));
    }
}

void CHexPanel::goToDatamark(std::size_t index) {
    DatamarkList& list = datamarks_.list();
    if (index >= list.size()) {
        return;
    }
    list.setCurrentDatamark(index);
    selectDatamark(list.at(index));
}

bool CHexPanel::goToDatamarkByName(std::string_view name) {
    const DatamarkList& list = datamarks_.list();
    const auto found = list.find(name);
    if (const auto target = found ? found : list.currentDatamark()) {
        goToDatamark(*target);
        return true;
    }
    return false;
}

std::uint64_t CHexPanel::lineOf(std::uint64_t offset) const {
    const auto width = static_cast<std::uint64_t>(std::max(state_.presentation.lineWidth(), 1));
    return (offset + static_cast<std::uint64_t>(state_.presentation.indent())) / width;
}

void CHexPanel::toggleLinemark() {
    if (!state_.attached) {
        return;
    }
    if (bookmarkMenuLine_) {
        if (const auto index = state_.linemarks.indexOf(*bookmarkMenuLine_)) {
            state_.linemarks.removeAt(*index);
            return;
        }
    }
    state_.linemarks.toggle(lineOf(caretOffset_));
}

void CHexPanel::gotoNextLinemark() {
    gotoLinemark(state_.linemarks.nextAfter(lineOf(caretOffset_)));
}

void CHexPanel::gotoPreviousLinemark() {
    gotoLinemark(state_.linemarks.previousBefore(lineOf(caretOffset_)));
}

void CHexPanel::gotoLinemark(std::optional<std::uint64_t> line) {
    if (!state_.attached || !line) {
        return;
    }
    clearSelection();
    gotoOffset(lineBytes(*line).first);
}

// ------------------------------------------------------------ associations

DatamarkNavigator CHexPanel::navigator() {
    return DatamarkNavigator(
        datamarks_.list(), [this](const CBmitemObj& d) { return datamarks_.isShown(d); },
        data_.getDataSize(), state_.presentation.lineWidth());
}

bool CHexPanel::openAssociationMenu(std::size_t datamark) {
    bookmarkMenuDatamark_ = datamark;
    if (associationMenuItems().empty() || !menuRequester_) {
        bookmarkMenuDatamark_.reset();
        return false;
    }
    // At the datamark's image: its left edge, below it.
    const int size = CShowMarkdata::kImageSize;
    const int left = mark_.getBounds().x + (mark_.getBounds().width - size) / 2;
    const auto line = static_cast<std::int64_t>(lineOf(state_.datamarks.at(datamark).offset));
    const auto top = static_cast<int>(state_.lineY(line)) + (state_.pixels.lineHeight - size) / 2;
    menuRequester_(Menu::Association, left, top + size);
    bookmarkMenuDatamark_.reset();
    return true;
}

std::vector<CHexPanel::AssociationMenuItem> CHexPanel::associationMenuItems() const {
    const DatamarkList& list = datamarks_.list();
    if (!bookmarkMenuDatamark_ || *bookmarkMenuDatamark_ >= list.size()) {
        return {};
    }
    const auto entries = associationMenu(
        list.at(*bookmarkMenuDatamark_), list,
        [this](const CBmitemObj& d) { return datamarks_.isShown(d); }, state_.dataSize);
    std::vector<AssociationMenuItem> items;
    items.reserve(entries.size());
    for (const AssociationMenuEntry& entry : entries) {
        const int image = entry.target && *entry.target < state_.datamarks.size()
                              ? state_.datamarks[*entry.target].imageId
                              : viewimage::kExternalAssociation;
        items.push_back({entry.id, entry.text, image});
    }
    return items;
}

void CHexPanel::followAssociationEntry(int id) {
    const DatamarkList& list = datamarks_.list();
    if (!bookmarkMenuDatamark_ || *bookmarkMenuDatamark_ >= list.size()) {
        return;
    }
    const std::vector<std::string>& associations = list.at(*bookmarkMenuDatamark_).associations;
    const int index = id - AssociationMenuEntry::kFirstId;
    if (index >= 0 && static_cast<std::size_t>(index) < associations.size()) {
        // A copy: following may change the list the string lives in.
        const std::string association = associations[static_cast<std::size_t>(index)];
        followAssociation(association);
    }
}

void CHexPanel::followAssociation(std::string_view association) {
    if (!state_.attached) {
        return;
    }
    const NavigationTarget target = navigator().follow(association);
    if (target.kind == NavigationTarget::Kind::Here) {
        goToDatamark(target.index);
    } else if (target.kind == NavigationTarget::Kind::OtherFile && associationOpener_) {
        associationOpener_(target.association);
    }
}
