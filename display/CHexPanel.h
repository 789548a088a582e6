#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/CHexShow.h"
#include "display/DataEditor.h"
#include "display/SelectionModel.h"
#include "display/ViewDatamarks.h"
#include "display/ViewState.h"
#include "marks/DatamarkNavigator.h"
#include "editdata/CEditData.h"
#include "framework/NativeContainer.h"

class CSettings;

class CHexPanel;

// Hears the caret and the selection of a view move.
class CaretListener {
  public:
    virtual ~CaretListener() = default;
    virtual void caretMoved(CHexPanel& panel) = 0;
};

// The container of one open file's view: the six panels, the byte store, the
// presentation and the scroll position. It lays the panels out, loads the
// visible bytes, paints with the mark and address columns fixed at the left
// while the data scroll sideways, and runs the presentation commands.
// Vertical scrolling is kept in display lines (64-bit), so the last line of
// any file is reachable.
class CHexPanel : public NativeContainer, public CaretKeeper, public DataChangeListener {
    KESTRANE_DECLARE_CLASS(CHexPanel)
  public:
    static constexpr int kHeaderHeight = 28;
    static constexpr int kEdgeGap = 4;  // above the panels without the header band
    // User message 101 of the line-width handle.
    static constexpr int kLineWidthMessage = 101;
    // The drag-scroll timer: identifier 101, a tick every 500 ms.
    static constexpr int kDragScrollTimer = 101;
    static constexpr int kDragScrollInterval = 500;

    CHexPanel(CSettings& settings, CEditDataServices services, int scrollBarWidth = 16);
    ~CHexPanel() override;

    // The document of the file shown: it carries the modified mark and
    // answers the store's confirmations. Without one, a document of the
    // panel's own agrees to everything.
    void setDocument(CEditDataDocument* document) {
        data_.setDocument(document != nullptr ? document : &standalone_);
    }
    CEditData& data() { return data_; }
    const ViewState& state() const { return state_; }

    // Opens a file (or a new one) in the panel and sets up the presentation;
    // false when it cannot be opened or presented, with the store closed.
    bool openFile(const std::string& path, std::uint32_t accessMode);
    bool createNew(std::uint64_t size, std::uint8_t fill);
    // A new view for a pasted column block of `columns` bytes a row: that
    // width (within the minimum and maximum line widths) and no indent.
    void useBlockLayout(int columns);
    // Closes the file and stores the presentation for the next view.
    void closeFile();
    // Saves the data to `path` (the store's Save and Save As); afterwards
    // no byte shows as modified. False, with everything as it was, on failure.
    bool saveFile(const std::string& path);

    // Metrics of the display font.
    void setFontMetrics(int charWidth, int lineHeight);
    bool doLayout() override;
    // Re-reads the bytes the window shows.
    void loadVisibleData(bool reload = false);
    // Appends the bytes [start, end) of the data and their change flags;
    // false when they cannot all be read (or a worker holds the store).
    bool readBytes(std::uint64_t start, std::uint64_t end, std::vector<std::uint8_t>& bytes,
                   std::vector<std::uint8_t>& mask, bool reload = false);

    // Scrolling: whole lines down, whole characters across.
    void scrollToLine(std::int64_t line);
    void scrollByLines(std::int64_t delta) { scrollToLine(state_.firstLine + delta); }
    void scrollToX(int x);
    std::int64_t maxFirstLine() const;
    int maxScrollX() const;

    void paint(Graphics& graphics) override;

    // Presentation commands; each lays out and repaints when it changes anything.
    bool changeLineWidth(int delta);
    bool clearIndent();
    bool increaseIndent();
    bool decreaseIndent();
    bool changeUnit(int unit);
    bool changePageHeight(int delta);
    // The line-width limits as the settings hold them now.
    int minLineWidth() const;
    int maxLineWidth() const;
    void toggleAddressBase();
    void setDataStartAddress(std::uint32_t address);
    void toggleHeader();
    void toggleMarkPanel();
    void toggleAddressPanel();
    void toggleCharacterPanel();
    void togglePageTips();
    void toggleBookmarkTips();
    // The native window's private message 101 from the line-width handle.
    void handleLineWidthMessage(int delta) { changeLineWidth(delta); }
    // How message 101 reaches the native window; by default it runs at once.
    void setMessagePoster(std::function<void(int message, int parameter)> poster) {
        poster_ = std::move(poster);
    }

