#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Progress.h"
#include "search/FindTool.h"

namespace platform {
class File;
}

// Replace and Replace All of one view: its own find step (always forward,
// without linemarks), the replacement of the selected match, and the
// replacement of every match of a range into a temporary file that then
// becomes the data.
class ReplaceTool {
  public:
    explicit ReplaceTool(SearchSettings settings) : find_(settings) {}

    FindOptions& options() { return find_.options; }
    SearchEngine& engine() { return find_.engine(); }
    bool inSelection = false;  // "&Selection" rather than "&Whole file"
    bool fromTop = true;       // "Replace All is From &Top"

    // The Replace dialog's Find Next: forward, no linemarks.
    int findNext(const std::string& findText, SearchView& view, bool findContinue,
                 platform::ProgressRunner* runner, const platform::StringTable& strings) {
        return find_.findNext(findText, true, view, findContinue, runner, strings, true, false);
    }

    // The bytes a replace string stands for: its characters in text mode,
    // the bytes it spells in hex mode; nothing when a hex string is not
    // valid (wildcards are never allowed in it).
    std::optional<std::vector<std::uint8_t>> replacementBytes(const std::string& replaceText) const;

    // Replaces the range selection with the replacement as one undoable
    // step (an empty one deletes it). Shows 3006 for an invalid hex string.
    // False when nothing was replaced.
    bool replace(const std::string& replaceText, SearchView& view,
                 platform::MessageService& messages);

    // What Replace All did.
    struct Outcome {
        bool done = false;           // processed without failure or cancel
        std::uint64_t replaced = 0;  // replacements made
        bool applied = false;        // the user took the result into the data
    };
    // Replace All as the Replace dialog runs it: the ranges, the temporary
    // file, the confirmation (3003) and the new content, or 3004; 3005 and
    // 3006 for invalid hex strings. `temporaryFile` makes the "~HEXDATA" file.
    Outcome replaceAll(const std::string& findText, const std::string& replaceText,
                       SearchView& view, platform::MessageService& messages,
                       platform::ProgressRunner* runner,
                       const std::function<std::optional<std::string>()>& temporaryFile);

  private:
    struct Output;
    using Range = std::pair<std::uint64_t, std::uint64_t>;
    bool writeReplaced(CEditData& data, Output& output, const std::vector<Range>& ranges,
                       const std::vector<std::uint8_t>& replacement, std::uint64_t& count,
                       platform::ProgressRunner* runner, const platform::StringTable& strings);
    enum class RangeResult { Done, Failed, Cancelled };
    RangeResult replaceRange(CEditData& data, Output& output, std::uint64_t start,
                             std::uint64_t end, const std::vector<std::uint8_t>& replacement,
                             std::uint64_t& count, const platform::ProgressCallback* progress,
                             const platform::StringTable& strings);
    bool copyOutsideRange(CEditData& data, Output& output, std::uint64_t start, std::uint64_t end,
                          const platform::ProgressCallback* progress);

    FindTool find_;
};
