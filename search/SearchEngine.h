#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Progress.h"
#include "platform/StringTable.h"
#include "search/GlobPattern.h"
#include "search/HexPattern.h"

class CEditData;
class CSettings;

// The search subsystem's messages.
namespace searchtext {
inline constexpr int kNotFound = 3001;           // from the Find dialog and the find box
inline constexpr int kNotFoundInReplace = 3002;  // from the Replace dialog's Find Next
inline constexpr int kReplacedConfirm = 3003;    // Replace All found some
inline constexpr int kNothingReplaced = 3004;    // Replace All found none
inline constexpr int kInvalidHexFind = 3005;     // the hex find string is not valid
inline constexpr int kInvalidHexReplace = 3006;  // the hex replace string is not valid
inline constexpr int kTextNotFound = 3007;       // F3 / Shift+F3 in a text mode
inline constexpr int kHexNotFound = 3008;        // F3 / Shift+F3 in hex mode
inline constexpr int kFindCaption = 3021;        // a find under the progress dialog
inline constexpr int kFindFirstPass = 3022;      // its text: the first pass
inline constexpr int kFindOtherEnd = 3023;       // its text: the pass from the other end
}  // namespace searchtext
std::span<const platform::StringEntry> searchStrings();

// The settings a search runs with.
struct SearchSettings {
    std::int32_t maxFindBytes = 1024;  // the longest occurrence every scan finds
    bool allowHexWildcard = true;
    char hexWildcard = '.';
    bool asyncEnabled = true;
    std::uint64_t asyncThreshold = std::uint64_t{4} << 20;  // bytes

    // The Find engine's: all five from the settings.
    static SearchSettings forFind(const CSettings& settings);
    // The Replace engine's: the pattern settings from the store, the
    // background search always on above 4 MiB.
    static SearchSettings forReplace(const CSettings& settings);
};

// A match: where it starts and how many bytes it holds.
struct SearchMatch {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    bool operator==(const SearchMatch&) const = default;
};

// The search of one view: a find string compiled in one of three modes
// (hexadecimal bytes with wildcard nibbles, plain text, the restricted
// regular expression of GlobPattern), and a scan of a byte range of the
// store, block by block, for the first or the last occurrence.
//
// Blocks are 64 x Max Find Bytes and overlap by Max Find Bytes, so every
// occurrence up to that length is found wherever the blocks fall. The scan
// reads only [start, end) through the store's readData, so it may run on a
// worker while the user interface leaves the store alone.
class SearchEngine {
  public:
    explicit SearchEngine(CEditData* data = nullptr, SearchSettings settings = {})
        : data_(data), settings_(settings) {}

    void setData(CEditData* data) { data_ = data; }
    CEditData* data() const { return data_; }
    void setSettings(const SearchSettings& settings) { settings_ = settings; }
    const SearchSettings& settings() const { return settings_; }

    // Compiles the find string. The same string again (ignoring case in hex
    // mode, and in the text modes without Match Case; with the same flags)
    // is not compiled anew and keeps the last found offset; anything else
    // forgets it. False for an empty string or a hex string that is not
    // valid.
    bool compilePattern(const std::string& findText, bool hexMode, bool regex, bool matchCase);

    // The first (forward) or last match in the `length` bytes at `buffer`:
    // its index and length. The buffer is the engine's to change (the case
    // folding of the text modes) and has one spare byte after its end.
    std::optional<std::pair<std::size_t, std::size_t>> matchBlock(std::uint8_t* buffer,
                                                                  std::size_t length,
                                                                  bool forward) const;

    // The same in two halves, for a caller that matches many windows of one
    // buffer: prepareBlock folds the letters once (in the text modes without
    // Match Case), matchPrepared then matches a window of it, borrowing the
    // byte after the window and giving it back.
    void prepareBlock(std::uint8_t* buffer, std::size_t length) const;
    // Whether prepareBlock changes bytes, so a caller that needs the bytes
    // as they are keeps a copy.
    bool preparingChangesBytes() const { return compiled_ && !hexMode_ && !matchCase_; }
    std::optional<std::pair<std::size_t, std::size_t>> matchPrepared(std::uint8_t* buffer,
                                                                     std::size_t length,
                                                                     bool forward) const;

    // Scans [start, end) of the store for the lowest (forward) or highest
    // (backward) match wholly inside it. `progress` hears (total, done,
    // progress) at the start and after each block, and (total, total,
    // finished or failed) at the end unless cancelled; a Cancel answer sets
    // `cancelled` and ends the scan with nothing found.
    std::optional<SearchMatch> searchRange(bool forward, std::uint64_t start, std::uint64_t end,
                                           const platform::ProgressCallback* progress,
                                           bool& cancelled);

    const std::string& findText() const { return findText_; }
    bool hexMode() const { return hexMode_; }
    bool regex() const { return regex_; }
    bool matchCase() const { return matchCase_; }
    // The match last shown to the user: its offset (-1 for none) and length.
    std::int64_t lastFoundOffset = -1;
    std::int64_t lastMatchLength = 0;

  private:
    std::optional<std::pair<std::size_t, std::size_t>> matchHex(const std::uint8_t* buffer,
                                                                std::size_t length,
                                                                bool forward) const;
    std::optional<std::pair<std::size_t, std::size_t>> matchText(const std::uint8_t* buffer,
                                                                 std::size_t length,
                                                                 bool forward) const;
    std::optional<std::pair<std::size_t, std::size_t>> matchRegex(std::uint8_t* buffer,
                                                                  std::size_t length,
                                                                  bool forward) const;
    bool entriesMatchAt(const std::uint8_t* at) const;

    CEditData* data_;
    SearchSettings settings_;
    std::string findText_;
    bool compiled_ = false;
    bool hexMode_ = false;
    bool regex_ = false;
    bool matchCase_ = false;
    // Hex mode: the entries, the fixed bytes of their longest whole-byte run.
    std::vector<PatternEntry> entries_;
    HexAnchor anchor_;
    std::vector<std::uint8_t> anchorBytes_;
    // Text modes: the pattern as matched (upper case without Match Case).
    std::string text_;
    GlobPattern glob_;
};
