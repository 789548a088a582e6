// Deleting, overwriting and inserting ranges: in memory directly, in a
// file-backed store through the work file, which an in-place file first
// becomes.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

#include "settings/CSettings.h"
#include "editdata/CEditData.h"
#include "editdata/EditActions.h"
#include "editdata/EditDataStrings.h"
#include "platform/FileCopy.h"
#include "platform/MessageService.h"
#include "platform/TempFile.h"

using platform::ProgressAnswer;
using platform::ProgressCallback;
using platform::ProgressKind;
using platform::reportProgress;

namespace {

constexpr std::uint64_t kMove = platform::kCopyChunk;

// Reports progress until the user cancels; a rewrite that cannot stop goes
// on silently after that.
class RewriteReporter {
  public:
    RewriteReporter(const ProgressCallback* callback, std::uint64_t total)
        : callback_(callback), total_(total) {}
    void progress(std::uint64_t done) {
        if (reporting_ && reportProgress(callback_, total_, done, ProgressKind::Progress) ==
                              ProgressAnswer::Cancel) {
            reporting_ = false;
        }
    }
    void finish(bool succeeded) {
        if (reporting_) {
            reportProgress(callback_, total_, total_,
                           succeeded ? ProgressKind::Finished : ProgressKind::Failed);
        }
    }

  private:
    const ProgressCallback* callback_;
    std::uint64_t total_;
    bool reporting_ = true;
};

bool reportFailure(const ProgressCallback* callback) {
    reportProgress(callback, 100, 100, ProgressKind::Failed);
    return false;
}

}  // namespace

// ------------------------------------------------------------ dispatching

bool CEditData::doDeleteData(std::uint64_t count, std::uint64_t offset, bool record,
                           std::unique_ptr<CEditAction> linked) {
    if (!recordingAllowed(record)) {
        return false;
    }
    if (isMemoryMode()) {
        if (count == 0 || offset > dataSize_ || count > dataSize_ - offset) {
            return false;
        }
        if (record && !document_->confirmThreshold(count, editstrings::kDeleteThreshold)) {
            return false;
        }
        std::uint8_t* data = memory_.get();
        if (record) {
            recordEdit(false, offset, std::move(linked), [&](const CaretContext& caret) {
                auto action = std::make_unique<CDeleteDataAction>();
                return action->setData(caret, data + offset, count, offset) ? std::move(action)
                                                                                 : nullptr;
            });
        }
        std::memmove(data + offset, data + offset + count,
                     static_cast<std::size_t>(dataSize_ - offset - count));
        dataSize_ -= count;
        resetWindow();
        setModified(true);
        return true;
    }
    if (!prepareWorkCopy(record, editstrings::kDeleteIrreversible)) {
        return false;
    }
    const bool done = runLong(editstrings::kDeleteDataCaption, editstrings::kDeleteDataText, false,
                              [&](const ProgressCallback* callback) {
                                  return deleteInWorkFile(count, offset, callback);
                              });
    if (done) {
        finishWorkFileChange(record);
    }
    return done;
}

bool CEditData::doOverwriteData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                              bool record, std::unique_ptr<CEditAction> linked) {
    if (!recordingAllowed(record) || source == nullptr) {
        return false;
    }
    if (isMemoryMode()) {
        if (count == 0 || offset > dataSize_ || count > dataSize_ - offset) {
            return false;
        }
        if (record && !document_->confirmThreshold(count, editstrings::kOverwriteThreshold)) {
            return false;
        }
        if (record) {
            recordEdit(false, offset, std::move(linked), [&](const CaretContext& caret) {
                auto action = std::make_unique<CWriteDataAction>();
                return action->setData(caret, memory_.get() + offset, count, offset)
                           ? std::move(action)
                           : nullptr;
            });
        }
        std::memmove(memory_.get() + offset, source, static_cast<std::size_t>(count));
        setModified(true);
        return true;
    }
    if (!prepareWorkCopy(record, editstrings::kOverwriteIrreversible)) {
        return false;
    }
    if (!overwriteInWorkFile(source, count, offset)) {
        return false;
    }
    finishWorkFileChange(record);
    return true;
}

