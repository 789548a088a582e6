#include "interpret/ui/InterpretationList.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionHeader>

#include "platform/StringTable.h"

namespace {

constexpr int kTextMargin = 4;

// The list scrolls on every small window, and the window repaints on every
// caret move: its scroll bar is drawn in the plain style, which paints it
// in a tenth of the time the gradient styles take.
QStyle* plainScrollBarStyle() {
    static QStyle* const style = [] {
        QStyle* plain = QStyleFactory::create(QStringLiteral("Windows"));
        if (plain != nullptr) {
            plain->setParent(QCoreApplication::instance());
        }
        return plain;
    }();
    return style;
}

}  // namespace

InterpretationList::InterpretationList(const platform::StringTable& strings, bool headers,
                                       QWidget* parent)
    : QAbstractScrollArea(parent),
      rawFont_(QRawFont::fromFont(font())),
      headers_(headers),
      rowHeight_(fontMetrics().height() + 4) {
    for (char16_t c = 0x20; c < 0x7F; ++c) {
        const QList<quint32> glyph = rawFont_.glyphIndexesForString(QString(QChar(c)));
        if (glyph.size() == 1) {
            asciiGlyphs_[c] = glyph.front();
            asciiAdvances_[c] = rawFont_.advancesForGlyphIndexes(glyph).front().x();
        }
    }
    columnTitles_[0] = QString::fromStdString(strings.text(interpretation::kTypeColumn));
    columnTitles_[1] = QString::fromStdString(strings.text(interpretation::kValueColumn));
    for (int row = 0; row < interpretation::kRows; ++row) {
        Cell& type = types_[static_cast<std::size_t>(row)];
        type.text = QString::fromStdString(strings.text(interpretation::kTypeNameBase + row));
        type.laidOut.setText(type.text);
        type.laidOut.setTextFormat(Qt::PlainText);
    }
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);  // the window draws the border
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (QStyle* plain = plainScrollBarStyle()) {
        verticalScrollBar()->setStyle(plain);
    }
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    updateScrollBar();
}

void InterpretationList::setCellText(Cell& cell, const QString& text) {
    cell.text = text;
    cell.glyphs = QGlyphRun();
    QList<quint32> indexes;
    QList<QPointF> positions;
    qreal x = 0;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code >= 0x80 || asciiGlyphs_[code] == 0) {
            return;  // drawn as text
        }
        indexes.push_back(asciiGlyphs_[code]);
        positions.push_back(QPointF(x, 0));
        x += asciiAdvances_[code];
    }
    cell.glyphs.setRawFont(rawFont_);
    cell.glyphs.setGlyphIndexes(indexes);
    cell.glyphs.setPositions(positions);
}

void InterpretationList::showValues(const std::array<std::string, interpretation::kRows>& values) {
    for (int row = 0; row < interpretation::kRows; ++row) {
        Cell& cell = values_[static_cast<std::size_t>(row)];
        const QString text = QString::fromStdString(values[static_cast<std::size_t>(row)]);
        if (cell.text != text) {
            setCellText(cell, text);
            viewport()->update(widths_[0], rowTop(row), viewport()->width(), rowHeight_);
        }
    }
}

QString InterpretationList::valueText(int row) const {
    return values_.at(static_cast<std::size_t>(row)).text;
}

QString InterpretationList::typeText(int row) const {
    return types_.at(static_cast<std::size_t>(row)).text;
}

void InterpretationList::setInitialColumnWidths() {
    // The client width: the list less its frame and, when the rows do not
    // fit, the scroll bar (the viewport has no size before the list shows).
    const QRect client = contentsRect();
    const bool scrolls = headerHeight() + interpretation::kRows * rowHeight_ > client.height();
    const int width = client.width() - (scrolls ? verticalScrollBar()->sizeHint().width() : 0);
    const int third = std::max(0, width) / 3;
    widths_[0] = third;
    widths_[1] = std::max(0, 2 * third - 24);
    viewport()->update();
}

int InterpretationList::columnWidth(int column) const {
    return widths_[column == 0 ? 0 : 1];
}

void InterpretationList::setColumnWidth(int column, int width) {
    widths_[column == 0 ? 0 : 1] = std::max(0, width);
    viewport()->update();
}

int InterpretationList::rowTop(int row) const {
    return headerHeight() + (row - verticalScrollBar()->value()) * rowHeight_;
}

