#include "display/ui/PositionCommands.h"

#include "display/CHexPanel.h"
#include "display/ui/PositionDialogs.h"

void runSelectRange(CHexPanel& panel, platform::MessageService& messages, QWidget* parent) {
    const ViewState& state = panel.state();
    if (!state.attached) {
        return;
    }
    const auto base = static_cast<std::int64_t>(state.presentation.dataStartAddress());
    const auto size = static_cast<std::int64_t>(state.dataSize);
    std::int64_t start = 0;
    std::int64_t end = 0;
    if (state.selection.kind == Selection::Kind::Range) {
        start = static_cast<std::int64_t>(state.selection.start) + base;
        end = static_cast<std::int64_t>(state.selection.end) + base;
    }
    const SetRangeDialog::Presets presets{base, base + size,
                                          base + static_cast<std::int64_t>(panel.caretOffset())};
    SetRangeDialog dialog(start, end, presets, base, state.dataSize, messages, parent);
    if (dialog.exec() == QDialog::Accepted) {
        panel.selectRange(static_cast<std::uint64_t>(dialog.start() - base),
                          static_cast<std::uint64_t>(dialog.end() - base));
    }
}

void runSelectColumnBlock(CHexPanel& panel, platform::MessageService& messages, QWidget* parent) {
    const ViewState& state = panel.state();
    if (!state.attached) {
        return;
    }
    const CellGeometry cells = panel.hexPanel().cells();
    SetColumnBlockDialog::Block initial;
    if (state.selection.kind == Selection::Kind::Block) {
        initial = {static_cast<std::int64_t>(state.selection.firstLine),
                   static_cast<std::int64_t>(state.selection.lastLine), state.selection.firstColumn,
                   state.selection.lastColumn};
    } else {
        const CellGeometry::ColumnLine at = cells.offsetToColumnLine(panel.caretOffset());
        const auto line = static_cast<std::int64_t>(at.line);
        initial = {line, line, at.column, at.column};
    }
    SetColumnBlockDialog dialog(initial, cells.lineCount(), cells.unitsPerLine(), messages, parent);
    if (dialog.exec() == QDialog::Accepted) {
        const SetColumnBlockDialog::Block& b = dialog.block();
        panel.setColumnBlock(static_cast<std::uint64_t>(b.firstRow),
                             static_cast<std::uint64_t>(b.lastRow), static_cast<int>(b.firstColumn),
                             static_cast<int>(b.lastColumn));
    }
}

void runDataStartAddress(CHexPanel& panel, platform::MessageService& messages, QWidget* parent) {
    if (!panel.state().attached) {
        return;
    }
    SpecifyPositionDialog dialog(QStringLiteral("Set Data Start Address"), 0, 0xFFFFFFFF,
                                 panel.state().presentation.dataStartAddress(), messages, parent);
    if (dialog.exec() == QDialog::Accepted) {
        panel.setDataStartAddress(static_cast<std::uint32_t>(dialog.value()));
    }
}
