#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "display/ViewState.h"
#include "framework/Container.h"

// The base of the six panels of the hex view. A panel is as tall as the
// window and draws the display lines from the view's first visible line
// down; its contents come from the view state the hex panel owns.
class CHexShow : public Container {
    KESTRANE_DECLARE_CLASS(CHexShow)
  public:
    explicit CHexShow(const ViewState& state) : state_(state) {}

    // The width the panel takes in the layout.
    virtual int getPreferredWidth() const = 0;
    // Whether the panel stays fixed at the left edge when the data scroll sideways.
    virtual bool isFixed() const { return false; }
    // Draws the panel's cell of the header band, `height` pixels tall.
    virtual void paintHeader(Graphics&, int /*height*/) {}

    void paint(Graphics& graphics) override;

  protected:
    // Draws display line `line` at window y `y`.
    virtual void paintLine(Graphics&, std::uint64_t /*line*/, int /*y*/) {}
    // Draws after the lines (selection, marks).
    virtual void paintOver(Graphics&, std::uint64_t /*firstLine*/, std::uint64_t /*lastLine*/) {}
    virtual ColorRef background() const = 0;

    const ViewState& state_;
};

// The six panels of a view and the ones it shows, left to right.
struct ViewPanels {
    CHexShow& mark;
    CHexShow& address;
    CHexShow& border;
    CHexShow& hex;
    CHexShow& sizable;
    CHexShow& character;
};
std::vector<CHexShow*> panelsInOrder(const ViewPanels& panels, const PanelsShown& shown);

// The hex and character panels: cells, selection and the modified overlay.
class CShowDataPanel : public CHexShow {
    KESTRANE_DECLARE_CLASS(CShowDataPanel)
  public:
    CShowDataPanel(const ViewState& state, CellGeometry::Panel kind)
        : CHexShow(state), kind_(kind) {}

    CellGeometry cells() const { return state_.cells(kind_); }
    CellGeometry::Panel kind() const { return kind_; }
    // Where the panel's mouse events go (the view's caret and selection).
    std::function<void(CShowDataPanel&, MouseEvent&)> onMouse;
    void processMouseEvent(MouseEvent& event) override;
    void processMouseMotionEvent(MouseEvent& event) override;
    int getPreferredWidth() const override;
    // The panel's cell under a point of its own (window rows), or -1.
    std::int64_t pointToCell(int x, int y) const;
    // Where a cell is drawn in the panel (window rows); y may lie outside
    // the window for a line that is scrolled away.
    ContentPoint cellToPoint(std::uint64_t cell) const;

  protected:
    void paintOver(Graphics& graphics, std::uint64_t firstLine, std::uint64_t lastLine) override;
    void paintRangeSelection(Graphics& graphics, std::uint64_t firstLine, std::uint64_t lastLine);
    void paintColumnSelection(Graphics& graphics, std::uint64_t firstLine, std::uint64_t lastLine);
    // Inverts the cells [from, to) of display line `line`.
    void invertCells(Graphics& graphics, std::uint64_t line, std::uint64_t from, std::uint64_t to);

    CellGeometry::Panel kind_;
};

class CShowHexdata : public CShowDataPanel {
    KESTRANE_DECLARE_CLASS(CShowHexdata)
  public:
    explicit CShowHexdata(const ViewState& state)
        : CShowDataPanel(state, CellGeometry::Panel::Hex) {}
    void paintHeader(Graphics& graphics, int height) override;

  protected:
    void paintLine(Graphics& graphics, std::uint64_t line, int y) override;
    ColorRef background() const override { return state_.colors.hexBackground; }
};

class CShowChardata : public CShowDataPanel {
    KESTRANE_DECLARE_CLASS(CShowChardata)
  public:
    explicit CShowChardata(const ViewState& state)
        : CShowDataPanel(state, CellGeometry::Panel::Character) {}
    void paintHeader(Graphics& graphics, int height) override;

  protected:
    void paintLine(Graphics& graphics, std::uint64_t line, int y) override;
    ColorRef background() const override { return state_.colors.charBackground; }
};

class CShowAddrdata : public CHexShow {
    KESTRANE_DECLARE_CLASS(CShowAddrdata)
  public:
    using CHexShow::CHexShow;
    int getPreferredWidth() const override {
        return state_.addressDigits() * state_.pixels.charWidth + 4 + 4;
    }
    bool isFixed() const override { return true; }
    void paintHeader(Graphics& graphics, int height) override;

  protected:
    void paintLine(Graphics& graphics, std::uint64_t line, int y) override;
    ColorRef background() const override { return state_.colors.addressBackground; }
};

class CShowMarkdata : public CHexShow {
    KESTRANE_DECLARE_CLASS(CShowMarkdata)
  public:
    static constexpr int kImageSize = 12;

    CShowMarkdata(const ViewState& state, int scrollBarWidth)
        : CHexShow(state), width_(scrollBarWidth) {}
    int getPreferredWidth() const override { return width_; }
    bool isFixed() const override { return true; }
    void paintHeader(Graphics& graphics, int height) override;

  protected:
    void paintLine(Graphics& graphics, std::uint64_t line, int y) override;
    ColorRef background() const override { return state_.colors.markBackground; }

  private:
    int width_;
};

class CShowBorder : public CHexShow {
    KESTRANE_DECLARE_CLASS(CShowBorder)
  public:
    using CHexShow::CHexShow;
    int getPreferredWidth() const override { return 4; }
    bool isFixed() const override { return true; }
    void paintHeader(Graphics& graphics, int height) override;

  protected:
    ColorRef background() const override { return 0xE0E0E0; }
};

// The line-width handle between the hex and the character panel. A drag
// with the left button proposes a new width in whole units; releasing it
// sends the difference to the view (user message 101); a right-button
// release during the drag ends it without change.
class CShowSizable : public CHexShow {
    KESTRANE_DECLARE_CLASS(CShowSizable)
  public:
    // What the handle asks of the view: the width bounds and the message.
    struct Hooks {
        std::function<std::pair<int, int>()> limits;
        std::function<void(int difference)> lineWidthChanged;
    };

    explicit CShowSizable(const ViewState& state);
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    int getPreferredWidth() const override { return 6; }
    void paintHeader(Graphics& graphics, int height) override;
    // The width a drag from startX to x asks for, clamped to the bounds.
    int candidateWidth(int startX, int x, int minimum, int maximum) const;

    bool isDragging() const { return dragging_; }
    int candidate() const { return candidate_; }
    // Where the drag line stands, in the handle's coordinates.
    int dragX() const { return dragX_; }
    // "Line Width: %i", or "%02X" with hexadecimal addresses.
    std::string dragTipText() const;

    void processMouseEvent(MouseEvent& event) override;
    void processMouseMotionEvent(MouseEvent& event) override;

  protected:
    ColorRef background() const override { return 0xD8E9EC; }

  private:
    Hooks hooks_;
    bool dragging_ = false;
    int startX_ = 0;
    int dragX_ = 0;
    int candidate_ = 0;
};
