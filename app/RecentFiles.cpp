#include "app/RecentFiles.h"

#include <algorithm>

#include "settings/CSettings.h"

void RecentFiles::load(const CSettings& settings) {
    paths_.clear();
    for (int i = 1; i <= capacity_; ++i) {
        const std::string path =
            settings.getString(settings::section::RecentFileList, "File" + std::to_string(i), "");
        if (!path.empty()) {
            paths_.push_back(path);
        }
    }
}

void RecentFiles::save(CSettings& settings) const {
    for (int i = 1; i <= capacity_; ++i) {
        const std::size_t index = static_cast<std::size_t>(i - 1);
        settings.writeString(settings::section::RecentFileList, "File" + std::to_string(i),
                             index < paths_.size() ? paths_[index] : std::string());
    }
}

void RecentFiles::add(const std::string& path) {
    remove(path);
    paths_.insert(paths_.begin(), path);
    if (static_cast<int>(paths_.size()) > capacity_) {
        paths_.resize(static_cast<std::size_t>(capacity_));
    }
}

void RecentFiles::remove(const std::string& path) {
    paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}
