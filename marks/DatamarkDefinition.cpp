#include "marks/DatamarkDefinition.h"

#include <algorithm>
#include <array>

#include "editdata/CEditData.h"
#include "marks/AdvancedFind.h"
#include "marks/DatamarkList.h"
#include "platform/MessageService.h"
#include "platform/PrintfFormat.h"
#include "platform/Progress.h"
#include "search/FindTool.h"

namespace {

using platform::StringEntry;

constexpr std::array kStrings{
    StringEntry{2001, "Current Editing File"},
    StringEntry{2002, "The datamark chosen has already been associated with current object"},
    StringEntry{2003, "Inexistent Associations"},
    StringEntry{2004, "Source Datamarks"},
    StringEntry{2005, "No inexistent association."},
    StringEntry{marktext::kLevelName, "Datamark Level %i"},
    StringEntry{2013, "Name"},
    StringEntry{2014, "Show Status"},
    StringEntry{2016, "Show"},
    StringEntry{2017, "Hide"},
    StringEntry{marktext::kNoName, "Please define a name for the datamark"},
    StringEntry{marktext::kUseAdvancedFind,
                "Please use Advanced Find or select Normal Datamark check box"},
    StringEntry{marktext::kIncomplete, "The information for datamark definition is not complete"},
    StringEntry{marktext::kCannotCreate, "Can't create a datamark object correctly"},
    StringEntry{marktext::kNameUsed, "A datamark in the file has already use same name"},
    StringEntry{marktext::kConfirmSave,
                "You have modified one or more datamarks, \nplease confirm whether to save?"},
    StringEntry{marktext::kNearby,
                "Some datamarks have been defined in the adjacence, \nPlease confirm if continue?"},
    StringEntry{marktext::kDisconnect,
                "Some datamarks have been associated with this datamark, "
                "\nplease confirm whether to disconnect?"},
    StringEntry{marktext::kStoredNameUsed, "Some datamarks have used same name"},
    StringEntry{marktext::kHashInName, "Character '#' can't be used in a datamark name"},
    StringEntry{marktext::kDamagedOnLoad,
                "%i stored datamarks of this file are damaged and were not loaded; %i lie "
                "beyond the end of the data."},
    StringEntry{marktext::kSaveFailedAtClose,
                "The datamarks could not be saved (%s).\nClose the file without them?"},
    StringEntry{marktext::kSaveFailed, "The datamarks could not be saved (%s)."},
    StringEntry{marktext::kDefined, "The new datamark has been defined successfully!"},
    StringEntry{2041, "Datamark (%s)"},
    StringEntry{2042, "Linemark (temp bookmark)"},
    StringEntry{2051, "Go To: %s"},
    StringEntry{marktext::kValid, " Valid Datamark"},
    StringEntry{marktext::kInvalid, " Invalid Datamark"},
};

// The dialog's own engine: hexadecimal patterns with the "." wildcard, the
// built-in limits, no settings read.
SearchSettings definitionSearch() {
    SearchSettings settings;
    settings.maxFindBytes = 1024;
    settings.allowHexWildcard = true;
    settings.hexWildcard = '.';
    settings.asyncEnabled = false;
    return settings;
}

}  // namespace

std::span<const platform::StringEntry> datamarkStrings() {
    return kStrings;
}

DatamarkDefinition::DatamarkDefinition(DefinitionView& view, platform::MessageService& messages,
                                       bool findContinue)
    : view_(view),
      messages_(messages),
      findContinue_(findContinue),
      engine_(&view.data(), definitionSearch()) {}

void DatamarkDefinition::setNormal(bool value) {
    normal = value;
    if (!normal) {
        // The later steps open again only as they are reached.
        operateEnabled_ = !findResult.empty() && engine_.lastFoundOffset >= 0;
        compareEnabled_ = false;
        propertiesEnabled_ = false;
    }
}

std::optional<std::uint64_t> DatamarkDefinition::searchFrom(std::uint64_t start, std::uint64_t end,
                                                            bool firstPass) {
    bool cancelled = false;
    std::optional<SearchMatch> match;
    if (runner_ == nullptr || end - start <= kProgressThreshold) {
        match = engine_.searchRange(true, start, end, nullptr, cancelled);
    } else {
        const std::string text =
            platform::formatPrintf(messages_.strings().text(firstPass ? searchtext::kFindFirstPass
                                                                      : searchtext::kFindOtherEnd),
                                   {shortenedFindText(findString)});
        const CEditData::WorkerLease lease(view_.data());
        const bool finished = runner_->runWithProgressText(
            searchtext::kFindCaption, text, true, [&](const platform::ProgressCallback& callback) {
                match = engine_.searchRange(true, start, end, &callback, cancelled);
            });
        if (!finished || cancelled) {
            match.reset();  // cancelled: not found
        }
    }
    if (!match) {
        return std::nullopt;
    }
    engine_.lastFoundOffset = static_cast<std::int64_t>(match->offset);
    engine_.lastMatchLength = static_cast<std::int64_t>(match->length);
    return match->offset;
}

