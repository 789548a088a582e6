#include "search/SearchHistory.h"

#include <algorithm>
#include <cstdio>

#include "settings/CSettings.h"

namespace {

std::string valueName(std::string_view prefix, std::size_t index) {
    char number[24];
    std::snprintf(number, sizeof number, "%zx", index);
    return std::string(prefix) + number;
}

std::string cut(std::string text) {
    if (text.size() > SearchHistory::kMaxLength) {
        text.resize(SearchHistory::kMaxLength);
    }
    return text;
}

}  // namespace

void SearchHistory::addToTop(const std::string& text, std::size_t limit) {
    if (text.empty() || (!entries_.empty() && entries_.front() == text)) {
        return;
    }
    entries_.erase(std::remove(entries_.begin(), entries_.end(), text), entries_.end());
    entries_.insert(entries_.begin(), text);
    if (limit > 0 && entries_.size() > limit) {
        entries_.resize(limit);
    }
}

void SearchHistory::takeFromDialog(const std::vector<std::string>& list) {
    entries_.clear();
    for (std::size_t i = 0; i < list.size() && i < kDialogReturn; ++i) {
        if (!list[i].empty()) {
            entries_.push_back(list[i]);
        }
    }
}

SearchHistory SearchHistory::load(const CSettings& settings, std::string_view section,
                                  std::string_view prefix) {
    SearchHistory history;
    const platform::RegistryKey key = settings.applicationKey().at(section);
    for (std::size_t i = 0;; ++i) {
        const std::optional<std::string> text = key.queryString(valueName(prefix, i));
        if (!text || text->empty()) {
            break;
        }
        history.entries_.push_back(cut(*text));
    }
    if (const std::optional<std::string> current = key.queryString("Current");
        current && !current->empty()) {
        history.addToTop(cut(*current));
    }
    return history;
}

void SearchHistory::save(CSettings& settings, std::string_view section, std::string_view prefix,
                         const std::string& current) const {
    const platform::RegistryKey application = settings.applicationKey();
    if (!application.isValid()) {
        return;
    }
    application.deleteTree(section);
    const platform::RegistryKey key = application.createSubkey(section);
    std::size_t number = 0;
    for (const std::string& entry : entries_) {
        if (!entry.empty()) {
            key.setString(valueName(prefix, number++), entry);
        }
    }
    if (!current.empty()) {
        key.setString("Current", current);
    }
}
