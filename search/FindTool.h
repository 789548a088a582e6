#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "search/SearchEngine.h"

class CEditData;
class CSettings;

namespace platform {
class MessageService;
class ProgressRunner;
}  // namespace platform

// What the find and replace steps ask of the view they search in.
class SearchView {
  public:
    virtual ~SearchView() = default;
    virtual CEditData& searchedData() = 0;
    virtual std::uint64_t caretOffset() = 0;
    // The range selection [start, end), when the selection is a range.
    virtual std::optional<std::pair<std::uint64_t, std::uint64_t>> rangeSelection() = 0;
    // Any selection, a column block too.
    virtual bool hasSelection() = 0;
    // Selects [offset, offset + length) with the caret at `offset`, in view.
    virtual void selectMatch(std::uint64_t offset, std::uint64_t length) = 0;
    // Marks the display line of `offset` (a marked line stays marked).
    virtual void markLineOf(std::uint64_t offset) = 0;
    virtual void clearSelection() = 0;
};

// The Find dialog's choices, kept by the view between showings.
struct FindOptions {
    bool asciiText = true;  // false: hexadecimal bytes
    bool matchCase = false;
    bool regex = false;
    bool up = false;  // the direction "Up"
    bool markLines = false;

    // "Find Hex Data", "Match Case", "Reg Exp" and "Mark Line" of "Edit".
    void load(const CSettings& settings, bool withMarkLines);
    void store(CSettings& settings, bool withMarkLines) const;
};

// The find text as a progress text shows it: its first 16 characters and
// "..." when it has 16 or more (cut at a character boundary).
std::string shortenedFindText(const std::string& text);

// The find step of one view: its engine, its choices, the two passes over
// the data and the background search of long ranges.
class FindTool {
  public:
    enum Result { Found = 0, EmptyText = -1, InvalidHex = -2, TextNotFound = -3, HexNotFound = -4 };

    explicit FindTool(SearchSettings settings) : engine_(nullptr, settings) {}

    FindOptions options;
    SearchEngine& engine() { return engine_; }

    // One find step from the caret for `findText`: `next` searches in the
    // dialog's direction, otherwise against it; `forceForward` (the find
    // box's Enter) always searches toward the end. Without "Find Continue"
    // there is no second pass from the other end. Long ranges run under
    // `runner` with the strings of `messages`.
    int findNext(const std::string& findText, bool next, SearchView& view, bool findContinue,
                 platform::ProgressRunner* runner, const platform::StringTable& strings,
                 bool forceForward = false, bool markLines = true);
    // The message F3 and Shift+F3 show for a failed step.
    static void reportForKeys(int result, const std::string& findText,
                              platform::MessageService& messages);

  private:
    std::optional<SearchMatch> searchPass(std::uint64_t start, std::uint64_t end, bool forward,
                                          bool firstPass, platform::ProgressRunner* runner,
                                          const platform::StringTable& strings);

    SearchEngine engine_;
};
