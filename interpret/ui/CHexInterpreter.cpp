#include "interpret/ui/CHexInterpreter.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

#include "interpret/InterpreterPlacement.h"
#include "interpret/InterpreterStrings.h"
#include "interpret/ui/InterpretationList.h"
#include "platform/StringTable.h"
#include "platform/qt/DialogUnits.h"

namespace {

constexpr int kBorder = 4;  // the sizing border, in pixels
constexpr QSize kMinimumSize(200, 100);

ScreenRect screenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

CHexInterpreter::CHexInterpreter(CSettings& settings, const platform::StringTable& strings,
                                 QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint),
      settings_(settings),
      strings_(strings),
      stored_(InterpreterSettings::load(settings)),
      buttons_(InterpreterProgram::Kestrane, strings,
               [this](InterpreterButton which) { pressed(which); }) {
    setObjectName(QStringLiteral("InterpretationWindow"));
    // Shown on caret moves, it must not take the keyboard from the view.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    values_.littleEndian = stored_.littleEndian;
    values_.decimal = stored_.decimal;
    toggles_.lockPosition = stored_.lockPosition;

    const DialogUnits units(fontMetrics());
    gripper_ = units.rect(0, 0, 18, 6);
    buttons_.add(this, InterpreterButton::Close, units.rect(2, 10, 14, 14));
    buttons_.add(this, InterpreterButton::LockPosition, units.rect(2, 29, 14, 14));
    buttons_.add(this, InterpreterButton::ByteOrder, units.rect(2, 45, 14, 14));
    buttons_.add(this, InterpreterButton::NumberSystem, units.rect(2, 61, 14, 14));
    buttons_.add(this, InterpreterButton::LockDataType, units.rect(2, 77, 14, 14));
    list_ = new InterpretationList(strings, false, this);
    list_->setGeometry(units.rect(19, 0, 190, 100));
    list_->setMouseTracking(true);
    setMinimumSize(kMinimumSize);
    resize(units.size(210, 100).expandedTo(kMinimumSize));
    list_->setInitialColumnWidths();
    refreshButtons();
    renderValues();
}

CHexInterpreter::~CHexInterpreter() {
    stored_.littleEndian = values_.littleEndian;
    stored_.decimal = values_.decimal;
    stored_.lockPosition = toggles_.lockPosition;
    stored_.store(settings_);
}

void CHexInterpreter::pressed(InterpreterButton which) {
    if (which == InterpreterButton::Close) {
        setHiddenByUser(true);
        return;
    }
    pressStateButton(which, values_, toggles_);
    if (which == InterpreterButton::LockDataType) {
        list_->lockDataType(toggles_.lockDataType);
    }
    renderValues();
    refreshButtons();
    list_->setFocus();
}

QToolButton* CHexInterpreter::button(InterpreterButton which) const {
    return buttons_.button(which);
}

void CHexInterpreter::refreshButtons() {
    buttons_.refresh(values_, toggles_, tipsShown_);
    list_->setToolTip(tipsShown_
                          ? QString::fromStdString(strings_.text(interpretertext::kValueArea))
                          : QString());
}

void CHexInterpreter::setTipsShown(bool shown) {
    tipsShown_ = shown;
    refreshButtons();
}

void CHexInterpreter::renderValues() {
    list_->showValues(interpretation::renderAll(values_, interpretation::CharacterRows::Converted));
}

void CHexInterpreter::showData(const std::uint8_t* bytes, int count, std::optional<QPoint> anchor) {
    values_.setBytes(bytes, count);
    renderValues();
    if (!toggles_.lockPosition && anchor && pos() != *anchor) {
        move(*anchor);
    }
}

void CHexInterpreter::followCaret(QPoint caret, int lineHeight, const ByteReader& read) {
    if (stored_.hidden) {
        return;
    }
    QScreen* screen = QGuiApplication::screenAt(caret);
    if (screen == nullptr) {
        screen = this->screen();
    }
    const ScreenRect workArea =
        screenRect(screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 640, 480));
    const ScreenPoint at =
        interpreterPlace({caret.x(), caret.y()}, screenRect(geometry()), lineHeight, workArea);
    std::array<std::uint8_t, InterpretationState::kCapacity> bytes{};
    int count = static_cast<int>(bytes.size());
    if (!read(bytes.data(), count)) {
        return;
    }
    showData(bytes.data(), count, QPoint(at.x, at.y));
    if (!isVisible()) {
        show();
    }
}

