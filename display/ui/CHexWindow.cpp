#include "display/ui/CHexWindow.h"

#include <QFocusEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <vector>

#include "display/ui/CTipWindow.h"
#include "display/ui/KeyCodes.h"
#include "settings/CSettings.h"

namespace {

std::uint32_t modifiersOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
    std::uint32_t flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= modifier::LeftButton;
    if (buttons & Qt::RightButton)
        flags |= modifier::RightButton;
    if (buttons & Qt::MiddleButton)
        flags |= modifier::MiddleButton;
    if (keys & Qt::ShiftModifier)
        flags |= modifier::Shift;
    if (keys & Qt::ControlModifier)
        flags |= modifier::Control;
    if (keys & Qt::AltModifier)
        flags |= modifier::Alt;
    return flags;
}

}  // namespace

CHexWindow::CHexWindow(CSettings& settings, CEditDataServices services, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    renderer_ = std::make_unique<HexViewRenderer>(
        settings.get(settings::appearance::DisplayFacename), logicalDpiY());
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    panel_ = std::make_unique<CHexPanel>(settings, services, barWidth);
    panel_->setNativeWindow(this);
    renderer_->applyMetrics(*panel_);
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int value) {
        panel_->scrollToLine(static_cast<std::int64_t>(value) * verticalScale_);
    });
    connect(horizontal_, &QScrollBar::valueChanged, this,
            [this](int value) { panel_->scrollToX(value); });
    tip_ = new CTipWindow(renderer_->font(), this);
    handleTip_ = new CTipWindow(renderer_->font(), this);
    pageTip_ = new CTipWindow(renderer_->font(), this);
    connect(vertical_, &QScrollBar::sliderMoved, this, [this](int value) { showPageTip(value); });
    connect(vertical_, &QScrollBar::sliderReleased, this, [this] { pageTip_->hideTip(); });
    // Message 101 reaches the window as a posted message.
    panel_->setMessagePoster([this](int message, int parameter) {
        if (message == CHexPanel::kLineWidthMessage) {
            QMetaObject::invokeMethod(
                this, [this, parameter] { panel_->handleLineWidthMessage(parameter); },
                Qt::QueuedConnection);
        }
    });
    panel_->setMenuRequester([this](CHexPanel::Menu menu, int x, int y) { showMenu(menu, x, y); });
    dragTimer_ = new QTimer(this);
    dragTimer_->setInterval(CHexPanel::kDragScrollInterval);
    connect(dragTimer_, &QTimer::timeout, this, [this] {
        panel_->dragTimerTick();
        update();
    });
    panel_->setDragTimer([this](bool running) {
        if (running) {
            dragTimer_->start();
        } else {
            dragTimer_->stop();
        }
    });
    placeScrollBars();
}

CHexWindow::~CHexWindow() {
    panel_->setDragTimer(nullptr);
    panel_->setNativeWindow(nullptr);
    panel_.reset();
}

void CHexWindow::reloadAppearance() {
    renderer_ = std::make_unique<HexViewRenderer>(
        settings_.get(settings::appearance::DisplayFacename), logicalDpiY());
    renderer_->applyMetrics(*panel_);
    update();
}

Dimension CHexWindow::clientSize() const {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {std::max(0, width() - (vertical_->isVisible() ? bar : 0)),
            std::max(0, height() - (horizontal_->isVisible() ? bar : 0))};
}

void CHexWindow::placeScrollBars() {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    vertical_->setGeometry(width() - bar, 0, bar, height() - (horizontal_->isVisible() ? bar : 0));
    horizontal_->setGeometry(0, height() - bar, width() - (vertical_->isVisible() ? bar : 0), bar);
}

void CHexWindow::invalidate(const Rectangles& r, bool) {
    update(QRect(r.x, r.y, r.width, r.height));
}

void CHexWindow::scrollContents(int, int) {
    update();
}

void CHexWindow::setScrollRange(ScrollBar bar, std::int64_t maximum, std::int64_t page) {
    QScrollBar* scroll = bar == ScrollBar::Vertical ? vertical_ : horizontal_;
    std::int64_t scale = 1;
    if (bar == ScrollBar::Vertical) {
        // A Qt scroll bar counts in int: very long files scroll in steps of lines.
        while (maximum / scale > INT_MAX / 2) {
            scale *= 2;
        }
        verticalScale_ = scale;
    }
    const std::int64_t top = std::max<std::int64_t>(0, maximum - page);
    const bool wasVisible = scroll->isVisible();
    scroll->blockSignals(true);
    scroll->setRange(0, static_cast<int>((top + scale - 1) / scale));
    scroll->setPageStep(static_cast<int>(std::max<std::int64_t>(1, page / scale)));
    scroll->setSingleStep(bar == ScrollBar::Vertical ? 1 : renderer_->charWidth());
    scroll->blockSignals(false);
    scroll->setVisible(maximum > 0);
    if (wasVisible != scroll->isVisible()) {
        placeScrollBars();
    }
}

