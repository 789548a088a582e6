#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "display/CHexPanel.h"
#include "display/ui/HexViewRenderer.h"
#include "framework/CommandTarget.h"
#include "framework/NativeWindow.h"

class CTipWindow;
class QScrollBar;

// The native window of one file's view: a widget that owns the CHexPanel,
// turns Qt's paint, mouse, key, wheel and focus events into the framework's,
// paints the panel through one off-screen image per paint, and keeps the
// scroll bars (in lines, scaled when a file has more lines than a Qt scroll
// bar counts).
class QTimer;

class CHexWindow : public QWidget, public NativeWindow {
  public:
    CHexWindow(CSettings& settings, CEditDataServices services, QWidget* parent = nullptr);
    ~CHexWindow() override;

    CHexPanel& panel() { return *panel_; }
    const HexViewRenderer& renderer() const { return *renderer_; }
    // The context menus are the frame's: their tables of command ids, the
    // state of each command and running it. Without them no menu opens.
    std::function<std::span<const MenuItem>(CHexPanel::Menu)> menuFor;
    std::function<CommandState(int commandId)> commandState;
    std::function<void(int commandId)> onCommand;
    // Runs once before a context menu opens (the frame's update pass).
    std::function<void()> beforeMenu;
    // The caret's top-left corner on the screen (where it is parked too).
    QPoint caretOnScreen() const { return mapToGlobal(caret_.topLeft()); }
    // Re-reads fonts and colours after an appearance change.
    void reloadAppearance();

    // NativeWindow
    Dimension clientSize() const override;
    void invalidate(const Rectangles& rectangle, bool erase) override;
    void scrollContents(int dx, int dy) override;
    void setScrollRange(ScrollBar bar, std::int64_t maximum, std::int64_t page) override;
    void setScrollPosition(ScrollBar bar, std::int64_t position) override;
    void setMouseCapture(bool captured) override;
    void setBounds(const Rectangles&) override {}
    void setEnabled(bool enabled) override { QWidget::setEnabled(enabled); }
    void setVisible(bool visible) override { QWidget::setVisible(visible); }
    void createCaret(int width, int height) override;
    void setCaretPosition(int x, int y) override;
    void showCaret(bool shown) override;
    void destroyCaret() override;
    // Narrows the window to the panels' width, the scroll bar and 4 pixels.
    void contentWidthChanged(int width) override;
    // As wide as the panels want (the view's layout keeps it at the left).
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QTimer* dragTimer_ = nullptr;
    int wheelEighths_ = 0;  // wheel delta not yet turned into lines
    void placeScrollBars();
    void sendMouse(QMouseEvent* event, NativeMouseMessage::Kind kind);
    void updatePointer(const QPoint& at);
    void showMenu(CHexPanel::Menu menu, int x, int y);
    void showPageTip(int value);

    CSettings& settings_;
    std::unique_ptr<HexViewRenderer> renderer_;
    std::unique_ptr<CHexPanel> panel_;
    QScrollBar* vertical_;
    QScrollBar* horizontal_;
    std::int64_t verticalScale_ = 1;  // lines per scroll-bar step
    CTipWindow* tip_;
    CTipWindow* handleTip_;
    CTipWindow* pageTip_;
    QRect caret_;
    bool caretShown_ = false;
};
