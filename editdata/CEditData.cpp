#include "editdata/CEditData.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "editdata/EditDataStrings.h"
#include "platform/MessageService.h"
#include "platform/UiThread.h"
#include "settings/CSettings.h"

namespace {

// Memory buffers grow in steps of 4096 bytes and stay addressable by 32 bits.
constexpr std::uint64_t kMemoryStep = 4096;
constexpr std::uint64_t kMaxCapacity = 0xFFFFF000u;

std::uint64_t roundedCapacity(std::uint64_t size) {
    return size == 0 ? kMemoryStep : (size + kMemoryStep - 1) / kMemoryStep * kMemoryStep;
}

}  // namespace

CEditData::CEditData(CEditDataServices services)
    : services_(services),
      window_(std::make_unique<std::array<std::uint8_t, kWindowSize>>()),
      mask_(std::make_unique<std::array<std::uint8_t, kWindowSize>>()) {
    mask_->fill(0);
}

CEditData::~CEditData() {
    close();
}

std::uint32_t CEditData::maxDirectEditSize() const {
    return services_.settings.maxDirectEditSize();
}

bool CEditData::onUiThread() const {
    return platform::isUiThread();
}

void CEditData::setModified(bool modified) {
    modified_ = modified;
    if (isBusy()) {
        modifiedUntold_ = true;  // the owner lives on the user-interface thread
    } else if (document_ != nullptr) {
        document_->markModified(modified);
    }
}

bool CEditData::failWith(int error) {
    lastError_ = error;
    return false;
}

bool CEditData::runLong(int captionId, int textId, bool stoppable, const Work& work) {
    // A buffer the work cannot get fails the work, never the program; the
    // work allocates before it changes anything.
    const auto guarded = [&](const platform::ProgressCallback* callback) {
        try {
            return work(callback);
        } catch (const std::bad_alloc&) {
            lastError_ = ENOMEM;
            platform::reportProgress(callback, 1, 1, platform::ProgressKind::Failed);
            return false;
        }
    };
    if (services_.progress == nullptr || !onUiThread()) {
        return guarded(nullptr);
    }
    bool result = false;
    busy_.store(true, std::memory_order_release);
    const bool closedWithOk = services_.progress->runWithProgress(
        captionId, textId,
        [&](const platform::ProgressCallback& callback) { result = guarded(&callback); });
    busy_.store(false, std::memory_order_release);
    if (!result && lastError_ == ENOMEM && services_.messages != nullptr) {
        services_.messages->show(editstrings::kNoMemory, {platform::MessageIcon::Stop});
    }
    if (modifiedUntold_) {
        modifiedUntold_ = false;
        if (document_ != nullptr) {
            document_->markModified(modified_);
        }
    }
    return stoppable ? closedWithOk && result : result;
}

// ------------------------------------------------------------------ memory

bool CEditData::reserveMemory(std::uint64_t size) {
    const std::uint64_t capacity = roundedCapacity(size);
    if (capacity <= capacity_) {
        return true;
    }
    if (capacity > kMaxCapacity) {
        return false;
    }
    std::unique_ptr<std::uint8_t[]> grown(new (std::nothrow) std::uint8_t[capacity]);
    if (!grown) {
        return false;
    }
    if (memory_) {
        std::memcpy(grown.get(), memory_.get(), static_cast<std::size_t>(dataSize_));
    }
    memory_ = std::move(grown);
    capacity_ = static_cast<std::uint32_t>(capacity);
    return true;
}

void CEditData::freeMemory() {
    memory_.reset();
    capacity_ = 0;
}

// --------------------------------------------------------------- lifecycle

bool CEditData::create(std::uint64_t size, std::uint8_t fill) {
    close();
    if (size > maxDirectEditSize()) {
        return false;
    }
    if (!reserveMemory(size)) {
        freeMemory();
        return false;
    }
    std::memset(memory_.get(), 0, capacity_);
    if (fill != 0) {
        std::memset(memory_.get(), fill, static_cast<std::size_t>(size));
    }
    dataSize_ = size;
    mode_ = StorageMode::MemoryNew;
    accessMode_ = kGenericRead | kGenericWrite;
    readOnly_ = false;
    return true;
}

bool CEditData::open(const std::string& path, std::uint32_t accessMode) {
    close();
    platform::File file =
        platform::File::open(path, platform::FileAccess::Read, platform::FileShare::ShareRead);
    if (!file.isOpen()) {
        return failWith(file.lastError());
    }
    const auto size = file.size();
    if (!size) {
        return failWith(file.lastError());
    }
    file_ = std::move(file);
    path_ = path;
    identity_ = platform::identityOf(file_);
    accessMode_ = accessMode;
    readOnly_ = (accessMode & kGenericWrite) == 0;
    mode_ = StorageMode::InPlace;
    dataSize_ = *size;
    if (*size > maxDirectEditSize()) {
        return true;
    }
    // Memory exhaustion is no error: the file is then edited in place.
    if (!reserveMemory(*size)) {
        return true;
    }
    const std::int64_t read = file_.readAt(memory_.get(), static_cast<std::size_t>(*size), 0);
    if (read < 0 || static_cast<std::uint64_t>(read) != *size) {
        freeMemory();
        return true;
    }
    mode_ = StorageMode::MemoryLoaded;
    file_.close();
    return true;
}

void CEditData::close() {
    accessMode_ = 0;
    readOnly_ = false;
    mode_ = StorageMode::NoData;
    path_.clear();
    identity_.reset();
    file_.close();
    dataSize_ = 0;
    freeMemory();
    resetWindow();
    closeWorkFile();
    freeBlocks();
    clearHistory();
    modified_ = false;
}

void CEditData::closeWorkFile() {
    workFile_.close();
    if (!workPath_.empty()) {
        ::unlink(workPath_.c_str());
        workPath_.clear();
    }
    workSize_ = 0;
}

std::uint64_t CEditData::getDataSize() const {
    switch (mode_) {
        case StorageMode::MemoryNew:
        case StorageMode::MemoryLoaded:
            return dataSize_;
        case StorageMode::InPlace:
            return file_.isOpen() ? dataSize_ : kNoDataSize;
        case StorageMode::WorkCopy:
            return workFile_.isOpen() ? workSize_ : kNoDataSize;
        case StorageMode::NoData:
            break;
    }
    return kNoDataSize;
}

std::uint32_t CEditData::setAccessMode(std::uint32_t accessMode) {
    const std::uint32_t previous = accessMode_;
    accessMode_ = accessMode;
    readOnly_ = (accessMode & kGenericWrite) == 0;
    return previous;
}

// ----------------------------------------------------------- change mask

void CEditData::recomputeChangeMask() {
    if (maskSuspended_) {
        return;
    }
    if (maskHasMarks_) {
        mask_->fill(0);
        maskHasMarks_ = false;
    }
    if (windowLength_ == 0) {
        return;
    }
    // Newest first, up to the first action that changed the size: offsets
    // recorded before it no longer match the data.
    for (int index = undoStack_.count() - 1; index >= 0; --index) {
        const CEditAction* action = undoStack_.at(index);
        if (action->changesSize()) {
            break;
        }
        if (action->markChanges(windowStart_, windowLength_, mask_->data())) {
            maskHasMarks_ = true;
        }
    }
}