bool CEditData::doInsertData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                           bool record, std::unique_ptr<CEditAction> linked) {
    if (!recordingAllowed(record) || source == nullptr || count == 0) {
        return false;
    }
    if (isMemoryMode()) {
        if (offset > dataSize_) {
            return false;
        }
        if (record && !document_->confirmThreshold(count, editstrings::kInsertThreshold)) {
            return false;
        }
        // A source inside our own buffer would move with it when it grows.
        std::vector<std::uint8_t> ownCopy;
        if (memory_ && source >= memory_.get() && source < memory_.get() + capacity_) {
            ownCopy.assign(source, source + count);
            source = ownCopy.data();
        }
        if (count > ~std::uint64_t{0} - dataSize_ || !reserveMemory(dataSize_ + count)) {
            return false;
        }
        if (record) {
            recordEdit(false, offset, std::move(linked), [&](const CaretContext& caret) {
                auto action = std::make_unique<CInsertDataAction>();
                return action->setData(caret, source, count, offset) ? std::move(action)
                                                                           : nullptr;
            });
        }
        std::uint8_t* data = memory_.get();
        std::memmove(data + offset + count, data + offset,
                     static_cast<std::size_t>(dataSize_ - offset));
        std::memmove(data + offset, source, static_cast<std::size_t>(count));
        dataSize_ += count;
        resetWindow();
        setModified(true);
        return true;
    }
    if (!prepareWorkCopy(record, editstrings::kInsertIrreversible)) {
        return false;
    }
    const bool done = runLong(editstrings::kInsertDataCaption, editstrings::kInsertDataText, false,
                              [&](const ProgressCallback* callback) {
                                  return insertInWorkFile(source, count, offset, callback);
                              });
    if (done) {
        finishWorkFileChange(record);
    }
    return done;
}

bool CEditData::prepareWorkCopy(bool record, int irreversibleStringId) {
    if (mode_ == StorageMode::WorkCopy) {
        return workFile_.isOpen();
    }
    if (mode_ != StorageMode::InPlace) {
        return false;
    }
    // On a worker thread the copy is made without asking and without a dialog.
    if (onUiThread() && record && !document_->confirmIrreversible(irreversibleStringId)) {
        return false;
    }
    lastError_ = 0;
    const bool made =
        runLong(editstrings::kSaveFileDataCaption, editstrings::kSaveFileDataText, true,
                [&](const ProgressCallback* callback) { return makeWorkCopy(callback); });
    // A failed copy (a full temporary folder, say) is told with its reason;
    // a cancelled one was the user's own choice.
    if (!made && lastError_ != ECANCELED && lastError_ != 0 && onUiThread() &&
        services_.messages != nullptr) {
        services_.messages->show(editstrings::kWorkCopyFailed, {platform::MessageIcon::Stop},
                                 {platform::errorText(lastError_)});
    }
    return made;
}

void CEditData::finishWorkFileChange(bool record) {
    // A rewritten work file cannot be undone: the history no longer matches.
    if (record) {
        clearHistory();
    }
    setModified(true);
}

// -------------------------------------------------------------- work copy

bool CEditData::makeWorkCopy(const ProgressCallback* callback) {
    if (mode_ != StorageMode::InPlace || !file_.isOpen()) {
        return reportFailure(callback);
    }
    closeWorkFile();
    if (!flushWindow()) {
        return reportFailure(callback);
    }
    const auto created =
        services_.settings.createTempFile("~HEXDATA");
    if (!created) {
        lastError_ = errno != 0 ? errno : EACCES;
        return reportFailure(callback);
    }
    platform::File work = platform::File::open(*created, platform::FileAccess::ReadWrite,
                                               platform::FileShare::NotShared);
    const auto size = file_.size();
    if (!work.isOpen() || !size) {
        lastError_ = !work.isOpen() ? work.lastError() : file_.lastError();
        ::unlink(created->c_str());
        return reportFailure(callback);
    }
    reportProgress(callback, *size, 0, ProgressKind::Progress);
    bool cancelled = false;
    const bool copied = platform::copyFileData(file_, 0, work, 0, *size, [&](std::uint64_t done) {
        cancelled =
            reportProgress(callback, *size, done, ProgressKind::Progress) == ProgressAnswer::Cancel;
        return !cancelled;
    });
    if (!copied || !writeBlocksTo(work)) {
        lastError_ = cancelled                  ? ECANCELED
                     : work.lastError() != 0    ? work.lastError()
                     : lastError_ != 0          ? lastError_
                                                : EIO;
        work.close();
        ::unlink(created->c_str());
        // A cancelled copy has already been answered; a failed one reports so.
        return cancelled ? false : reportFailure(callback);
    }
    file_.close();
    workFile_ = std::move(work);
    workPath_ = *created;
    workSize_ = *size;
    freeBlocks();
    mode_ = StorageMode::WorkCopy;
    resetWindow();
    clearHistory();
    reportProgress(callback, *size, *size, ProgressKind::Finished);
    return true;
}

// ------------------------------------------------------- work file rewrites