void CHexWindow::setScrollPosition(ScrollBar bar, std::int64_t position) {
    QScrollBar* scroll = bar == ScrollBar::Vertical ? vertical_ : horizontal_;
    const std::int64_t scale = bar == ScrollBar::Vertical ? verticalScale_ : 1;
    scroll->blockSignals(true);
    scroll->setValue(static_cast<int>(position / scale));
    scroll->blockSignals(false);
}

void CHexWindow::setMouseCapture(bool) {
    // Qt grabs the mouse for the duration of a press by itself.
}

void CHexWindow::createCaret(int width, int height) {
    caret_.setSize(QSize(width, height));
}

void CHexWindow::setCaretPosition(int x, int y) {
    update(caret_);
    caret_.moveTo(x, y);
    update(caret_);
}

void CHexWindow::showCaret(bool shown) {
    caretShown_ = shown;
    update(caret_);
}

void CHexWindow::destroyCaret() {
    caretShown_ = false;
    update(caret_);
    caret_ = QRect();
}

void CHexWindow::contentWidthChanged(int width) {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int wanted = width + bar + 4;
    if (maximumWidth() != wanted) {
        // Wider views keep the window at the panels' width; narrower ones
        // give it their width and it scrolls sideways.
        setMaximumWidth(wanted);
    }
}

QSize CHexWindow::sizeHint() const {
    return {std::min(maximumWidth(), 4096), 300};
}

void CHexWindow::paintEvent(QPaintEvent* event) {
    const Dimension client = clientSize();
    if (client.width <= 0 || client.height <= 0) {
        return;
    }
    // One off-screen image per paint, copied to the screen in one transfer.
    QImage image(client.width, client.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    renderer_->render(*panel_, image, event->rect().intersected(image.rect()));
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    CShowSizable& handle = panel_->handlePanel();
    if (handle.isDragging()) {
        // The drag line, inverted half-tone over the view.
        const int x = handle.getBounds().x - panel_->state().scrollX + handle.dragX();
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(x, 0, 2, client.height), QBrush(Qt::white, Qt::Dense4Pattern));
        painter.restore();
    }
    if (caretShown_ && !caret_.isEmpty()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(caret_, Qt::white);
    }
}

void CHexWindow::resizeEvent(QResizeEvent*) {
    placeScrollBars();
    panel_->invalidate();
    panel_->validate();
    update();
}

void CHexWindow::sendMouse(QMouseEvent* event, NativeMouseMessage::Kind kind) {
    const QPoint at = event->position().toPoint();
    const Dimension client = clientSize();
    NativeMouseMessage message;
    message.kind = kind;
    message.x = at.x();
    message.y = at.y();
    message.modifiers = modifiersOf(event->buttons(), event->modifiers());
    message.overWindow =
        at.x() >= 0 && at.y() >= 0 && at.x() < client.width && at.y() < client.height;
    panel_->handleMouse(message);
}

void CHexWindow::mousePressEvent(QMouseEvent* event) {
    sendMouse(event, event->button() == Qt::RightButton ? NativeMouseMessage::Kind::RightDown
                                                        : NativeMouseMessage::Kind::LeftDown);
}

void CHexWindow::mouseReleaseEvent(QMouseEvent* event) {
    sendMouse(event, event->button() == Qt::RightButton ? NativeMouseMessage::Kind::RightUp
                                                        : NativeMouseMessage::Kind::LeftUp);
    handleTip_->hideTip();
    update();
}

void CHexWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    sendMouse(event, event->button() == Qt::RightButton
                         ? NativeMouseMessage::Kind::RightDoubleClick
                         : NativeMouseMessage::Kind::LeftDoubleClick);
}

void CHexWindow::mouseMoveEvent(QMouseEvent* event) {
    sendMouse(event, NativeMouseMessage::Kind::Move);
    updatePointer(event->position().toPoint());
}

void CHexWindow::wheelEvent(QWheelEvent* event) {
    // Whole lines: up for a positive delta, three lines a notch. Touchpads
    // send fractions of a notch; they add up until a line is due.
    wheelEighths_ += event->angleDelta().y();
    const int lines = wheelEighths_ * 3 / 120;
    if (lines != 0) {
        wheelEighths_ -= lines * 120 / 3;
        panel_->scrollByLines(-lines);
    }
    event->accept();
}

void CHexWindow::keyPressEvent(QKeyEvent* event) {
    // The key data carries the modifiers: bit 0 Shift, bit 1 Control, bit 2 Alt.
    const Qt::KeyboardModifiers keys = event->modifiers();
    const std::uint32_t data = ((keys & Qt::ShiftModifier) ? 1u : 0u) |
                               ((keys & Qt::ControlModifier) ? 2u : 0u) |
                               ((keys & Qt::AltModifier) ? 4u : 0u);
    panel_->handleKey(eventid::KeyPressed, virtualKeyOf(event->key()), data);
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() >= 0x20 && text.at(0).unicode() < 0x100 &&
        (keys & Qt::ControlModifier) == 0) {
        panel_->handleKey(eventid::KeyTyped, text.at(0).unicode(), data);
    }
    update();
}

