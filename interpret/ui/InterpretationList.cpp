#include "interpret/ui/InterpretationList.h"

#include <QHeaderView>

#include "platform/StringTable.h"

InterpretationList::InterpretationList(const platform::StringTable& strings, bool headers,
                                       QWidget* parent)
    : QTableWidget(interpretation::kRows, 2, parent) {
    setHorizontalHeaderLabels({QString::fromStdString(strings.text(interpretation::kTypeColumn)),
                               QString::fromStdString(strings.text(interpretation::kValueColumn))});
    horizontalHeader()->setVisible(headers);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    for (int row = 0; row < interpretation::kRows; ++row) {
        auto* type = new QTableWidgetItem(
            QString::fromStdString(strings.text(interpretation::kTypeNameBase + row)));
        type->setData(Qt::UserRole, row);
        setItem(row, 0, type);
        setItem(row, 1, new QTableWidgetItem());
    }
    // The selection stays visible while the list has no focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

void InterpretationList::showValues(const std::array<std::string, interpretation::kRows>& values) {
    for (int row = 0; row < interpretation::kRows; ++row) {
        // Each row carries its type's index, whatever the order rows show in.
        const int type = item(row, 0)->data(Qt::UserRole).toInt();
        const QString text = QString::fromStdString(values[static_cast<std::size_t>(type)]);
        QTableWidgetItem* cell = item(row, 1);
        if (cell->text() != text) {
            cell->setText(text);
        }
    }
}

QString InterpretationList::valueText(int row) const {
    return item(row, 1)->text();
}

void InterpretationList::setInitialColumnWidths() {
    const int third = viewport()->width() / 3;
    setColumnWidth(0, third);
    setColumnWidth(1, 2 * third - 24);
}

void InterpretationList::lockDataType(bool locked) {
    if (locked) {
        if (selectedItems().isEmpty()) {
            selectRow(0);
        }
        if (!selectedItems().isEmpty()) {
            scrollToItem(selectedItems().front());
        }
    }
    setEnabled(!locked);
}
