#include "exchange/ExportOperation.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <functional>

#include "editdata/CEditData.h"
#include "platform/File.h"
#include "platform/FileCopy.h"
#include "platform/MessageService.h"
#include "platform/Progress.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

using platform::MessageIcon;

constexpr std::array kStrings = {
    platform::StringEntry{exporttext::kExportSelectionTitle, "Export Selection As"},
    platform::StringEntry{exporttext::kExportFileTitle, "Export File As"},
    platform::StringEntry{1141, "Save Hexadecimal Data"},
    platform::StringEntry{1142, "Kestrane is saving hexadecimal data..."},
    platform::StringEntry{1143, "Save Hexadecimal Text"},
    platform::StringEntry{1144, "Kestrane  is saving hexadecimal text..."},
    platform::StringEntry{1145, "Save a Column Block of Hexadecimal Data"},
    platform::StringEntry{1146, "Kestrane  is saving a column block of hexadecimal data..."},
    platform::StringEntry{1147, "Save a Column Block of Hexadecimal Text"},
    platform::StringEntry{1148, "Kestrane is saving a column block of hexadecimal text..."},
    platform::StringEntry{exporttext::kSaved, "The data has been saved successfully"},
    platform::StringEntry{exporttext::kFailed, "The data saving is failure!"},
    platform::StringEntry{exporttext::kCannotCreate, "Can't create new file!"},
};

// Writes the output file from its start, one large write after another.
class FileSink : public ExportSink {
  public:
    explicit FileSink(platform::File& file) : file_(file) {}
    bool write(std::string_view bytes) override {
        if (!file_.writeAt(bytes.data(), bytes.size(), offset_)) {
            return false;
        }
        offset_ += bytes.size();
        return true;
    }
    std::uint64_t written() const { return offset_; }

  private:
    platform::File& file_;
    std::uint64_t offset_ = 0;
};

using Writer = std::function<bool(ExportSink&, const platform::ProgressCallback*)>;

// Why a target cannot be written, or 0: a folder, or a file an open
// document holds (here or in another Kestrane).
int targetRefusal(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return EISDIR;
    }
    if (!std::filesystem::exists(path, error)) {
        return 0;
    }
    const platform::File held =
        platform::File::open(path, platform::FileAccess::Read, platform::FileShare::NotShared);
    return held.isOpen() ? 0 : held.lastError();
}

std::string currentFolder() {
    std::error_code error;
    const auto folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

}  // namespace

std::span<const platform::StringEntry> exportStrings() {
    return kStrings;
}

ExportOutcome ExportOperation::run(CEditData& data, const ExportRequest& request) {
    const bool block = !request.wholeFile && !request.range && request.block.has_value();
    if (!request.wholeFile && !request.range && !block) {
        return ExportOutcome::NothingToExport;
    }
    const std::uint64_t start = request.wholeFile ? 0 : block ? 0 : request.range->first;
    const std::uint64_t end = request.wholeFile ? data.getDataSize()
                              : block           ? 0
                                                : request.range->second;
    const std::uint64_t size = block ? blockExportSize(*request.block, data.getDataSize())
                                     : (end > start ? end - start : 0);

    std::string folder = settings_.get(settings::general::WorkFilePath);
    if (folder.empty()) {
        folder = currentFolder();
    }
    const auto choice = dialogs_.chooseTarget(
        request.wholeFile ? exporttext::kExportFileTitle : exporttext::kExportSelectionTitle,
        folder);
    if (!choice) {
        return ExportOutcome::Cancelled;
    }
    int error = targetRefusal(choice->path);
    std::optional<platform::FileReplacement> target;
    if (error == 0) {
        if (auto started = platform::FileReplacement::begin(choice->path, error)) {
            target.emplace(std::move(*started));
        }
    }
    if (!target) {
        messages_.showText(
            messages_.strings().text(exporttext::kCannotCreate) + "\n" + platform::errorText(error),
            {MessageIcon::Stop});
        return ExportOutcome::CannotCreate;
    }

    const ExportFormat format = exportFormatOfFilter(choice->filterIndex);
    const bool raw = format == ExportFormat::RawBytes;
    Writer writer;
    int caption = 0;
    if (block) {
        const ColumnBlock geometry = *request.block;
        caption = raw ? 1145 : 1147;
        writer = [&data, geometry, format, raw, &request](ExportSink& sink,
                                                          const platform::ProgressCallback* p) {
            return raw ? writeRawBlock(data, geometry, sink, p)
                       : writeTextBlock(data, geometry, format, request.title, sink, p);
        };
    } else {
        caption = raw ? 1141 : 1143;
        writer = [&data, start, size, format, raw, &request](ExportSink& sink,
                                                             const platform::ProgressCallback* p) {
            return raw ? writeRawRange(data, start, size, sink, p)
                       : writeTextRange(data, start, size, request.lineWidth, format, request.title,
                                        sink, p);
        };
    }

    FileSink sink(target->file());
    const auto maxCopy = static_cast<std::uint64_t>(settings_.get(settings::edit::MaxCopySize));
    bool written = false;
    if (size <= maxCopy || progress_ == nullptr) {
        written = writer(sink, nullptr);
    } else {
        bool outcome = false;
        const bool finished = progress_->runWithProgress(
            caption, caption + 1,
            [&](const platform::ProgressCallback& callback) { outcome = writer(sink, &callback); });
        written = finished && outcome;
    }
    if (written && target->file().truncate(sink.written()) && target->commit(error)) {
        messages_.show(exporttext::kSaved, {MessageIcon::Information});
        return ExportOutcome::Saved;
    }
    target.reset();  // an uncommitted replacement takes its temporary file along
    messages_.show(exporttext::kFailed, {MessageIcon::Exclamation});
    return ExportOutcome::Failed;
}