void CHexWindow::keyReleaseEvent(QKeyEvent* event) {
    panel_->handleKey(eventid::KeyReleased, virtualKeyOf(event->key()),
                      static_cast<std::uint32_t>(event->nativeScanCode()));
}

void CHexWindow::focusInEvent(QFocusEvent*) {
    panel_->handleFocus(true);
}

void CHexWindow::focusOutEvent(QFocusEvent*) {
    panel_->handleFocus(false);
}

void CHexWindow::showPageTip(int value) {
    if (!panel_->state().shown.pageTips) {
        return;
    }
    const QPoint at = mapToGlobal(QPoint(width(), mapFromGlobal(QCursor::pos()).y()));
    pageTip_->showText(QString::fromStdString(
                           panel_->pageTipFor(static_cast<std::int64_t>(value) * verticalScale_)),
                       at);
}

void CHexWindow::updatePointer(const QPoint& at) {
    const CHexPanel::Cursor cursor = panel_->cursorAt(at.x(), at.y());
    switch (cursor) {
        case CHexPanel::Cursor::IBeam:
            setCursor(Qt::IBeamCursor);
            break;
        case CHexPanel::Cursor::Mark:
            setCursor(Qt::UpArrowCursor);
            break;
        case CHexPanel::Cursor::Link:
            setCursor(Qt::PointingHandCursor);
            break;
        case CHexPanel::Cursor::Sizing:
            setCursor(Qt::SplitHCursor);
            break;
        case CHexPanel::Cursor::Arrow:
            setCursor(Qt::ArrowCursor);
            break;
    }
    const std::string markTip = panel_->markTipAt(at.x(), at.y());
    if (!markTip.empty() && window()->isActiveWindow()) {
        const std::uint32_t colour = panel_->markTipColourAt(at.x(), at.y());
        tip_->showText(
            QString::fromStdString(markTip), mapToGlobal(at + QPoint(12, 8)),
            QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                   static_cast<int>((colour >> 16) & 0xFF)));
    } else {
        tip_->hideTip();
    }
    CShowSizable& handle = panel_->handlePanel();
    if (handle.isDragging() && panel_->state().shown.pageTips) {
        handleTip_->showText(QString::fromStdString(handle.dragTipText()),
                             mapToGlobal(at + QPoint(12, 8)));
    } else if (cursor == CHexPanel::Cursor::Sizing && panel_->state().shown.pageTips) {
        handleTip_->showText(QStringLiteral("Change Line Width"), mapToGlobal(at + QPoint(12, 8)));
    } else {
        handleTip_->hideTip();
    }
    if (handle.isDragging()) {
        update();  // the drag line follows the pointer
    }
}

void CHexWindow::showMenu(CHexPanel::Menu menu, int x, int y) {
    if (!menuFor || !commandState || !onCommand) {
        return;
    }
    const std::span<const MenuItem> items = menuFor(menu);
    // Over a datamark its associations: the whole association menu, or
    // appended to "Bookmark".
    const std::vector<CHexPanel::AssociationMenuItem> links =
        menu == CHexPanel::Menu::Association || menu == CHexPanel::Menu::Bookmark
            ? panel_->associationMenuItems()
            : std::vector<CHexPanel::AssociationMenuItem>{};
    if (items.empty() && links.empty()) {
        return;
    }
    if (beforeMenu) {
        beforeMenu();
    }
    QMenu popup(this);
    for (const MenuItem& item : items) {
        if (item.id == 0) {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(QString::fromLatin1(item.text));
        action->setData(item.id);
        const CommandState state = commandState(item.id);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
    }
    if (!items.empty() && !links.empty()) {
        popup.addSeparator();
    }
    std::vector<const QAction*> linkActions;
    for (const CHexPanel::AssociationMenuItem& link : links) {
        QAction* action = popup.addAction(QString::fromStdString(link.text));
        action->setData(link.id);
        const auto image = renderer_->images().find(link.imageId);
        if (image != renderer_->images().end()) {
            action->setIcon(QIcon(QPixmap::fromImage(image->second)));
        }
        linkActions.push_back(action);
    }
    const QAction* chosen = popup.exec(mapToGlobal(QPoint(x, y)));
    if (chosen != nullptr) {
        if (std::find(linkActions.begin(), linkActions.end(), chosen) != linkActions.end()) {
            panel_->followAssociationEntry(chosen->data().toInt());
        } else {
            onCommand(chosen->data().toInt());
        }
    }
    panel_->loadVisibleData();
    update();
}

void CHexWindow::leaveEvent(QEvent*) {
    tip_->hideTip();
    handleTip_->hideTip();
}
