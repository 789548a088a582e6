#include "display/CHexPanel.h"

#include <algorithm>

#include "settings/CSettings.h"

KESTRANE_DEFINE_CLASS(CHexPanel, NativeContainer, 1)

CHexPanel::CHexPanel(CSettings& settings, CEditDataServices services, int scrollBarWidth)
    : settings_(settings),
      mark_(state_, scrollBarWidth),
      address_(state_),
      char_(state_),
      hex_(state_),
      border_(state_),
      sizable_(state_),
      data_(services) {
    data_.setCaretKeeper(this);
    data_.setDocument(&standalone_);
    data_.addListener(this);
    state_.linemarks.setOnChange([this] { repaintClient(false); });
    state_.colors = Appearance::fromSettings(settings_);
    state_.shown = PanelsShown::fromSettings(settings_);
    state_.escapeChar = static_cast<char>(settings_.get(settings::edit::EscapeChar));
    sizable_.setHooks({[this] {
                           return std::pair<int, int>{minLineWidth(), maxLineWidth()};
                       },
                       [this](int difference) {
                           if (poster_) {
                               poster_(kLineWidthMessage, difference);
                           } else {
                               handleLineWidthMessage(difference);
                           }
                       }});
    for (CShowDataPanel* panel :
         {static_cast<CShowDataPanel*>(&hex_), static_cast<CShowDataPanel*>(&char_)}) {
        panel->enableEvents(kMouseEventMask | kMouseMotionEventMask);
        panel->onMouse = [this](CShowDataPanel& at, MouseEvent& event) {
            dataPanelMouse(at, event);
        };
    }
    // The panel itself hears the right button (context menus) and double-clicks.
    enableEvents(kMouseEventMask);
    // Painting order as the design gives it.
    for (CHexShow* panel :
         std::initializer_list<CHexShow*>{&mark_, &address_, &char_, &hex_, &border_, &sizable_}) {
        add(panel);
    }
}

CHexPanel::~CHexPanel() {
    closeFile();
    removeAll();
}

int CHexPanel::minLineWidth() const {
    return CPresentation::lineWidthLimits(settings_).minimum;
}

int CHexPanel::maxLineWidth() const {
    return CPresentation::lineWidthLimits(settings_).maximum;
}

bool CHexPanel::attach() {
    state_.presentation =
        CPresentation::forNewView(settings_, settings_.get(settings::print::LinesPerPage));
    const CPresentation& p = state_.presentation;
    if (p.lineWidth() <= 0 || p.indent() >= p.lineWidth()) {
        data_.close();
        return false;
    }
    state_.dataSize = data_.getDataSize();
    state_.attached = true;
    state_.firstLine = 0;
    state_.scrollX = 0;
    selection_.clear();
    state_.linemarks.clear();  // a file opened anew starts without linemarks
    caretOffset_ = 0;
    caretPanel_ = nullptr;
    caretNibble_ = 0;
    relayoutAndRepaint();
    return true;
}

bool CHexPanel::openFile(const std::string& path, std::uint32_t accessMode) {
    closeFile();
    return data_.open(path, accessMode) && attach();
}

bool CHexPanel::createNew(std::uint64_t size, std::uint8_t fill) {
    closeFile();
    return data_.create(size, fill) && attach();
}

void CHexPanel::useBlockLayout(int columns) {
    // Held to the widest line a view can show too: a block of another
    // program may claim any width.
    state_.presentation.useBlockLayout(std::max(std::min(columns, maxLineWidth()), minLineWidth()));
    relayoutAndRepaint();
}

void CHexPanel::closeFile() {
    if (state_.attached) {
        state_.presentation.writeBack(settings_);
        state_.shown.writeBack(settings_);
    }
    state_.attached = false;
    state_.visible.clear();
    state_.visibleMask.clear();
    data_.close();
}

bool CHexPanel::saveFile(const std::string& path) {
    // The saved bytes lose their modified colour as the store announces it.
    return data_.save(path);
}

void CHexPanel::setFontMetrics(int charWidth, int lineHeight) {
    state_.pixels.charWidth = std::max(charWidth, 1);
    state_.pixels.lineHeight = std::max(lineHeight, 1);
    relayoutAndRepaint();
}

