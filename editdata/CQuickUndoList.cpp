#include "editdata/CQuickUndoList.h"

#include <algorithm>

#include "editdata/CEditData.h"
#include "editdata/EditDataStrings.h"
#include "platform/PrintfFormat.h"

void CQuickUndoList::fill(const CEditData& store, Kind kind) {
    std::vector<std::string> names;
    const int count = kind == Kind::Undo ? store.getUndoCount() : store.getRedoCount();
    for (int index = count - 1; index >= 0; --index) {
        std::string name;
        if (kind == Kind::Undo ? store.getUndoName(index, name) : store.getRedoName(index, name)) {
            names.push_back(name);
        }
    }
    fill(std::move(names), kind);
}

void CQuickUndoList::fill(std::vector<std::string> namesNewestFirst, Kind kind) {
    kind_ = kind;
    items_ = std::move(namesNewestFirst);
    selected_ = 0;
    text_.clear();
}

void CQuickUndoList::select(int k) {
    if (items_.empty()) {
        selected_ = 0;
        return;
    }
    selected_ = std::clamp(k, 0, static_cast<int>(items_.size()) - 1) + 1;
    const int format = kind_ == Kind::Undo ? editstrings::kUndoActions : editstrings::kRedoActions;
    text_ = platform::formatPrintf(editDataText(format), {selected_});
}

bool CQuickUndoList::confirm(CEditData& store) const {
    const int n = confirmedCount();
    if (n < 0) {
        return false;
    }
    return kind_ == Kind::Undo ? store.undo(n) : store.redo(n);
}

void CQuickUndoList::cancel() {
    text_ = editDataText(editstrings::kQuickCancel);
}