void InterpretationList::updateScrollBar() {
    const int shown = std::max(1, (viewport()->height() - headerHeight()) / rowHeight_);
    verticalScrollBar()->setRange(0, std::max(0, interpretation::kRows - shown));
    verticalScrollBar()->setPageStep(shown);
}

void InterpretationList::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void InterpretationList::scrollContentsBy(int, int) {
    viewport()->update();
}

void InterpretationList::paintHeader(QPainter& painter) {
    int left = 0;
    for (int column = 0; column < 2; ++column) {
        QStyleOptionHeader option;
        option.initFrom(this);
        option.rect = QRect(left, 0, widths_[column], headerHeight());
        option.text = columnTitles_[column];
        option.section = column;
        style()->drawControl(QStyle::CE_Header, &option, &painter, this);
        left += widths_[column];
    }
}

// The rows in view; each column's texts under one clip, so a long text
// stops at its column's grid line.
void InterpretationList::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(font());
    const QPalette& colours = palette();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const int first = verticalScrollBar()->value();
    const int last = std::min(interpretation::kRows,
                              first + (viewport()->height() - headerHeight()) / rowHeight_ + 1);
    const int right = widths_[0] + widths_[1];
    const int ascent = fontMetrics().ascent();
    const int textOffset = (rowHeight_ - fontMetrics().height()) / 2;
    if (current_ >= first && current_ < last) {
        painter.fillRect(0, rowTop(current_), right, rowHeight_,
                         colours.color(group, QPalette::Highlight));
    }
    const QColor text = colours.color(group, QPalette::Text);
    const QColor selectedText = colours.color(group, QPalette::HighlightedText);
    const int bottom = std::min(viewport()->height(), rowTop(interpretation::kRows));
    painter.setClipRect(QRect(0, headerHeight(), widths_[0] - 1, bottom - headerHeight()));
    for (int row = first; row < last; ++row) {
        painter.setPen(row == current_ ? selectedText : text);
        painter.drawStaticText(kTextMargin, rowTop(row) + textOffset,
                               types_[static_cast<std::size_t>(row)].laidOut);
    }
    painter.setClipRect(QRect(widths_[0], headerHeight(), widths_[1] - 1, bottom - headerHeight()));
    for (int row = first; row < last; ++row) {
        painter.setPen(row == current_ ? selectedText : text);
        const Cell& value = values_[static_cast<std::size_t>(row)];
        const QPoint at(widths_[0] + kTextMargin, rowTop(row) + textOffset + ascent);
        if (!value.glyphs.isEmpty()) {
            painter.drawGlyphRun(at, value.glyphs);
        } else {
            painter.drawText(at, value.text);
        }
    }
    painter.setClipping(false);
    painter.setPen(colours.color(group, QPalette::Mid));
    for (int row = first; row < last; ++row) {
        const int line = rowTop(row) + rowHeight_ - 1;
        painter.drawLine(0, line, right - 1, line);
    }
    painter.drawLine(widths_[0] - 1, headerHeight(), widths_[0] - 1, bottom - 1);
    painter.drawLine(right - 1, headerHeight(), right - 1, bottom - 1);
    if (headers_) {
        painter.fillRect(0, 0, viewport()->width(), headerHeight(),
                         colours.color(group, QPalette::Button));
        paintHeader(painter);
    }
}

void InterpretationList::selectRow(int row) {
    if (row < 0 || row >= interpretation::kRows || row == current_) {
        return;
    }
    current_ = row;
    scrollToRow(row);
    viewport()->update();
}

void InterpretationList::scrollToRow(int row) {
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value()) {
        bar->setValue(row);
    } else if (row >= bar->value() + bar->pageStep()) {
        bar->setValue(row - bar->pageStep() + 1);
    }
}

void InterpretationList::mousePressEvent(QMouseEvent* event) {
    const int y = event->position().toPoint().y();
    if (event->button() == Qt::LeftButton && y >= headerHeight()) {
        selectRow(verticalScrollBar()->value() + (y - headerHeight()) / rowHeight_);
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void InterpretationList::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            selectRow(std::max(0, current_ - 1));
            return;
        case Qt::Key_Down:
            selectRow(std::min(interpretation::kRows - 1, current_ + 1));
            return;
        case Qt::Key_Home:
            selectRow(0);
            return;
        case Qt::Key_End:
            selectRow(interpretation::kRows - 1);
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void InterpretationList::lockDataType(bool locked) {
    if (locked) {
        if (current_ < 0) {
            selectRow(0);
        }
        scrollToRow(current_);
    }
    setEnabled(!locked);
}
