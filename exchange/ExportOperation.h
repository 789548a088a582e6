#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "editdata/EditDataTypes.h"
#include "exchange/ExportWriters.h"
#include "platform/StringTable.h"

class CEditData;
class CSettings;

namespace platform {
class MessageService;
class ProgressRunner;
}  // namespace platform

// What an export asks of the user: the save dialog.
class ExportDialogs {
  public:
    struct Choice {
        std::string path;
        int filterIndex = 1;  // 1-based, as the filters are listed
    };
    virtual ~ExportDialogs() = default;
    // Title string `titleId`, the four filters with the first chosen, in
    // `folder`; nothing when the user cancels.
    virtual std::optional<Choice> chooseTarget(int titleId, const std::string& folder) = 0;
};

// What is exported: the whole file, or the view's selection (a range or a
// column block); the view's line width and the document's title.
struct ExportRequest {
    bool wholeFile = true;
    std::optional<std::pair<std::uint64_t, std::uint64_t>> range;  // [start, end)
    std::optional<ColumnBlock> block;
    int lineWidth = 16;
    std::string title;  // without the " *" of unsaved changes
};

namespace exporttext {
inline constexpr int kExportSelectionTitle = 1032;
inline constexpr int kExportFileTitle = 1033;
inline constexpr int kCannotCreate = 1151;
inline constexpr int kSaved = 1149;
inline constexpr int kFailed = 1150;
}  // namespace exporttext

enum class ExportOutcome { NothingToExport, Cancelled, CannotCreate, Saved, Failed };

// Export File As and Export Selection As: the dialog, the target (a new
// file put in place only when complete, so a failure or Cancel leaves an
// existing file as it was), the writer run directly or under the progress
// dialog above "Max Copy Size", and the closing message.
class ExportOperation {
  public:
    ExportOperation(CSettings& settings, platform::MessageService& messages,
                    platform::ProgressRunner* progress, ExportDialogs& dialogs)
        : settings_(settings), messages_(messages), progress_(progress), dialogs_(dialogs) {}

    ExportOutcome run(CEditData& data, const ExportRequest& request);

  private:
    CSettings& settings_;
    platform::MessageService& messages_;
    platform::ProgressRunner* progress_;
    ExportDialogs& dialogs_;
};

// The strings of the export.
std::span<const platform::StringEntry> exportStrings();