    // The mouse cursor over a window point, when no mouse grab is held.
    // Link over a datamark with associations; over any other datamark, a
    // linemark or a page mark the arrow; elsewhere in the mark panel Mark.
    enum class Cursor { Arrow, IBeam, Mark, Link, Sizing };
    Cursor cursorAt(int x, int y);
    // The tip the mark panel shows at a window point, or "" for none.
    std::string markTipAt(int x, int y);
    // The colour (0x00BBGGRR) of that tip's text: 0xFF0000 over a datamark
    // with associations, else black.
    std::uint32_t markTipColourAt(int x, int y) const;
    // "Page: %i" for the page the first visible line of `line` belongs to.
    std::string pageTipFor(std::int64_t line) const;

    // Which menu a press asks for, at a window point: a right-button
    // release the context menus, a left press on a datamark with
    // associations to follow the association menu.
    enum class Menu { None, Data, Address, Bookmark, Association };
    void setMenuRequester(std::function<void(Menu, int x, int y)> requester) {
        menuRequester_ = std::move(requester);
    }
    void processMouseEvent(MouseEvent& event) override;
    // The display line at a window height over the mark panel, if any.
    std::optional<std::uint64_t> markLineAt(int y) const;

    void setSelection(const Selection& selection);
    // Starts (true) and stops (false) the drag-scroll timer of the window;
    // each tick calls dragTimerTick.
    void setDragTimer(std::function<void(bool running)> timer) { dragTimer_ = std::move(timer); }
    // While a mouse selection runs with the pointer outside the visible
    // data, scrolls toward it and moves the selection's end.
    void dragTimerTick();

    // ------------------------------------------------------------ caret
    // The caret's panel and cell; the first query places it on offset 0 of
    // the hex panel.
    std::pair<CShowDataPanel*, std::uint64_t> caret();
    // Puts the caret on `offset` (at most the data size) and keeps it in view.
    void gotoOffset(std::uint64_t offset);
    // The caret to the first byte of display `line` (at most the last line).
    void gotoLine(std::uint64_t line);
    // The range selection [start, end), when the selection is a range.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> getSelection() const;
    struct ColumnBlock {
        std::int64_t firstLine = 0, lastLine = 0, firstColumn = 0, lastColumn = 0;
    };
    // The column block: normalised, or raw as anchor (first) and current
    // corner (last).
    std::optional<ColumnBlock> getColumnBlock(bool normalised = true) const;
    // The column block as the store's geometry: byte columns from the first
    // unit's first byte to the last unit's last byte (within the line).
    std::optional<::ColumnBlock> blockGeometry() const;
    // Starts a selection at `offset`: a range anchored there, or with
    // `column` a column block whose corner is `corner` (unit column, line).
    // The drag-scroll timer runs unless `noTimer`.
    void beginSelection(std::uint64_t offset, bool noTimer, bool column,
                        CellGeometry::ColumnLine corner = {});
    // Moves the range's end to `offset`, or the block's corner to `corner`.
    void extendSelection(std::uint64_t offset, CellGeometry::ColumnLine corner = {});
    // Stops the timer; an empty range or a block that is not valid goes.
    void endSelection();
    // Listeners hear every move of the caret or the selection (the status
    // fields and the commands that depend on the selection follow it, and
    // later the value interpretation).
    void addCaretListener(CaretListener* listener);
    void removeCaretListener(CaretListener* listener);
    void clearSelection();
    void selectAll();
    void selectLine();
    // The Go To jumps: the caret goes to `offset` (or the first byte of
    // `line`, which is then selected), scrolling so that two lines above the
    // target show when it was out of view.
    void jumpToOffset(std::uint64_t offset);
    void jumpToLine(std::uint64_t line);
    // A range selection [start, end) with the caret at its end; an empty
    // range clears the selection.
    void selectRange(std::uint64_t start, std::uint64_t end);
    // A found match: [offset, offset + length) selected, the caret on its
    // first byte and in view.
    void selectMatch(std::uint64_t offset, std::uint64_t length);
    // A column block anchored at its top-left corner, its bottom-right corner
    // held on the data like a dragged one.
    void setColumnBlock(std::uint64_t firstLine, std::uint64_t lastLine, int firstColumn,
                        int lastColumn);
    // The keys of the caret table; true when the key was one of them.
    bool handleCaretKey(std::uint32_t key, bool shift, bool control);
    // Ctrl+Shift+F8: a range becomes a column block, a block goes, and
    // without a selection an empty block starts at the caret.
    void toggleColumnBlock();
    // The selection's length as the "Len:" field shows it.
    std::uint64_t selectionLength() const;
    void processKeyEvent(KeyEvent& event) override;
    void processFocusEvent(FocusEvent& event) override;
    // Whether the document has a file path (File Attributes needs one).
    void setHasPath(bool hasPath) { hasPath_ = hasPath; }
    bool hasPath() const { return hasPath_; }
    void setCaretOffset(std::uint64_t offset) {
        caretOffset_ = offset;
        caretNibble_ = 0;
    }
    std::uint64_t caretOffset() const { return caretOffset_; }
    // The caret's digit in the hex panel: 0 the high nibble, 1 the low one.
    int caretNibble() const { return caretNibble_; }

