#include "platform/StringTable.h"

namespace platform {

StringTable::StringTable(std::initializer_list<std::span<const StringEntry>> parts) {
    for (const auto part : parts) {
        add(part);
    }
}

void StringTable::add(std::span<const StringEntry> entries) {
    for (const auto& entry : entries) {
        texts_[entry.id] = std::string(entry.text);
    }
}

void StringTable::add(int id, std::string text) {
    texts_[id] = std::move(text);
}

std::string StringTable::text(int id) const {
    const auto found = texts_.find(id);
    return found == texts_.end() ? std::string() : found->second;
}

std::string StringTable::format(int id, std::initializer_list<FormatArg> args) const {
    return formatPrintf(text(id), args);
}

}  // namespace platform
