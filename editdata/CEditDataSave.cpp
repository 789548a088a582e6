// Saving a store, by storage mode, and the file copy. A save never puts the
// user's data at risk: new content is written beside the target and renamed
// over it once complete, so a failed save leaves the target as it was.
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "editdata/CEditData.h"
#include "editdata/EditDataStrings.h"
#include "platform/FileCopy.h"
#include "platform/MessageService.h"

using platform::File;
using platform::FileAccess;
using platform::FileReplacement;
using platform::FileShare;
using platform::ProgressAnswer;
using platform::ProgressCallback;
using platform::ProgressKind;
using platform::reportProgress;

namespace {

// Holds the existing target "not shared" while it is being replaced, so a
// file another program of the suite has open is never saved over.
File lockExistingTarget(const std::string& target, int& error) {
    std::error_code ignored;
    if (!std::filesystem::exists(target, ignored)) {
        return {};
    }
    File held = File::open(target, FileAccess::Read, FileShare::NotShared);
    if (!held.isOpen()) {
        error = held.lastError();
    }
    return held;
}

}  // namespace

bool CEditData::save(const std::string& path) {
    lastError_ = 0;
    if (path.empty()) {
        return failWith(ENOENT);
    }
    switch (mode_) {
        case StorageMode::MemoryNew:
        case StorageMode::MemoryLoaded:
            return saveMemory(path);
        case StorageMode::InPlace:
            return saveInPlace(path);
        case StorageMode::WorkCopy:
            return saveWorkCopy(path);
        case StorageMode::NoData:
            break;
    }
    return false;
}

bool CEditData::copyIntoReplacement(File& source, std::uint64_t size, File& target) {
    // Large copies run under the "Copy File" dialog; the temporary target
    // makes a cancelled copy leave nothing behind.
    return runLong(
        editstrings::kCopyFileCaption, editstrings::kCopyFileText, true,
        [&](const ProgressCallback* callback) {
            const bool copied =
                platform::copyFileData(source, 0, target, 0, size, [&](std::uint64_t done) {
                    return reportProgress(callback, size, done, ProgressKind::Progress) ==
                           ProgressAnswer::Continue;
                });
            reportProgress(callback, size, size,
                           copied ? ProgressKind::Finished : ProgressKind::Failed);
            return copied;
        });
}

bool CEditData::saveMemory(const std::string& target) {
    // The handle kept from an earlier save would block our own lock.
    file_.close();
    int error = 0;
    File held = lockExistingTarget(target, error);
    auto replacement = error == 0 ? FileReplacement::begin(target, error) : std::nullopt;
    if (!replacement) {
        return failWith(error);
    }
    if (!replacement->file().writeAt(memory_.get(), static_cast<std::size_t>(dataSize_), 0)) {
        return failWith(replacement->file().lastError());
    }
    if (!replacement->commit(error)) {
        return failWith(error);
    }
    file_ = std::move(replacement->file());
    path_ = target;
    mode_ = StorageMode::MemoryLoaded;
    clearHistory();
    setModified(false);
    return true;
}

bool CEditData::saveInPlace(const std::string& target) {
    if (!file_.isOpen() || !flushWindow()) {
        return false;
    }
    int error = 0;
    if (platform::isSameFile(target, path_)) {
        // Saving an in-place file to itself writes its modified blocks into
        // it; the file keeps its size.
        file_.close();
        File writable = File::open(path_, FileAccess::ReadWrite, FileShare::NotShared);
        if (!writable.isOpen() || !writeBlocksTo(writable) || !writable.sync()) {
            error = lastError_ != 0 ? lastError_ : writable.lastError();
            writable.close();
            // The store must not lose its file: go back to reading it.
            file_ = File::open(path_, FileAccess::Read, FileShare::ShareRead);
            return failWith(error);
        }
        file_ = std::move(writable);
    } else {
        File held = lockExistingTarget(target, error);
        auto replacement = error == 0 ? FileReplacement::begin(target, error) : std::nullopt;
        const bool written = replacement &&
                             copyIntoReplacement(file_, dataSize_, replacement->file()) &&
                             writeBlocksTo(replacement->file()) && replacement->commit(error);
        if (!written) {
            if (services_.messages != nullptr) {
                services_.messages->show(editstrings::kCantCreateNewFile,
                                         {platform::MessageIcon::Stop});
            }
            return failWith(error != 0 ? error : lastError_);
        }
        file_ = std::move(replacement->file());
        path_ = target;
    }
    clearHistory();
    setModified(false);
    return true;
}

bool CEditData::saveWorkCopy(const std::string& target) {
    if (!workFile_.isOpen() || target == workPath_ || platform::isSameFile(target, workPath_) ||
        !flushWindow()) {
        return failWith(EINVAL);
    }
    int error = 0;
    File held = lockExistingTarget(target, error);
    auto replacement = error == 0 ? FileReplacement::begin(target, error) : std::nullopt;
    if (!replacement || !copyIntoReplacement(workFile_, workSize_, replacement->file()) ||
        !replacement->commit(error)) {
        return failWith(error);
    }
    file_ = std::move(replacement->file());
    path_ = target;
    dataSize_ = workSize_;
    closeWorkFile();
    mode_ = StorageMode::InPlace;
    resetWindow();
    clearHistory();
    setModified(false);
    return true;
}

bool CEditData::copyFile(const std::string& source, const std::string& target, bool createNew,
                         bool showMessages) {
    const auto tell = [&](int stringId, platform::MessageIcon icon) {
        if (showMessages && services_.messages != nullptr) {
            services_.messages->show(stringId, {icon});
        }
    };
    File input = File::open(source, FileAccess::Read, FileShare::ShareRead);
    if (!input.isOpen()) {
        tell(editstrings::kCantOpenSource, platform::MessageIcon::Stop);
        return failWith(input.lastError());
    }
    const auto size = input.size();
    if (!size) {
        tell(editstrings::kSourceSizeWrong, platform::MessageIcon::Stop);
        return failWith(input.lastError());
    }
    // The copy goes to a new file beside the target, so a failed copy never
    // costs the target its old content.
    int error = 0;
    std::error_code ignored;
    File held = lockExistingTarget(target, error);
    auto replacement = error == 0 && !(createNew && std::filesystem::exists(target, ignored))
                           ? FileReplacement::begin(target, error)
                           : std::nullopt;
    if (!replacement) {
        tell(editstrings::kCantCreateNewFile, platform::MessageIcon::Stop);
        return failWith(error != 0 ? error : EEXIST);
    }
    const bool copied = *size <= platform::kCopyChunk
                            ? platform::copyFileData(input, 0, replacement->file(), 0, *size)
                            : copyIntoReplacement(input, *size, replacement->file());
    if (!copied || !replacement->commit(error)) {
        tell(editstrings::kFileCopyFailed, platform::MessageIcon::Stop);
        return failWith(error);
    }
    tell(editstrings::kFileCopiedSuccessfully, platform::MessageIcon::Information);
    return true;
}