std::vector<CHexShow*> CHexPanel::shownPanels() {
    return panelsInOrder({mark_, address_, border_, hex_, sizable_, char_}, state_.shown);
}

bool CHexPanel::doLayout() {
    const Dimension client =
        getNativeWindow() != nullptr ? getNativeWindow()->clientSize() : getSize();
    state_.clientHeight = client.height;
    state_.headerHeight = state_.shown.header ? kHeaderHeight : kEdgeGap;
    mark_.setVisible(state_.shown.mark);
    address_.setVisible(state_.shown.address);
    border_.setVisible(state_.shown.address);
    sizable_.setVisible(state_.shown.character);
    char_.setVisible(state_.shown.character);
    int x = 0;
    for (CHexShow* panel : shownPanels()) {
        const int width = panel->getPreferredWidth();
        panel->setBounds(x, 0, width, client.height);
        x += width;
    }
    Container::setSize(x, client.height);
    if (NativeWindow* window = getNativeWindow()) {
        window->contentWidthChanged(x);
    }
    updateScrollBars();
    loadVisibleData();
    // The caret's byte may stand on another cell now.
    showCaretAt();
    return true;
}

void CHexPanel::relayoutAndRepaint() {
    invalidate();
    validate();
    repaintClient();
}

std::int64_t CHexPanel::maxFirstLine() const {
    const auto lines = static_cast<std::int64_t>(state_.lineCount());
    return std::max<std::int64_t>(0, lines - state_.wholeLines());
}

int CHexPanel::maxScrollX() const {
    const Dimension client =
        getNativeWindow() != nullptr ? getNativeWindow()->clientSize() : getSize();
    return std::max(0, getSize().width - client.width);
}

void CHexPanel::updateScrollBars() {
    state_.firstLine = std::clamp<std::int64_t>(state_.firstLine, 0, maxFirstLine());
    state_.scrollX = std::clamp(state_.scrollX, 0, maxScrollX());
    if (NativeWindow* window = getNativeWindow()) {
        // The page is the whole lines shown, so the thumb at the bottom is
        // the scroll limit: the last line stands whole above the margin.
        const auto lines = static_cast<std::int64_t>(state_.lineCount());
        const std::int64_t top = maxFirstLine();
        window->setScrollRange(NativeWindow::ScrollBar::Vertical, top == 0 ? 0 : lines,
                               lines - top);
        window->setScrollPosition(NativeWindow::ScrollBar::Vertical, state_.firstLine);
        const Dimension client = window->clientSize();
        window->setScrollRange(NativeWindow::ScrollBar::Horizontal,
                               maxScrollX() == 0 ? 0 : getSize().width, client.width);
        window->setScrollPosition(NativeWindow::ScrollBar::Horizontal, state_.scrollX);
    }
}

void CHexPanel::scrollToLine(std::int64_t line) {
    const std::int64_t clamped = std::clamp<std::int64_t>(line, 0, maxFirstLine());
    if (clamped == state_.firstLine) {
        return;
    }
    state_.firstLine = clamped;
    updateScrollBars();
    loadVisibleData();
    showCaretAt();
    repaintClient(false);
}

void CHexPanel::scrollToX(int x) {
    const int cw = state_.pixels.charWidth;
    const int clamped = std::clamp(x / cw * cw, 0, maxScrollX());
    if (clamped == state_.scrollX) {
        return;
    }
    state_.scrollX = clamped;
    updateScrollBars();
    showCaretAt();
    repaintClient(false);
}

void CHexPanel::loadVisibleData(bool reload) {
    if (data_.isBusy()) {
        return;  // a worker has the store: what was read last is painted
    }
    state_.visible.clear();
    state_.visibleMask.clear();
    state_.visibleModified = false;
    if (!state_.attached || state_.dataSize == 0 || state_.dataSize == CEditData::kNoDataSize) {
        return;
    }
    // One line above the window and every line it shows: as many data
    // pointers as that takes, so tall windows and wide lines are drawn whole.
    const auto width = static_cast<std::uint64_t>(state_.presentation.lineWidth());
    const auto indent = static_cast<std::uint64_t>(state_.presentation.indent());
    const std::uint64_t firstLine =
        state_.firstLine > 0 ? static_cast<std::uint64_t>(state_.firstLine - 1) : 0;
    const std::uint64_t start = firstLine == 0 ? 0 : firstLine * width - indent;
    const std::uint64_t lines = static_cast<std::uint64_t>(state_.visibleLines()) + 2;
    const std::uint64_t end = std::min(state_.dataSize, start + lines * width);
    state_.visibleStart = start;
    readBytes(start, end, state_.visible, state_.visibleMask, reload);
    state_.visibleModified = std::any_of(state_.visibleMask.begin(), state_.visibleMask.end(),
                                         [](std::uint8_t m) { return m != 0; });
}