bool CEditData::deleteInWorkFile(std::uint64_t count, std::uint64_t offset,
                                 const ProgressCallback* callback) {
    if (!workFile_.isOpen() || count == 0 || offset > workSize_ || count > workSize_ - offset ||
        !flushWindow()) {
        return reportFailure(callback);
    }
    const std::uint64_t tail = workSize_ - offset - count;
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kMove]);
    if (!buffer) {
        return reportFailure(callback);
    }
    RewriteReporter reporter(callback, tail);
    bool ok = true;
    for (std::uint64_t moved = 0; moved < tail && ok;) {
        const auto chunk = static_cast<std::size_t>(std::min(kMove, tail - moved));
        ok = workFile_.readAt(buffer.get(), chunk, offset + count + moved) ==
                 static_cast<std::int64_t>(chunk) &&
             workFile_.writeAt(buffer.get(), chunk, offset + moved);
        moved += chunk;
        reporter.progress(moved);
    }
    ok = ok && workFile_.truncate(workSize_ - count);
    if (ok) {
        workSize_ -= count;
    } else {
        lastError_ = workFile_.lastError();
    }
    resetWindow();
    reporter.finish(ok);
    return ok;
}

bool CEditData::insertInWorkFile(const std::uint8_t* source, std::uint64_t count,
                                 std::uint64_t offset, const ProgressCallback* callback) {
    if (!workFile_.isOpen() || source == nullptr || count == 0 || offset > workSize_ ||
        !flushWindow()) {
        return reportFailure(callback);
    }
    const std::uint64_t tail = workSize_ - offset;
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[kMove]);
    if (!buffer) {
        return reportFailure(callback);
    }
    RewriteReporter reporter(callback, tail);
    bool ok = true;
    // Back to front, so no byte is overwritten before it has moved.
    for (std::uint64_t left = tail; left > 0 && ok;) {
        const auto chunk = static_cast<std::size_t>(std::min(kMove, left));
        const std::uint64_t from = offset + left - chunk;
        ok = workFile_.readAt(buffer.get(), chunk, from) == static_cast<std::int64_t>(chunk) &&
             workFile_.writeAt(buffer.get(), chunk, from + count);
        left -= chunk;
        reporter.progress(tail - left);
    }
    for (std::uint64_t written = 0; written < count && ok;) {
        const auto chunk = static_cast<std::size_t>(std::min(kMove, count - written));
        ok = workFile_.writeAt(source + written, chunk, offset + written);
        written += chunk;
    }
    if (ok) {
        workSize_ += count;
    } else {
        lastError_ = workFile_.lastError();
    }
    resetWindow();
    reporter.finish(ok);
    return ok;
}

bool CEditData::overwriteInWorkFile(const std::uint8_t* source, std::uint64_t count,
                                    std::uint64_t offset) {
    if (!workFile_.isOpen() || source == nullptr || count == 0 || offset > workSize_ ||
        count > workSize_ - offset || !flushWindow()) {
        return false;
    }
    bool ok = true;
    for (std::uint64_t written = 0; written < count && ok;) {
        const auto chunk = static_cast<std::size_t>(std::min(kMove, count - written));
        ok = workFile_.writeAt(source + written, chunk, offset + written);
        written += chunk;
    }
    if (!ok) {
        lastError_ = workFile_.lastError();
    }
    resetWindow();
    return ok;
}

// -------------------------------------------------------- replace content

bool CEditData::doReplaceContent(const std::string& path) {
    const auto discard = [&path] { ::unlink(path.c_str()); };
    if (isMemoryMode()) {
        platform::File file =
            platform::File::open(path, platform::FileAccess::Read, platform::FileShare::ShareRead);
        const auto size = file.isOpen() ? file.size() : std::nullopt;
        if (!size || *size > 0xFFFFF000u) {
            discard();
            return failWith(file.lastError());
        }
        std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow)
                                                   std::uint8_t[std::max<std::uint64_t>(*size, 1)]);
        if (!buffer || file.readAt(buffer.get(), static_cast<std::size_t>(*size), 0) !=
                           static_cast<std::int64_t>(*size)) {
            discard();
            return failWith(file.lastError());
        }
        // Grow first: a failed allocation must leave the old data as it was.
        if (!reserveMemory(*size)) {
            discard();
            return false;
        }
        std::memcpy(memory_.get(), buffer.get(), static_cast<std::size_t>(*size));
        dataSize_ = *size;
        file.close();
        discard();
    } else if (isFileMode()) {
        platform::File file = platform::File::open(path, platform::FileAccess::ReadWrite,
                                                   platform::FileShare::NotShared);
        const auto size = file.isOpen() ? file.size() : std::nullopt;
        if (!size) {
            discard();
            return failWith(file.lastError());
        }
        file_.close();
        closeWorkFile();
        workFile_ = std::move(file);
        workPath_ = path;
        workSize_ = *size;
        mode_ = StorageMode::WorkCopy;
    } else {
        discard();
        return false;
    }
    resetWindow();
    freeBlocks();
    clearHistory();
    setModified(true);
    return true;
}
