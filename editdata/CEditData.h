#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "editdata/ActionStack.h"
#include "editdata/CCachedData.h"
#include "editdata/CEditAction.h"
#include "editdata/CEditDataOwner.h"
#include "editdata/DataChange.h"
#include "editdata/EditDataTypes.h"
#include "platform/File.h"
#include "platform/Progress.h"
#include "settings/CSettings.h"

class Component;

namespace platform {
class MessageService;
}

// The services a store uses. The settings always exist (all defaults when
// no registry stands behind them); without a progress runner long
// operations run directly; without a message service nothing is shown.
struct CEditDataServices {
    const CSettings& settings = CSettings::defaults();
    platform::ProgressRunner* progress = nullptr;
    platform::MessageService* messages = nullptr;
};

// The byte store of one open file. Small files live in memory; a file above
// the maximal direct edit size is edited in place through an 8 KiB data
// window and a list of modified 1 KiB blocks, and becomes a work file in the
// temporary directory as soon as anything but typing single bytes is done.
//
// Offsets and sizes are 64-bit throughout; the memory modes keep their
// buffers below 4 GiB.
class CEditData {
  public:
    static constexpr std::uint32_t kWindowSize = 8192;
    static constexpr std::uint32_t kWindowAlign = 4096;
    static constexpr std::uint32_t kMaxPointerCount = 4096;
    static constexpr std::uint64_t kNoDataSize = ~std::uint64_t{0};

    explicit CEditData(CEditDataServices services = {});
    ~CEditData();
    CEditData(const CEditData&) = delete;
    CEditData& operator=(const CEditData&) = delete;

    // The document that carries the modified mark and answers the
    // confirmations, and the view that keeps the caret. Recording needs both.
    void setDocument(CEditDataDocument* document) { document_ = document; }
    void setCaretKeeper(CaretKeeper* keeper) { caretKeeper_ = keeper; }
    void setOwner(CEditDataOwner* owner) {
        document_ = owner;
        caretKeeper_ = owner;
    }
    // The listeners hear of every change when the operation that made it is
    // done; nobody needs to refresh by hand after an edit.
    void addListener(DataChangeListener* listener);
    void removeListener(DataChangeListener* listener);
    CaretKeeper* caretKeeper() const { return caretKeeper_; }

    // ---------------------------------------------------------- lifecycle
    bool create(std::uint64_t size, std::uint8_t fill);
    bool open(const std::string& path, std::uint32_t accessMode);
    void close();
    // Save and Save As. On failure the target is untouched, the store keeps
    // its data and stays modified; lastError() tells why (ECANCELED when the
    // user chose not to overwrite a file another program changed).
    bool save(const std::string& path);
    // Takes the content of `path` (a temporary file made by the caller, which
    // is deleted whatever happens) as the new data.
    bool replaceContent(const std::string& path);

    // ---------------------------------------------------------- reading
    // The data size; kNoDataSize when nothing is open.
    std::uint64_t getDataSize() const;
    // Pointers to the bytes at `offset` and to their change-mask bytes, for
    // painting. `count` goes in as the bytes wanted (1..4096, 0 meaning 4096)
    // and comes out as the bytes valid from the pointer. `reload` forces a
    // fresh read of a file-backed window.
    bool getDataPointer(const std::uint8_t** data, const std::uint8_t** mask, std::uint32_t& count,
                        std::uint64_t offset, bool reload);
    bool readData(std::uint8_t* buffer, std::uint64_t count, std::uint64_t& countRead,
                  std::uint64_t offset);
    bool readByte(std::uint8_t& byte, std::uint64_t offset);

