#include "search/SearchEngine.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>

#include "editdata/CEditData.h"
#include "search/ByteScan.h"
#include "settings/CSettings.h"

namespace {

constexpr std::array kStrings{
    platform::StringEntry{searchtext::kNotFound, "Can't find string \"%s\"!"},
    platform::StringEntry{searchtext::kNotFoundInReplace, "Can't find string \"%s\"!"},
    platform::StringEntry{searchtext::kReplacedConfirm,
                          "%i strings have been replaced, please confirm if continue: \n\n  click "
                          "\"OK\" to update data; \n  click \"Cancel\" to give up the result."},
    platform::StringEntry{searchtext::kNothingReplaced, "No string has been replaced."},
    platform::StringEntry{searchtext::kInvalidHexFind, "Invalid hexadecimal find string"},
    platform::StringEntry{searchtext::kInvalidHexReplace, "Invalid hexadecimal replace string"},
    platform::StringEntry{searchtext::kTextNotFound, "Can't find text string \"%s\"!"},
    platform::StringEntry{searchtext::kHexNotFound, "Can't find hex bytes \"%s\"!"},
    platform::StringEntry{3021, "Find data asynchronously"},
    platform::StringEntry{3022, "Kestrane is finding the data: \"%s\" ..."},
    platform::StringEntry{3023, "Kestrane is finding in another end the data: \"%s\" ..."},
    platform::StringEntry{3024, "Replace data asynchronously"},
    platform::StringEntry{3025, "Kestrane is replacing the %i-th data string: \"%s\" ..."},
    platform::StringEntry{3026, "Kestrane is replacing the data string: \"%s\" ..."},
    platform::StringEntry{3027, "Kestrane is saving file, please wait..."},
};

std::string upperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 0x20);
        }
    }
    return text;
}

using BlockMatch = std::optional<std::pair<std::size_t, std::size_t>>;

}  // namespace

std::span<const platform::StringEntry> searchStrings() {
    return kStrings;
}

SearchSettings SearchSettings::forFind(const CSettings& settings) {
    SearchSettings loaded = forReplace(settings);
    loaded.asyncEnabled = settings.get(settings::edit::EnableAsynFind) != 0;
    loaded.asyncThreshold = static_cast<std::uint64_t>(settings.get(settings::edit::AsynThreshold))
                            << 20;
    return loaded;
}

SearchSettings SearchSettings::forReplace(const CSettings& settings) {
    SearchSettings loaded;
    loaded.maxFindBytes = settings.get(settings::edit::MaxFindBytes);
    loaded.allowHexWildcard = settings.get(settings::edit::AllowHexWildcard) != 0;
    loaded.hexWildcard = static_cast<char>(settings.get(settings::edit::HexWildcard));
    return loaded;
}

// ------------------------------------------------------------ compiling

bool SearchEngine::compilePattern(const std::string& findText, bool hexMode, bool regex,
                                  bool matchCase) {
    const bool same = compiled_ && hexMode == hexMode_ &&
                      (hexMode ? upperAscii(findText) == upperAscii(findText_)
                               : regex == regex_ && matchCase == matchCase_ &&
                                     (matchCase ? findText == findText_
                                                : upperAscii(findText) == upperAscii(findText_)));
    if (same) {
        return true;
    }
    findText_ = findText;
    hexMode_ = hexMode;
    regex_ = regex;
    matchCase_ = matchCase;
    lastFoundOffset = -1;
    lastMatchLength = 0;
    entries_.clear();
    anchorBytes_.clear();
    text_.clear();
    glob_ = GlobPattern();
    compiled_ = false;
    if (hexMode) {
        entries_ = compileHexPattern(findText, settings_.allowHexWildcard, settings_.hexWildcard);
        if (entries_.empty()) {
            return false;
        }
        anchor_ = findHexAnchor(entries_);
        for (std::size_t i = 0; i < anchor_.length; ++i) {
            anchorBytes_.push_back(entries_[anchor_.position + i].value);
        }
    } else {
        // The text ends at its first zero, as the find box's string does.
        text_ = findText.substr(0, findText.find('\0'));
        if (text_.empty()) {
            return false;
        }
        if (!matchCase) {
            text_ = upperAscii(text_);
        }
        if (regex) {
            glob_ = GlobPattern(text_);
        }
    }
    compiled_ = true;
    return true;
}

// ------------------------------------------------------------ one block

BlockMatch SearchEngine::matchBlock(std::uint8_t* buffer, std::size_t length, bool forward) const {
    prepareBlock(buffer, length);
    return matchPrepared(buffer, length, forward);
}

void SearchEngine::prepareBlock(std::uint8_t* buffer, std::size_t length) const {
    if (preparingChangesBytes()) {
        bytescan::foldAsciiCase(buffer, length);
    }
}

BlockMatch SearchEngine::matchPrepared(std::uint8_t* buffer, std::size_t length,
                                       bool forward) const {
    if (!compiled_) {
        return std::nullopt;
    }
    if (hexMode_) {
        return matchHex(buffer, length, forward);
    }
    if (!regex_) {
        return matchText(buffer, length, forward);
    }
    const std::uint8_t after = buffer[length];
    const BlockMatch match = matchRegex(buffer, length, forward);
    buffer[length] = after;
    return match;
}

bool SearchEngine::entriesMatchAt(const std::uint8_t* at) const {
    for (std::size_t j = 0; j < entries_.size(); ++j) {
        if (!entries_[j].matches(at[j])) {
            return false;
        }
    }
    return true;
}