bool CHexPanel::readBytes(std::uint64_t start, std::uint64_t end, std::vector<std::uint8_t>& bytes,
                          std::vector<std::uint8_t>& mask, bool reload) {
    if (data_.isBusy()) {
        return false;
    }
    // As many data pointers as the range takes.
    for (std::uint64_t at = start; at < end;) {
        const std::uint8_t* data = nullptr;
        const std::uint8_t* flags = nullptr;
        auto count = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(end - at, CEditData::kMaxPointerCount));
        if (!data_.getDataPointer(&data, &flags, count, at, reload && at == start) || count == 0) {
            return false;
        }
        count = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, end - at));
        bytes.insert(bytes.end(), data, data + count);
        mask.insert(mask.end(), flags, flags + count);
        at += count;
    }
    return true;
}

void CHexPanel::paint(Graphics& graphics) {
    // Data panels follow the horizontal scroll; then the mark and address
    // columns are painted again at their places, so they stay at the left.
    for (CHexShow* panel : shownPanels()) {
        const Rectangles bounds = panel->getBounds();
        const int x = panel->isFixed() ? bounds.x : bounds.x - state_.scrollX;
        const Rectangles shown{x, 0, bounds.width, bounds.height};
        const Rectangles shared = shown.intersection(graphics.clipBox());
        if (shared.isEmpty() || panel->isFixed()) {
            continue;
        }
        const GraphicsStateScope scope(graphics);
        graphics.intersectClip(shared);
        graphics.translateOrigin(x, 0);
        panel->update(graphics);
        if (state_.shown.header) {
            panel->paintHeader(graphics, kHeaderHeight);
        }
    }
    for (CHexShow* panel : shownPanels()) {
        if (!panel->isFixed()) {
            continue;
        }
        const Rectangles bounds = panel->getBounds();
        const Rectangles shared = bounds.intersection(graphics.clipBox());
        if (shared.isEmpty()) {
            continue;
        }
        const GraphicsStateScope scope(graphics);
        graphics.intersectClip(shared);
        graphics.translateOrigin(bounds.x, 0);
        panel->update(graphics);
        if (state_.shown.header) {
            panel->paintHeader(graphics, kHeaderHeight);
        }
    }
}

int CHexPanel::fixedColumnsRight() {
    int right = 0;
    for (CHexShow* fixed : shownPanels()) {
        if (fixed->isFixed()) {
            right = std::max(right, fixed->getBounds().right());
        }
    }
    return right;
}

CHexShow* CHexPanel::panelAt(int x, int y) {
    if (y < 0) {
        return nullptr;
    }
    for (CHexShow* panel : shownPanels()) {
        const Rectangles bounds = panel->getBounds();
        const int left = panel->isFixed() ? bounds.x : bounds.x - state_.scrollX;
        if (x >= left && x < left + bounds.width) {
            // A data panel scrolled under a fixed column is hidden there.
            if (!panel->isFixed() && x < fixedColumnsRight()) {
                continue;
            }
            return panel;
        }
    }
    return nullptr;
}

Component* CHexPanel::getComponentAt(int x, int y) {
    if (x < 0 || y < 0) {
        return nullptr;
    }
    CHexShow* panel = panelAt(x, y);
    return panel != nullptr ? static_cast<Component*>(panel) : this;
}

Point CHexPanel::displayOffsetOf(const Component* target) const {
    for (const Component* c = target; c != nullptr && c != this; c = c->getParent()) {
        if (const auto* panel = objectCast<CHexShow>(c)) {
            return {panel->isFixed() ? 0 : state_.scrollX, 0};
        }
    }
    return {0, 0};
}

