#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "marks/CBmitemObj.h"
#include "search/SearchEngine.h"

class CEditData;
class DatamarkList;

namespace platform {
class MessageService;
class ProgressRunner;
}  // namespace platform

// What the Define Datamark dialog asks of its view.
class DefinitionView {
  public:
    virtual ~DefinitionView() = default;
    virtual CEditData& data() = 0;
    virtual std::uint64_t caretOffset() const = 0;
    virtual bool hasSelection() const = 0;
    virtual void selectMatch(std::uint64_t offset, std::uint64_t length) = 0;
    // The selected bytes (at most `limit`), or the byte at the caret.
    virtual std::vector<std::uint8_t> selectedBytes(std::size_t limit) = 0;
    // The caret back into view, with no selection.
    virtual void showCaret() = 0;
    virtual int lineWidth() const = 0;
    virtual std::string documentPath() const = 0;
    virtual DatamarkList& datamarks() = 0;
    // The list changed: redraw it; `withPath` marks the document's datamarks modified.
    virtual void datamarksChanged(bool withPath) = 0;
};

// The Define Datamark dialog's state and steps, without the dialog: the
// advanced find (find, operate, compare) that must succeed before an
// advanced datamark may be added, and the checks of "Add Datamark". The
// dialog shows these fields and enables its controls from them.
class DatamarkDefinition {
  public:
    DatamarkDefinition(DefinitionView& view, platform::MessageService& messages, bool findContinue);
    // A find over more than 4 MiB runs under this runner's progress dialog
    // (Cancel counts as not found).
    void setProgressRunner(platform::ProgressRunner* runner) { runner_ = runner; }
    static constexpr std::uint64_t kProgressThreshold = std::uint64_t{4} << 20;

    // The fields, as the dialog's controls hold them.
    bool normal = false;
    std::string findString;
    std::string findResult;
    std::string operateString;
    std::string operateResult;
    std::string compareString;
    int arithmeticOperator = markop::Add;
    int compareOperator = markop::Equal;
    std::string name;
    std::string comment;
    std::vector<std::string> associations;
    int level = 1;

    // Which steps are open: "=" after a find, "?" after an operation, the
    // name, comment, level and "Add Datamark" after a true comparison (or
    // at once in normal mode).
    bool operateEnabled() const { return operateEnabled_; }
    bool compareEnabled() const { return compareEnabled_; }
    bool propertiesEnabled() const { return normal || propertiesEnabled_; }
    std::int64_t lastFoundOffset() const { return engine_.lastFoundOffset; }

    void setNormal(bool normal);
    // "F": finds findString from the caret, selects it and runs "=". False
    // when nothing was found (or there was nothing to find).
    bool find();
    // "=": false when the operation gives no result (nothing changes then).
    bool operate();
    // "?": the relation of the result to compareString.
    bool compare();
    // ">": the last match selected again, or the caret shown.
    void showInView();
    // "Add Datamark": the checks with their messages, then the datamark
    // appended to the view's list. True when it was added.
    bool add();

  private:
    std::optional<std::uint64_t> searchFrom(std::uint64_t start, std::uint64_t end, bool firstPass);

    DefinitionView& view_;
    platform::MessageService& messages_;
    bool findContinue_;
    SearchEngine engine_;
    platform::ProgressRunner* runner_ = nullptr;
    bool operateEnabled_ = false;
    bool compareEnabled_ = false;
    bool propertiesEnabled_ = false;
};

// The message ids of the datamark dialogs.
namespace marktext {
inline constexpr int kNoName = 2021;
inline constexpr int kUseAdvancedFind = 2022;
inline constexpr int kIncomplete = 2023;
inline constexpr int kCannotCreate = 2024;
inline constexpr int kNameUsed = 2025;
inline constexpr int kConfirmSave = 2026;
inline constexpr int kNearby = 2027;
inline constexpr int kDisconnect = 2028;
inline constexpr int kStoredNameUsed = 2030;
inline constexpr int kHashInName = 2031;
inline constexpr int kDamagedOnLoad = 2032;
inline constexpr int kSaveFailedAtClose = 2033;
inline constexpr int kSaveFailed = 2034;
inline constexpr int kDefined = 2043;
inline constexpr int kValid = 2044;
inline constexpr int kInvalid = 2045;
inline constexpr int kLevelName = 2011;
}  // namespace marktext
std::span<const platform::StringEntry> datamarkStrings();