BlockMatch SearchEngine::matchHex(const std::uint8_t* buffer, std::size_t length,
                                  bool forward) const {
    const std::size_t k = entries_.size();
    if (length < k) {
        return std::nullopt;
    }
    const std::size_t starts = length - k + 1;  // candidate starts [0, starts)
    if (anchor_.length == 0) {
        // No whole byte to look for: every start is tried.
        for (std::size_t n = 0; n < starts; ++n) {
            const std::size_t i = forward ? n : starts - 1 - n;
            if (entriesMatchAt(buffer + i)) {
                return std::pair{i, k};
            }
        }
        return std::nullopt;
    }
    // The anchor run stands at start + position, inside the bytes
    // [position, starts - 1 + position + run length).
    const std::size_t a = anchor_.position;
    const std::uint8_t* zone = buffer + a;
    const std::size_t zoneSize = starts - 1 + anchor_.length;
    const bool whole = anchor_.length == k;
    if (forward) {
        std::size_t from = 0;
        while (from < starts) {
            const std::ptrdiff_t found = bytescan::findForward(zone + from, zoneSize - from,
                                                               anchorBytes_.data(), anchor_.length);
            if (found < 0) {
                return std::nullopt;
            }
            const std::size_t i = from + static_cast<std::size_t>(found);
            if (whole || entriesMatchAt(buffer + i)) {
                return std::pair{i, k};
            }
            from = i + 1;
        }
        return std::nullopt;
    }
    std::size_t limit = zoneSize;  // the anchor lies wholly below it
    while (limit >= anchor_.length) {
        const std::ptrdiff_t found =
            bytescan::findBackward(zone, limit, anchorBytes_.data(), anchor_.length);
        if (found < 0) {
            return std::nullopt;
        }
        const auto i = static_cast<std::size_t>(found);
        if (whole || entriesMatchAt(buffer + i)) {
            return std::pair{i, k};
        }
        limit = i + anchor_.length - 1;
    }
    return std::nullopt;
}

BlockMatch SearchEngine::matchText(const std::uint8_t* buffer, std::size_t length,
                                   bool forward) const {
    const auto* needle = reinterpret_cast<const std::uint8_t*>(text_.data());
    const std::ptrdiff_t found = forward
                                     ? bytescan::findForward(buffer, length, needle, text_.size())
                                     : bytescan::findBackward(buffer, length, needle, text_.size());
    if (found < 0) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::size_t>(found), text_.size()};
}

BlockMatch SearchEngine::matchRegex(std::uint8_t* buffer, std::size_t length, bool forward) const {
    buffer[length] = 0;  // the data ends here for the matcher
    if (forward) {
        std::size_t matched = 0;
        const std::ptrdiff_t at = glob_.firstMatch(buffer, length, 0, matched);
        if (at < 0) {
            return std::nullopt;
        }
        return std::pair{static_cast<std::size_t>(at), matched};
    }
    const std::ptrdiff_t at = glob_.lastMatchStart(buffer, length);
    if (at < 0) {
        return std::nullopt;
    }
    return std::pair{static_cast<std::size_t>(at),
                     static_cast<std::size_t>(glob_.matchAt(buffer + at))};
}

// ------------------------------------------------------------ the range

std::optional<SearchMatch> SearchEngine::searchRange(bool forward, std::uint64_t start,
                                                     std::uint64_t end,
                                                     const platform::ProgressCallback* progress,
                                                     bool& cancelled) {
    using platform::ProgressAnswer;
    using platform::ProgressKind;
    cancelled = false;
    if (data_ == nullptr || !compiled_) {
        return std::nullopt;
    }
    const auto m = static_cast<std::uint64_t>(std::max(settings_.maxFindBytes, 1));
    const std::uint64_t blockSize = 64 * m;
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[blockSize + 2]);
    if (!buffer) {
        platform::reportProgress(progress, 100, 100, ProgressKind::Failed);
        return std::nullopt;
    }
    const std::uint64_t total = end > start ? end - start : 0;
    std::uint64_t done = 0;
    platform::reportProgress(progress, total, done, ProgressKind::Progress);
    std::optional<SearchMatch> found;
    // Nothing is read past the data: such a range finds nothing.
    const bool inData = end <= data_->getDataSize();
    // One block read and matched; false ends the scan.
    const auto scan = [&](std::uint64_t at, std::uint64_t n) {
        std::uint64_t read = 0;
        if (!data_->readData(buffer.get(), n, read, at) || read != n) {
            return false;
        }
        if (const BlockMatch match =
                matchBlock(buffer.get(), static_cast<std::size_t>(n), forward)) {
            found = SearchMatch{at + match->first, match->second};
            return false;
        }
        return true;
    };
    const auto report = [&](std::uint64_t n) {
        done += n;
        if (platform::reportProgress(progress, total, done, ProgressKind::Progress) ==
            ProgressAnswer::Cancel) {
            cancelled = true;
            return false;
        }
        return true;
    };
    if (inData && forward) {
        while (start < end) {
            const std::uint64_t n = std::min(end - start, blockSize);
            if (!scan(start, n) || !report(n)) {
                break;
            }
            start += start + n < end ? 63 * m : n;
        }
    } else if (inData) {
        while (start < end) {
            const std::uint64_t n = std::min(end - start, blockSize);
            end -= n;
            if (!scan(end, n)) {
                break;
            }
            if (end != start) {
                end += m;  // the next, earlier block overlaps this one
            }
            if (!report(n)) {
                break;
            }
        }
    }
    if (cancelled) {
        return std::nullopt;
    }
    platform::reportProgress(progress, total, total,
                             found ? ProgressKind::Finished : ProgressKind::Failed);
    return found;
}