bool DatamarkDefinition::find() {
    if (findString.empty() || !engine_.compilePattern(findString, true, false, false)) {
        return false;
    }
    const std::uint64_t size = view_.data().getDataSize();
    const std::uint64_t caret = view_.caretOffset();
    const bool again = engine_.lastFoundOffset >= 0 &&
                       caret == static_cast<std::uint64_t>(engine_.lastFoundOffset) &&
                       view_.hasSelection();
    std::optional<std::uint64_t> found = searchFrom(again ? caret + 1 : caret, size, true);
    if (!found && findContinue_ && caret > 0) {
        found = searchFrom(0, std::min(caret + 1024, size), false);
    }
    operateEnabled_ = false;
    compareEnabled_ = false;
    propertiesEnabled_ = false;
    if (!found) {
        return false;
    }
    const auto length = static_cast<std::uint64_t>(engine_.lastMatchLength);
    view_.selectMatch(*found, length);
    std::vector<std::uint8_t> bytes(length);
    std::uint64_t read = 0;
    view_.data().readData(bytes.data(), length, read, *found);
    bytes.resize(read);
    findResult = advancedText(bytes);
    operateString = presetOperand(arithmeticOperator, findResult);
    operateEnabled_ = true;
    operate();
    return true;
}

bool DatamarkDefinition::operate() {
    const auto result = advancedOperation(arithmeticOperator, advancedBytes(findResult),
                                          advancedBytes(operateString));
    if (!result) {
        return false;
    }
    operateResult = advancedText(*result);
    compareString = operateResult;
    compareEnabled_ = true;
    return true;
}

bool DatamarkDefinition::compare() {
    propertiesEnabled_ = advancedComparison(compareOperator, advancedBytes(operateResult),
                                            advancedBytes(compareString));
    return propertiesEnabled_;
}

void DatamarkDefinition::showInView() {
    if (normal || engine_.lastFoundOffset < 0) {
        view_.showCaret();
    } else {
        view_.selectMatch(static_cast<std::uint64_t>(engine_.lastFoundOffset),
                          static_cast<std::uint64_t>(engine_.lastMatchLength));
    }
}

bool DatamarkDefinition::add() {
    const platform::MessageStyle information(platform::MessageIcon::Information);
    DatamarkList& list = view_.datamarks();
    if (name.empty()) {
        messages_.show(marktext::kNoName, information);
        return false;
    }
    if (name.find('#') != std::string::npos) {
        messages_.show(marktext::kHashInName, information);
        return false;
    }
    if (list.find(name)) {
        messages_.show(marktext::kNameUsed, information);
        return false;
    }
    if (!normal && engine_.lastFoundOffset < 0) {
        messages_.show(marktext::kUseAdvancedFind, information);
        return false;
    }
    if (!normal && (findString.empty() || findResult.empty() || operateString.empty() ||
                    operateResult.empty() || compareString.empty())) {
        messages_.show(marktext::kIncomplete, information);
        return false;
    }
    const std::uint64_t position =
        normal ? view_.caretOffset() : static_cast<std::uint64_t>(engine_.lastFoundOffset);
    if (normal) {
        const auto width = static_cast<std::uint64_t>(std::max(view_.lineWidth(), 1));
        const bool nearby =
            std::any_of(list.items().begin(), list.items().end(), [&](const CBmitemObj& other) {
                const std::uint64_t distance = other.position > position
                                                   ? other.position - position
                                                   : position - other.position;
                return distance <= width;
            });
        if (nearby && messages_.show(marktext::kNearby, {platform::MessageIcon::Question,
                                                         platform::MessageButtons::OkCancel}) !=
                          platform::MessageAnswer::Ok) {
            return false;
        }
    }
    CBmitemObj datamark;
    datamark.filePath = view_.documentPath();
    datamark.name = name;
    datamark.comment = comment;
    datamark.normalDatamark = normal;
    datamark.position = position;
    datamark.level = level;
    datamark.associations = associations;
    if (!normal) {
        datamark.findString = findString;
        datamark.findResultString = findResult;
        datamark.operateString = operateString;
        datamark.operateResultString = operateResult;
        datamark.compareString = compareString;
        datamark.arithmeticOperator = arithmeticOperator;
        datamark.compareOperator = compareOperator;
    }
    const bool withPath = !datamark.filePath.empty();
    list.append(std::move(datamark));
    view_.datamarksChanged(withPath);
    messages_.show(marktext::kDefined, information);
    name.clear();
    return true;
}
