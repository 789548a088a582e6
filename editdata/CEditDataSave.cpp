// Saving a store, by storage mode, and the file copy. A save never puts the
// user's data at risk: new content is written beside the target and renamed
// over it once complete, so a failed save leaves the target as it was.
#include <fcntl.h>
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

bool CEditData::isOwnPath(const std::string& target) const {
    if (path_.empty()) {
        return false;
    }
    if (target == path_) {
        return true;
    }
    std::error_code ignored;
    const auto a = std::filesystem::weakly_canonical(target, ignored);
    const auto b = std::filesystem::weakly_canonical(path_, ignored);
    return !a.empty() && a == b;
}

void CEditData::rememberIdentity(const File& file) {
    identity_ = platform::identityOf(file);
}

bool CEditData::confirmOverwriteOfChanged(const std::string& target) {
    overwriteWhole_ = false;
    if (!identity_ || !isOwnPath(target)) {
        return true;
    }
    const auto now = platform::identityAt(target);
    if (!now || *now == *identity_) {
        return true;  // unchanged, or gone: nothing of another program's to lose
    }
    const bool overwrite =
        services_.messages != nullptr &&
        services_.messages->show(editstrings::kChangedOnDisk,
                                 {platform::MessageIcon::Exclamation,
                                  platform::MessageButtons::YesNo, platform::MessageAnswer::No},
                                 {target}) == platform::MessageAnswer::Yes;
    if (!overwrite) {
        return failWith(ECANCELED);
    }
    overwriteWhole_ = true;
    return true;
}

bool CEditData::doSave(const std::string& path) {
    lastError_ = 0;
    if (path.empty()) {
        return failWith(ENOENT);
    }
    if (!confirmOverwriteOfChanged(path)) {
        return false;
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
    rememberIdentity(file_);
    mode_ = StorageMode::MemoryLoaded;
    clearHistory();
    setModified(false);
    return true;
}

bool CEditData::saveInPlace(const std::string& target) {
    if (!file_.isOpen() || !flushWindow()) {
        return false;
    }
    // Blocks are patched only into the very file this document opened; a
    // path that holds another file now, or none, gets the whole document.
    const auto opened = platform::identityOf(file_);
    const auto atPath = platform::identityAt(target);
    const bool samePlace = !overwriteWhole_ && opened && atPath && atPath->sameFile(*opened);
    if (!(samePlace ? writeBlocksInPlace() : writeWholeInPlaceDocument(target))) {
        return false;
    }
    rememberIdentity(file_);
    clearHistory();
    setModified(false);
    return true;
}

bool CEditData::writeBlocksInPlace() {
    // Nobody else may have the file open while it is patched; the document's
    // own handle goes from a shared to the exclusive lock, and keeps it.
    if (flock(file_.fd(), LOCK_EX | LOCK_NB) != 0) {
        return failWith(errno);
    }
    // Opened through the handle, not the path: the same file whatever the
    // path names meanwhile.
    const std::string self = "/proc/self/fd/" + std::to_string(file_.fd());
    File writable = File::adopt(::open(self.c_str(), O_RDWR | O_CLOEXEC));
    const int openError = errno;
    const bool written = writable.isOpen() && writeBlocksTo(writable) && writable.sync();
    const int error = !writable.isOpen() ? openError
                      : lastError_ != 0  ? lastError_
                                         : writable.lastError();
    writable.close();
    if (!written) {
        flock(file_.fd(), LOCK_SH | LOCK_NB);
        return failWith(error != 0 ? error : EIO);
    }
    return true;  // a saved file stays held not shared, as after every save
}

bool CEditData::writeWholeInPlaceDocument(const std::string& target) {
    int error = 0;
    File held = isOwnPath(target) ? File() : lockExistingTarget(target, error);
    auto replacement = error == 0 ? FileReplacement::begin(target, error) : std::nullopt;
    const bool written = replacement &&
                         copyIntoReplacement(file_, dataSize_, replacement->file()) &&
                         writeBlocksTo(replacement->file()) && replacement->commit(error);
    if (!written) {
        return failWith(error != 0 ? error : lastError_);
    }
    file_ = std::move(replacement->file());
    path_ = target;
    // Its blocks are in the file now.
    freeBlocks();
    resetWindow();
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
    rememberIdentity(file_);
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