    // ------------------------------------------------------------ linemarks
    LinemarkList& linemarks() { return state_.linemarks; }
    const LinemarkList& linemarks() const { return state_.linemarks; }
    // The display line of a byte: (offset + indent) / line width.
    std::uint64_t lineOf(std::uint64_t offset) const;
    // Removes the linemark the "Bookmark" menu was opened over, or else
    // toggles the caret's line.
    void toggleLinemark();
    // The caret to the first byte of the next (previous) marked line,
    // wrapping, scrolled into view, with no selection; a mark past the last
    // line leads to the end of the data.
    void gotoNextLinemark();
    void gotoPreviousLinemark();

    // ------------------------------------------------------------ datamarks
    ViewDatamarks& datamarks() { return datamarks_; }
    const ViewDatamarks& datamarks() const { return datamarks_; }
    // After any change of the list or the level table: the mark panel
    // draws the datamarks anew.
    void refreshDatamarks();
    // The shown datamark whose image square holds a window point (the first
    // in list order), if any.
    std::optional<std::size_t> datamarkAt(int x, int y) const;
    // The datamark the "Bookmark" or the association menu was opened over,
    // while it is open.
    std::optional<std::size_t> bookmarkMenuDatamark() const { return bookmarkMenuDatamark_; }
    // The association entries of that datamark (none while no menu is open
    // over one): ids 1001 + the association's index, "Go To: %s", the image
    // of the target's level or the external-link image.
    struct AssociationMenuItem {
        int id = 0;
        std::string text;
        int imageId = 0;
    };
    std::vector<AssociationMenuItem> associationMenuItems() const;
    // Next, Previous and associations over this view's datamarks, its
    // levels and its data.
    DatamarkNavigator navigator();
    // Follows the association behind a chosen entry of that menu.
    void followAssociationEntry(int id);
    // "#name": that datamark of this file becomes current and is shown
    // (none: nothing); anything else goes to the association opener.
    void followAssociation(std::string_view association);
    // Opens another file at a datamark ("path#name"): the application's.
    void setAssociationOpener(std::function<void(const std::string&)> opener) {
        associationOpener_ = std::move(opener);
    }
    // Selects what a datamark marks: the bytes its advanced find found, or
    // the caret on its position.
    void selectDatamark(const CBmitemObj& datamark);
    // The datamark at `index` becomes current and is shown.
    void goToDatamark(std::size_t index);
    // The first datamark of that name (ignoring case), or else the current
    // one again; false when neither exists.
    bool goToDatamarkByName(std::string_view name);

    // ------------------------------------------------------------ editing
    // Typing, delete, copy, paste, overwrite and the data commands.
    DataEditor& editor() { return editor_; }
    const DataEditor& editor() const { return editor_; }
    bool hasSelection() const { return !selection_.isEmpty(); }

    CShowMarkdata& markPanel() { return mark_; }
    CShowAddrdata& addressPanel() { return address_; }
    CShowBorder& borderPanel() { return border_; }
    CShowHexdata& hexPanel() { return hex_; }
    CShowSizable& handlePanel() { return sizable_; }
    CShowChardata& charPanel() { return char_; }
    // The panel under a window point (header included), or nullptr.
    CHexShow* panelAt(int x, int y);
    // Mouse events go to the panel shown at the point, fixed or scrolled.
    Component* getComponentAt(int x, int y) override;
    Point displayOffsetOf(const Component* target) const override;

