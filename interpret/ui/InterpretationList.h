#pragma once

#include <QAbstractScrollArea>
#include <QGlyphRun>
#include <QRawFont>
#include <QStaticText>
#include <array>
#include <string>

#include "interpret/InterpretationTable.h"

namespace platform {
class StringTable;
}

// The type list of both programs: the fourteen rows with their type names
// and values in two columns with a grid, one whole row selected at a time
// and the selection shown also without the focus. Kestrane's shows no
// column headers. It paints its cells itself from laid-out texts kept
// between paints: the window repaints on every caret move.
class InterpretationList : public QAbstractScrollArea {
  public:
    InterpretationList(const platform::StringTable& strings, bool headers,
                       QWidget* parent = nullptr);

    // Sets each value cell that differs and repaints what changed.
    void showValues(const std::array<std::string, interpretation::kRows>& values);
    QString valueText(int row) const;
    QString typeText(int row) const;
    // "Type" a third of the width, "Value" twice that less 24.
    void setInitialColumnWidths();
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    // The selected row, or -1.
    int currentRow() const { return current_; }
    void selectRow(int row);
    // Locking selects the first row when none is, shows the selected row
    // and disables the list; unlocking enables it.
    void lockDataType(bool locked);
    int rowHeight() const { return rowHeight_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct Cell {
        QString text;
        QStaticText laidOut;  // the type names, laid out once
        QGlyphRun glyphs;     // an ASCII value, its glyphs placed at once
    };
    void setCellText(Cell& cell, const QString& text);
    void updateScrollBar();
    int headerHeight() const { return headers_ ? rowHeight_ + 2 : 0; }
    int rowTop(int row) const;
    void paintHeader(QPainter& painter);
    void scrollToRow(int row);

    // The glyph and advance of each printable ASCII character: most values
    // are digits, and a caret move changes every one of them.
    QRawFont rawFont_;
    std::array<quint32, 128> asciiGlyphs_{};
    std::array<qreal, 128> asciiAdvances_{};
    bool headers_;
    QString columnTitles_[2];
    std::array<Cell, interpretation::kRows> types_;
    std::array<Cell, interpretation::kRows> values_;
    int widths_[2] = {80, 120};
    int rowHeight_;
    int current_ = -1;
};