void CHexInterpreter::setHiddenByUser(bool hidden) {
    if (hidden == stored_.hidden) {
        return;
    }
    stored_.hidden = hidden;
    setVisible(!hidden);
    list_->setFocus();
}

void CHexInterpreter::placeInitially(const QRect& freeArea, const QRect& clientArea) {
    const InitialPlace place = interpreterInitialPlace(screenRect(geometry()), screenRect(freeArea),
                                                       screenRect(clientArea));
    if (place.found) {
        move(place.at.x, place.at.y);
    }
    setVisible(!stored_.hidden);
}

void CHexInterpreter::toggleLockPosition() {
    pressed(InterpreterButton::LockPosition);
}

void CHexInterpreter::toggleByteOrder() {
    pressed(InterpreterButton::ByteOrder);
}

void CHexInterpreter::toggleNumberSystem() {
    pressed(InterpreterButton::NumberSystem);
}

void CHexInterpreter::toggleLockDataType() {
    pressed(InterpreterButton::LockDataType);
}

// ------------------------------------------------------------ the window itself

void CHexInterpreter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The gripper: two raised lines across the bar.
    const int left = gripper_.left() + 2;
    const int right = gripper_.right() - 2;
    for (const int y : {gripper_.top() + 1, gripper_.top() + 4}) {
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(left, y, right, y);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(left, y + 1, right, y + 1);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CHexInterpreter::resizeEvent(QResizeEvent*) {
    const int left = button(InterpreterButton::LockPosition)->width() + 8;
    list_->setGeometry(left, 0, std::max(0, width() - left), height());
    // The list's own width: 32 pixels stay for the scroll bar and the grid.
    list_->setColumnWidth(1, std::max(0, list_->width() - list_->columnWidth(0) - 32));
}

Qt::Edges CHexInterpreter::edgesAt(const QPoint& point) const {
    Qt::Edges edges;
    if (point.x() < kBorder) {
        edges |= Qt::LeftEdge;
    }
    if (point.x() >= width() - kBorder) {
        edges |= Qt::RightEdge;
    }
    if (point.y() < kBorder) {
        edges |= Qt::TopEdge;
    }
    if (point.y() >= height() - kBorder) {
        edges |= Qt::BottomEdge;
    }
    return edges;
}

void CHexInterpreter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    if (const Qt::Edges edges = edgesAt(at); edges != Qt::Edges()) {
        if (windowHandle() != nullptr && windowHandle()->startSystemResize(edges)) {
            return;
        }
        sizing_ = edges;  // the window system does not help: size by hand
        sizeStart_ = geometry();
        sizePress_ = event->globalPosition().toPoint();
        return;
    }
    movePoint_ = at;
    setCursor(Qt::SizeAllCursor);
    grabMouse();
}

void CHexInterpreter::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (movePoint_ && (event->buttons() & Qt::LeftButton)) {
        move(global - *movePoint_);
        return;
    }
    if (sizing_ != Qt::Edges() && (event->buttons() & Qt::LeftButton)) {
        QRect bounds = sizeStart_;
        const QPoint delta = global - sizePress_;
        if (sizing_ & Qt::LeftEdge) {
            bounds.setLeft(
                std::min(bounds.left() + delta.x(), bounds.right() - kMinimumSize.width()));
        }
        if (sizing_ & Qt::RightEdge) {
            bounds.setRight(bounds.right() + delta.x());
        }
        if (sizing_ & Qt::TopEdge) {
            bounds.setTop(
                std::min(bounds.top() + delta.y(), bounds.bottom() - kMinimumSize.height()));
        }
        if (sizing_ & Qt::BottomEdge) {
            bounds.setBottom(bounds.bottom() + delta.y());
        }
        setGeometry(QRect(bounds.topLeft(), bounds.size().expandedTo(kMinimumSize)));
        return;
    }
    const Qt::Edges edges = edgesAt(event->position().toPoint());
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge)) {
        setCursor(Qt::SizeFDiagCursor);
    } else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge)) {
        setCursor(Qt::SizeBDiagCursor);
    } else if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
        setCursor(Qt::SizeHorCursor);
    } else if (edges & (Qt::TopEdge | Qt::BottomEdge)) {
        setCursor(Qt::SizeVerCursor);
    } else {
        unsetCursor();
    }
}

void CHexInterpreter::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    sizing_ = Qt::Edges();
    if (movePoint_) {
        movePoint_.reset();
        releaseMouse();
        unsetCursor();
        if (onMoveEnded) {
            onMoveEnded();
        }
    }
}
