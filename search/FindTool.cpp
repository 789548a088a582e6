#include "search/FindTool.h"

#include <algorithm>

#include "editdata/CEditData.h"
#include "platform/MessageService.h"
#include "platform/PrintfFormat.h"
#include "platform/Progress.h"
#include "platform/Utf8.h"
#include "settings/CSettings.h"

namespace {

using searchtext::kFindCaption;
using searchtext::kFindFirstPass;
using searchtext::kFindOtherEnd;

}  // namespace

void FindOptions::load(const CSettings& settings, bool withMarkLines) {
    asciiText = settings.get(settings::edit::FindHexData) == 0;
    matchCase = settings.get(settings::edit::MatchCase) != 0;
    regex = settings.get(settings::edit::RegExp) != 0;
    if (withMarkLines) {
        markLines = settings.get(settings::edit::MarkLine) != 0;
    }
}

void FindOptions::store(CSettings& settings, bool withMarkLines) const {
    settings.write(settings::edit::FindHexData, asciiText ? 0 : 1);
    settings.write(settings::edit::MatchCase, matchCase ? 1 : 0);
    settings.write(settings::edit::RegExp, regex ? 1 : 0);
    if (withMarkLines) {
        settings.write(settings::edit::MarkLine, markLines ? 1 : 0);
    }
}

std::string shortenedFindText(const std::string& text) {
    // Counted in characters, so the cut never splits a UTF-8 sequence; a
    // text of exactly 16 gets the dots too.
    return utf8Length(text) >= 16 ? text.substr(0, utf8PrefixBytes(text, 16)) + "..." : text;
}

int FindTool::findNext(const std::string& findText, bool next, SearchView& view, bool findContinue,
                       platform::ProgressRunner* runner, const platform::StringTable& strings,
                       bool forceForward, bool markLines) {
    if (findText.empty()) {
        return EmptyText;
    }
    const bool hexMode = !options.asciiText;
    if (hexMode && !validateHexString(findText, engine_.settings().allowHexWildcard,
                                      engine_.settings().hexWildcard)) {
        return InvalidHex;
    }
    CEditData& data = view.searchedData();
    engine_.setData(&data);
    if (!engine_.compilePattern(findText, hexMode, options.regex, options.matchCase)) {
        return hexMode ? InvalidHex : EmptyText;
    }
    const bool forward = forceForward || (next ? !options.up : options.up);
    const std::uint64_t caret = view.caretOffset();
    const std::uint64_t size = data.getDataSize();
    const auto m = static_cast<std::uint64_t>(engine_.settings().maxFindBytes);
    const auto selection = view.rangeSelection();
    const bool atLastMatch = engine_.lastFoundOffset >= 0 &&
                             static_cast<std::uint64_t>(engine_.lastFoundOffset) == caret &&
                             view.hasSelection();
    const std::uint64_t selectionEnd = selection ? selection->second : caret;

    std::uint64_t start = 0;
    std::uint64_t end = 0;
    if (forward) {
        start = atLastMatch ? caret + 1 : caret;
        end = size;
    } else {
        end = atLastMatch ? (selectionEnd > 0 ? selectionEnd - 1 : 0) : caret;
    }
    std::optional<SearchMatch> found;
    if (start < end) {
        found = searchPass(start, end, forward, true, runner, strings);
    }
    if (!found && findContinue) {
        // The other end: up to a whole occurrence past where the first pass began.
        if (forward) {
            start = 0;
            end = std::min((atLastMatch ? selectionEnd : caret) + m, size);
        } else {
            start = caret > m ? caret - m : 0;
            end = size;
        }
        if (start < end) {
            found = searchPass(start, end, forward, false, runner, strings);
        }
    }
    if (!found) {
        return hexMode ? HexNotFound : TextNotFound;
    }
    engine_.lastMatchLength = static_cast<std::int64_t>(found->length);
    engine_.lastFoundOffset = static_cast<std::int64_t>(found->offset);
    view.selectMatch(found->offset, found->length);
    if (markLines && options.markLines) {
        view.markLineOf(found->offset);
    }
    return Found;
}

std::optional<SearchMatch> FindTool::searchPass(std::uint64_t start, std::uint64_t end,
                                                bool forward, bool firstPass,
                                                platform::ProgressRunner* runner,
                                                const platform::StringTable& strings) {
    const SearchSettings& settings = engine_.settings();
    bool cancelled = false;
    if (runner == nullptr || !settings.asyncEnabled || end - start <= settings.asyncThreshold) {
        return engine_.searchRange(forward, start, end, nullptr, cancelled);
    }
    const std::string text =
        platform::formatPrintf(strings.text(firstPass ? kFindFirstPass : kFindOtherEnd),
                               {shortenedFindText(engine_.findText())});
    std::optional<SearchMatch> found;
    const CEditData::WorkerLease lease(*engine_.data());
    const bool finished = runner->runWithProgressText(
        kFindCaption, text, true, [&](const platform::ProgressCallback& callback) {
            found = engine_.searchRange(forward, start, end, &callback, cancelled);
        });
    // A cancelled search counts as not found.
    return finished && !cancelled ? found : std::nullopt;
}

void FindTool::reportForKeys(int result, const std::string& findText,
                             platform::MessageService& messages) {
    const platform::MessageStyle style(platform::MessageIcon::Information);
    switch (result) {
        case Found:
            return;
        case InvalidHex:
            messages.show(searchtext::kInvalidHexFind, style);
            return;
        case TextNotFound:
            messages.show(searchtext::kTextNotFound, style, {findText});
            return;
        case HexNotFound:
            messages.show(searchtext::kHexNotFound, style, {findText});
            return;
        default:
            messages.show(searchtext::kNotFound, style, {findText});
            return;
    }
}