    // DataChangeListener: after every change of the data the size, the
    // caret and the scroll range follow, and the view is drawn anew.
    void dataChanged(const DataChange& change) override;

    // CaretKeeper
    std::optional<CaretContext> getCaret() override;
    void setCaret(const CaretContext& caret) override;

  private:
    bool attach();
    // Caret and selection helpers.
    void placeCaret(CShowDataPanel& panel, std::uint64_t cell);
    // The caret's cell in its panel, derived from its byte and digit.
    std::uint64_t caretCell() const;
    // Puts the caret on `offset` in its panel, on digit `nibble` when that
    // byte exists, and keeps it in view.
    void gotoDigit(std::uint64_t offset, int nibble);
    // Scrolls sideways as little as brings the caret's cell into the window.
    void ensureCaretColumnVisible();
    void moveTo(std::uint64_t offset, bool extend);
    void ensureLineVisible(std::uint64_t line);
    void showCaretAt();
    void dataPanelMouse(CShowDataPanel& panel, MouseEvent& event);
    std::uint64_t cellOffset(const CShowDataPanel& panel, std::uint64_t cell) const;
    void clearColumnBlock();
    void relayoutAndRepaint();
    void updateScrollBars();
    std::vector<CHexShow*> shownPanels();
    // The right edge of the fixed mark and address columns.
    int fixedColumnsRight();

    CSettings& settings_;
    ViewState state_;
    // Shapes state_.selection, the selection the panels paint.
    SelectionModel selection_{state_.selection};
    CShowMarkdata mark_;
    CShowAddrdata address_;
    CShowChardata char_;
    CShowHexdata hex_;
    CShowBorder border_;
    CShowSizable sizable_;
    CEditData data_;
    // The editor's view of the panel: the caret and moving it.
    struct EditorHooks : EditedView {
        explicit EditorHooks(CHexPanel& panel) : panel_(panel) {}
        CaretPlace editCaret() override;
        bool caretInCharacters() const override;
        void moveCaretTo(std::uint64_t offset) override { panel_.gotoOffset(offset); }
        void stepCaret() override;
        void clearSelection() override { panel_.clearSelection(); }
        void stateChanged() override { panel_.caretMoved(); }

      private:
        CHexPanel& panel_;
    } editorHooks_{*this};
    DataEditor editor_{data_, state_, selection_, settings_, editorHooks_};
    // The document of a panel that has none: it agrees to everything.
    struct StandaloneDocument : CEditDataDocument {
        void markModified(bool) override {}
        bool confirmThreshold(std::uint64_t, int) override { return true; }
        bool confirmIrreversible(int) override { return true; }
    } standalone_;
    std::function<void(int, int)> poster_;
    std::function<void(Menu, int, int)> menuRequester_;
    std::uint64_t caretOffset_ = 0;
    bool hasPath_ = false;
    // The caret's one truth: its panel, its byte and its digit. Its cell
    // and pixel place are derived whenever they are needed.
    CShowDataPanel* caretPanel_ = nullptr;
    int caretNibble_ = 0;
    bool dragging_ = false;
    // The pointer of the running mouse selection, in its panel's coordinates.
    CShowDataPanel* dragPanel_ = nullptr;
    int dragX_ = 0;
    int dragY_ = 0;
    std::function<void(bool)> dragTimer_;
    std::vector<CaretListener*> caretListeners_;
    void caretMoved();
    struct DragOutside {
        int horizontal = 0;  // -1 left of the data, 1 right of the window
        int vertical = 0;    // -1 above the data, 1 below the window
    };
    DragOutside dragOutside();
    // The bytes [start, end) of display `line`, within the data.
    std::pair<std::uint64_t, std::uint64_t> lineBytes(std::uint64_t line) const;
    bool dragScrollStep();
    void setBlockCorner(std::int64_t line, std::int64_t column);
    bool extendBlock(std::uint32_t key, bool control);
    bool focused_ = false;
    // The line under the pointer while the "Bookmark" menu is open.
    std::optional<std::uint64_t> bookmarkMenuLine_;
    std::optional<std::size_t> bookmarkMenuDatamark_;
    ViewDatamarks datamarks_;
    std::function<void(const std::string&)> associationOpener_;
    void markPanelMouse(MouseEvent& event);
    // Opens the association menu over a datamark; false when it has no entries.
    bool openAssociationMenu(std::size_t datamark);
    void gotoLinemark(std::optional<std::uint64_t> line);
};