// ---------------------------------------------------------------- commands

bool CHexPanel::changeLineWidth(int delta) {
    const int oldWidth = state_.presentation.lineWidth();
    if (!state_.attached ||
        !state_.presentation.changeLineWidth(delta, minLineWidth(), maxLineWidth())) {
        return false;
    }
    clearColumnBlock();
    // The same bytes stay near the top of the window.
    state_.firstLine = state_.firstLine * oldWidth / state_.presentation.lineWidth();
    relayoutAndRepaint();
    return true;
}

bool CHexPanel::clearIndent() {
    if (!state_.attached || !state_.presentation.clearIndent()) {
        return false;
    }
    clearColumnBlock();
    relayoutAndRepaint();
    return true;
}

bool CHexPanel::increaseIndent() {
    if (!state_.attached || !state_.presentation.increaseIndent()) {
        return false;
    }
    clearColumnBlock();
    relayoutAndRepaint();
    return true;
}

bool CHexPanel::decreaseIndent() {
    if (!state_.attached || !state_.presentation.decreaseIndent()) {
        return false;
    }
    clearColumnBlock();
    relayoutAndRepaint();
    return true;
}

bool CHexPanel::changeUnit(int unit) {
    const int oldUnit = state_.presentation.unit();
    const int width = state_.presentation.lineWidth();
    if (!state_.attached || !state_.presentation.changeUnit(unit)) {
        return false;
    }
    // The caret goes to the start of its unit; a range is rounded to units;
    // a column block keeps its lines and takes the columns of its byte
    // positions in the new unit.
    const auto u = static_cast<std::uint64_t>(unit);
    caretOffset_ = caretOffset_ / u * u;
    caretNibble_ = 0;
    if (selection_.isBlock()) {
        state_.presentation.clearIndent();  // with a column block the indent goes
    }
    selection_.changeUnit(oldUnit, unit, width);
    relayoutAndRepaint();
    return true;
}

void CHexPanel::clearColumnBlock() {
    if (selection_.isBlock()) {
        selection_.clear();
    }
}

bool CHexPanel::changePageHeight(int delta) {
    if (!state_.presentation.changePageHeight(delta)) {
        return false;
    }
    mark_.repaint();
    return true;
}

void CHexPanel::toggleAddressBase() {
    state_.presentation.toggleAddressBase();
    // The address column may need more or fewer digits.
    relayoutAndRepaint();
}

void CHexPanel::setDataStartAddress(std::uint32_t address) {
    state_.presentation.setDataStartAddress(address);
    // The address column may need more or fewer digits.
    relayoutAndRepaint();
}

void CHexPanel::toggleHeader() {
    state_.shown.header = !state_.shown.header;
    relayoutAndRepaint();
}

void CHexPanel::toggleMarkPanel() {
    state_.shown.mark = !state_.shown.mark;
    relayoutAndRepaint();
}

void CHexPanel::toggleAddressPanel() {
    state_.shown.address = !state_.shown.address;
    relayoutAndRepaint();
}

void CHexPanel::toggleCharacterPanel() {
    state_.shown.character = !state_.shown.character;
    relayoutAndRepaint();
}

void CHexPanel::togglePageTips() {
    state_.shown.pageTips = !state_.shown.pageTips;
    mark_.repaint();
}

void CHexPanel::toggleBookmarkTips() {
    state_.shown.bookmarkTips = !state_.shown.bookmarkTips;
}

void CHexPanel::setSelection(const Selection& selection) {
    selection_.adopt(selection);
    repaintClient(false);
}

// ------------------------------------------------------------ the caret for the store

std::optional<CaretContext> CHexPanel::getCaret() {
    caret();
    return CaretContext{caretPanel_, caretOffset_, caretNibble_};
}

void CHexPanel::setCaret(const CaretContext& caret) {
    // Undo and redo put the caret back where their change was made.
    caretPanel_ = caret.panel == &char_ ? static_cast<CShowDataPanel*>(&char_) : &hex_;
    caretOffset_ = std::min(caret.offset, data_.getDataSize());
    caretNibble_ =
        caretPanel_ == &hex_ && caretOffset_ < data_.getDataSize() ? caret.nibble & 1 : 0;
}