    // ---------------------------------------------------------- changing
    // Exchanges `byte` with the byte at `offset`: afterwards the caller holds
    // the old value.
    bool writeByte(std::uint8_t& byte, std::uint64_t offset, bool record,
                   std::unique_ptr<CEditAction> linked = nullptr);
    bool deleteData(std::uint64_t count, std::uint64_t offset, bool record,
                    std::unique_ptr<CEditAction> linked = nullptr);
    bool overwriteData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                       bool record, std::unique_ptr<CEditAction> linked = nullptr);
    bool insertData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                    bool record, std::unique_ptr<CEditAction> linked = nullptr);

    // Stores the access mode, derives the read-only flag, returns the old mode.
    std::uint32_t setAccessMode(std::uint32_t accessMode);
    std::uint32_t accessMode() const { return accessMode_; }
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

    // ---------------------------------------------------------- column blocks
    // Only the block's bytes that exist are removed; rows past the end of
    // the data remove nothing.
    bool deleteBlock(const ColumnBlock& block, bool record,
                     std::unique_ptr<CEditAction> linked = nullptr);
    // Writes the rows and row parts that lie inside the data.
    bool overwriteBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                        std::unique_ptr<CEditAction> linked = nullptr);
    // Inserts rows x columns bytes so that they form a column of the block's
    // width in the new layout; the old data flows around them.
    bool insertBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                     std::unique_ptr<CEditAction> linked = nullptr);
    // Reads the block's rows (rows x columns bytes, zero where the data ends).
    bool readBlock(std::vector<std::uint8_t>& rows, const ColumnBlock& block);
    // The exact inverses of a recorded block deletion and insertion, for undo
    // (memory modes). `removed` is the number of bytes the deletion removed;
    // `sizeBefore` the data size before the insertion.
    bool restoreDeletedBlock(const std::uint8_t* rows, const ColumnBlock& block,
                             std::uint64_t removed);
    bool removeInsertedBlock(const ColumnBlock& block, std::uint64_t sizeBefore);
    // Reverses the bytes of every data unit inside chunks of the range; the
    // first chunk is `chunk - shift` bytes when shift is not 0. Its own inverse.
    bool swapData(std::uint64_t count, std::uint64_t start, std::int32_t chunk, std::int32_t unit,
                  std::int32_t shift, bool record, std::unique_ptr<CEditAction> linked = nullptr);

    // ---------------------------------------------------------- work file
    // Copies the in-place file to a new work file, writing the modified
    // blocks into it. Stops (and leaves nothing behind) when the callback
    // answers cancel.
    bool makeWorkCopy(const platform::ProgressCallback* callback = nullptr);
    // Copies a file, under the "Copy File" progress dialog above 1 MiB when
    // called on the user-interface thread; with `showMessages` the outcome
    // is reported to the user. `createNew` refuses an existing target.
    bool copyFile(const std::string& source, const std::string& target, bool createNew,
                  bool showMessages);

    // ---------------------------------------------------------- history
    // Pushes an action on the undo stack and recomputes the change mask;
    // returns its index, or -1.
    int recordAction(std::unique_ptr<CEditAction> action);
    // Undoes (redoes) the newest n + 1 actions; false for n outside
    // 0..count-1. An action whose own undo fails still moves.
    bool undo(int n);
    bool redo(int n);
    int getUndoCount() const { return undoStack_.count(); }
    int getRedoCount() const { return redoStack_.count(); }
    // Names of the actions, index 0 the oldest; false for a bad index.
    bool getUndoName(int index, std::string& name) const;
    bool getRedoName(int index, std::string& name) const;
    bool removeUndoAction(int index);
    // Takes the newest undo action off the stack, to become the linked
    // action of the next change of the same user step.
    std::unique_ptr<CEditAction> takeNewestUndoAction();
    // Links `linked` to the newest undo action, so that one undo takes back
    // both; false (and `linked` kept) when there is none.
    bool linkToNewestUndoAction(std::unique_ptr<CEditAction>& linked);
    // Counts the actions ever recorded: a change recorded one when it moved.
    std::uint64_t recordedCount() const { return recorded_; }
    void clearHistory();
    // Recomputes the change mask of the data window from the undo history.
    // Runs on every window move and every history change.
    void recomputeChangeMask();

    // ---------------------------------------------------------- state
    // True while a worker runs one of this store's long operations: the
    // user-interface thread must not touch the store then (it paints what
    // it last read and treats the commands as unavailable).
    bool isBusy() const { return busy_.load(std::memory_order_acquire); }
    // A worker of the caller's own (a background search) reads the store:
    // while the lease lives the store counts as busy, as under its own
    // workers, so the user-interface thread leaves it alone.
    class WorkerLease {
      public:
        explicit WorkerLease(CEditData& data) : data_(data) {
            data_.busy_.store(true, std::memory_order_release);
        }
        ~WorkerLease() { data_.busy_.store(false, std::memory_order_release); }
        WorkerLease(const WorkerLease&) = delete;
        WorkerLease& operator=(const WorkerLease&) = delete;

      private:
        CEditData& data_;
    };
    StorageMode storageMode() const { return mode_; }
    const std::string& path() const { return path_; }
    const std::string& workFilePath() const { return workPath_; }
    bool isModified() const { return modified_; }
    std::size_t modifiedBlockCount() const { return blocks_.size(); }
    std::uint32_t capacity() const { return capacity_; }
    // The errno of the last failed file operation (0 when none).
    int lastError() const { return lastError_; }

  private:
    using Work = std::function<bool(const platform::ProgressCallback*)>;

    std::uint32_t maxDirectEditSize() const;
    void setModified(bool modified);
    bool isMemoryMode() const {
        return mode_ == StorageMode::MemoryNew || mode_ == StorageMode::MemoryLoaded;
    }
    bool isFileMode() const {
        return mode_ == StorageMode::InPlace || mode_ == StorageMode::WorkCopy;
    }
    platform::File& backingFile() { return mode_ == StorageMode::WorkCopy ? workFile_ : file_; }
    std::uint64_t fileDataSize() const {
        return mode_ == StorageMode::WorkCopy ? workSize_ : dataSize_;
    }
    bool onUiThread() const;
    // Runs `work` under the progress dialog on the user-interface thread, or
    // directly. `stoppable` work fails when cancelled; other work counts by
    // its own result.
    bool runLong(int captionId, int textId, bool stoppable, const Work& work);

    // Memory buffer.
    bool reserveMemory(std::uint64_t size);
    void freeMemory();

    // Data window.
    bool windowCovers(std::uint64_t offset, std::uint64_t count) const;
    bool flushWindow();
    bool loadWindow(std::uint64_t offset);
    void resetWindow();
    void overlayBlocks(std::uint64_t offset, std::uint64_t count, std::uint8_t* target) const;
    const CCachedData* findBlock(std::uint64_t blockOffset) const;
    bool storeBlock(std::uint64_t blockOffset, const std::uint8_t* bytes, std::uint32_t length);
    void freeBlocks();
    bool writeBlocksTo(platform::File& file);

    // Recording.
    int maxUndoLevel() const;
    // Records the action `make` builds for the caret; typing records the
    // caret as it stands, other edits their first byte in the caret's panel.
    using ActionMaker = std::function<std::unique_ptr<CEditAction>(const CaretContext&)>;
    void recordEdit(bool typing, std::uint64_t firstByte, std::unique_ptr<CEditAction> linked,
                    const ActionMaker& make);

    // Column blocks.
    // Whether any row of the block has a byte in the data.
    bool reachesData(const ColumnBlock& block) const;
    bool blockDeleteInMemory(const ColumnBlock& block, bool record,
                             std::unique_ptr<CEditAction> linked);
    bool blockDeleteInWorkFile(const ColumnBlock& block,
                               const platform::ProgressCallback* callback);
    bool blockOverwriteInWorkFile(const std::uint8_t* source, const ColumnBlock& block);
    bool blockInsertInWorkFile(const std::uint8_t* source, const ColumnBlock& block,
                               const platform::ProgressCallback* callback);
    bool swapInWorkFile(std::uint64_t count, std::uint64_t start, std::int32_t chunk,
                        std::int32_t unit, std::int32_t shift);

    // Range operations.
    bool recordingAllowed(bool record) const { return !record || document_ != nullptr; }
    bool prepareWorkCopy(bool record, int irreversibleStringId);
    bool deleteInWorkFile(std::uint64_t count, std::uint64_t offset,
                          const platform::ProgressCallback* callback);
    bool insertInWorkFile(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                          const platform::ProgressCallback* callback);
    bool overwriteInWorkFile(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset);
    void finishWorkFileChange(bool record);
    void closeWorkFile();

    // Save by mode.
    // Before the document's own file is saved over: whether it is still as
    // it was opened (or last saved), and if not, whether the user wants it
    // overwritten with the whole document.
    bool confirmOverwriteOfChanged(const std::string& target);
    bool isOwnPath(const std::string& target) const;
    void rememberIdentity(const platform::File& file);
    bool saveMemory(const std::string& target);
    bool saveInPlace(const std::string& target);
    // The in-place file's modified blocks, written into the very file it
    // opened; false without writing when the path holds another file now.
    bool writeBlocksInPlace();
    // The whole document (the opened file and its modified blocks) as a new
    // version of `target`.
    bool writeWholeInPlaceDocument(const std::string& target);
    bool saveWorkCopy(const std::string& target);
    bool copyIntoReplacement(platform::File& source, std::uint64_t size, platform::File& target);
    bool failWith(int error);

    // Runs `body`, a public operation; when it succeeds and is not part of a
    // larger one (an undo runs several), the listeners hear `change`.
    template <typename Body>
    bool announced(const DataChange& change, Body&& body);
    template <typename Body>
    bool announcedWhole(DataChange::Kind kind, Body&& body);
    void announce(const DataChange& change);
    DataChange wholeData(DataChange::Kind kind, std::uint64_t sizeBefore) const;

    bool doSave(const std::string& path);
    bool doReplaceContent(const std::string& path);
    bool doWriteByte(std::uint8_t& byte, std::uint64_t offset, bool record,
                     std::unique_ptr<CEditAction> linked);
    bool doDeleteData(std::uint64_t count, std::uint64_t offset, bool record,
                      std::unique_ptr<CEditAction> linked);
    bool doOverwriteData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                         bool record, std::unique_ptr<CEditAction> linked);
    bool doInsertData(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset,
                      bool record, std::unique_ptr<CEditAction> linked);
    bool doDeleteBlock(const ColumnBlock& block, bool record, std::unique_ptr<CEditAction> linked);
    bool doOverwriteBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                          std::unique_ptr<CEditAction> linked);
    bool doInsertBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                       std::unique_ptr<CEditAction> linked);
    bool doSwapData(std::uint64_t count, std::uint64_t start, std::int32_t chunk, std::int32_t unit,
                    std::int32_t shift, bool record, std::unique_ptr<CEditAction> linked);
    bool doUndo(int n);
    bool doRedo(int n);

    CEditDataServices services_;
    CEditDataDocument* document_ = nullptr;
    CaretKeeper* caretKeeper_ = nullptr;
    std::vector<DataChangeListener*> listeners_;
    int operationDepth_ = 0;
    std::uint32_t accessMode_ = 0;
    bool readOnly_ = false;
    StorageMode mode_ = StorageMode::NoData;
    std::string path_;
    platform::File file_;
    std::uint64_t dataSize_ = 0;
    std::uint32_t capacity_ = 0;
    std::unique_ptr<std::uint8_t[]> memory_;

    std::uint32_t windowLength_ = 0;
    std::uint64_t windowStart_ = 0;
    std::unique_ptr<std::array<std::uint8_t, kWindowSize>> window_;
    bool windowDirty_ = false;
    std::uint32_t dirtyFirst_ = 0;
    std::uint32_t dirtyLast_ = 0;

    std::string workPath_;
    platform::File workFile_;
    std::uint64_t workSize_ = 0;

    std::vector<CCachedData> blocks_;  // in order of creation
    std::unordered_map<std::uint64_t, std::size_t> blockIndex_;

    ActionStack undoStack_;  // element 0 the oldest
    ActionStack redoStack_;
    std::uint64_t recorded_ = 0;

    bool maskHasMarks_ = false;
    bool maskSuspended_ = false;  // during a run of undos or redos
    std::unique_ptr<std::array<std::uint8_t, kWindowSize>> mask_;

    bool modified_ = false;
    int lastError_ = 0;
    std::atomic<bool> busy_{false};
    // A change of the modified mark made by a worker, told to the owner on
    // the user-interface thread once the worker is done.
    bool modifiedUntold_ = false;
    // The file as it was opened or last saved; a save over the same path
    // compares it with what is there now.
    std::optional<platform::FileIdentity> identity_;
    bool overwriteWhole_ = false;
};
