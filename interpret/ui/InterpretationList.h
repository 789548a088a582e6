#pragma once

#include <QTableWidget>
#include <array>
#include <string>

#include "interpret/InterpretationTable.h"

namespace platform {
class StringTable;
}

// The type list of both programs: the fourteen rows with their type names,
// a grid, one whole row selected at a time and the selection always shown.
// Kestrane's shows no column headers.
class InterpretationList : public QTableWidget {
  public:
    InterpretationList(const platform::StringTable& strings, bool headers,
                       QWidget* parent = nullptr);

    // Sets each value cell that differs.
    void showValues(const std::array<std::string, interpretation::kRows>& values);
    QString valueText(int row) const;
    // "Type" a third of the width, "Value" twice that less 24.
    void setInitialColumnWidths();
    // Locking selects the first row when none is, shows the selected row
    // and disables the list; unlocking enables it.
    void lockDataType(bool locked);
};
