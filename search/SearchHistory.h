#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CSettings;

// A list of recent find (or replace) strings, the newest first, as the
// search tool bar keeps them between runs.
class SearchHistory {
  public:
    // The find box keeps 15; the dialogs' lists come back as 16.
    static constexpr std::size_t kBoxLimit = 15;
    static constexpr std::size_t kDialogReturn = 16;
    static constexpr std::size_t kMaxLength = 1024;

    // Puts `text` first: nothing when it is first already, moved when it is
    // further down, else inserted; an empty text never enters. With a limit,
    // the oldest go beyond it.
    void addToTop(const std::string& text, std::size_t limit = 0);
    // Takes a dialog's list back: the non-empty among its first 16.
    void takeFromDialog(const std::vector<std::string>& list);

    const std::vector<std::string>& entries() const { return entries_; }
    void setEntries(std::vector<std::string> entries) { entries_ = std::move(entries); }

    // Reads the values `prefix`0, `prefix`1, ... (hexadecimal) of `section`
    // up to the first missing or empty one, then "Current" to the top.
    static SearchHistory load(const CSettings& settings, std::string_view section,
                              std::string_view prefix);
    // Writes the list anew under `section` (the key made afresh), numbered
    // without gaps, and "Current" when `current` is not empty.
    void save(CSettings& settings, std::string_view section, std::string_view prefix,
              const std::string& current) const;

  private:
    std::vector<std::string> entries_;
};
