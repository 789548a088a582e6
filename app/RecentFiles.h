#pragma once

#include <string>
#include <vector>

class CSettings;

// The recent-file list: newest first, at most "MRU File Count" entries,
// kept in "Recent File List" as "File1", "File2", ...
class RecentFiles {
  public:
    // The list holds 4 to 10 entries, whatever the setting asks.
    explicit RecentFiles(int capacity) { setCapacity(capacity); }

    // A smaller list drops the oldest entries.
    void setCapacity(int capacity) {
        capacity_ = capacity < 4 ? 4 : capacity > 10 ? 10 : capacity;
        if (paths_.size() > static_cast<std::size_t>(capacity_)) {
            paths_.resize(static_cast<std::size_t>(capacity_));
        }
    }

    void load(const CSettings& settings);
    void save(CSettings& settings) const;
    // Puts `path` first (moving it when it is already listed).
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& paths() const { return paths_; }
    int capacity() const { return capacity_; }

  private:
    int capacity_ = 4;
    std::vector<std::string> paths_;
};
