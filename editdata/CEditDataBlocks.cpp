// Column blocks and the byte swap: in memory with undo, in the work file
// (which an in-place file first becomes) without.
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "editdata/CEditData.h"
#include "editdata/EditActions.h"
#include "editdata/EditDataStrings.h"
#include "platform/FileCopy.h"
#include "platform/TempFile.h"
#include "settings/CSettings.h"

using platform::ProgressCallback;
using platform::ProgressKind;
using platform::reportProgress;

namespace {

constexpr std::uint64_t kMove = platform::kCopyChunk;
constexpr std::uint64_t kSwapRead = 4 * 1048576;

bool usable(const ColumnBlock& block) {
    return block.lineWidth > 0 && block.firstLine >= 0 && block.rows() > 0 &&
           block.firstColumn >= 0 && block.columns() > 0 && block.lastColumn < block.lineWidth;
}

std::uint64_t blockBytes(const ColumnBlock& block) {
    return static_cast<std::uint64_t>(block.rows()) * static_cast<std::uint64_t>(block.columns());
}

// Offset of the block's row on `line` (may be negative over the indent).
std::int64_t rowStart(const ColumnBlock& block, std::int64_t line) {
    return line * block.lineWidth + block.firstColumn - block.indent;
}

std::uint64_t clampTo(std::int64_t value, std::uint64_t size) {
    return value <= 0 ? 0 : std::min(static_cast<std::uint64_t>(value), size);
}

// Reverses every unit of `length` bytes at `bytes` (a chunk), the final
// partial unit included.
// Reverses the bytes of `Width`-byte units through the processor's byte swap.
template <typename Word, Word (*Swap)(Word)>
std::uint64_t swapWords(std::uint8_t* bytes, std::uint64_t length) {
    const std::uint64_t whole = length / sizeof(Word) * sizeof(Word);
    for (std::uint64_t at = 0; at < whole; at += sizeof(Word)) {
        Word word;
        std::memcpy(&word, bytes + at, sizeof word);
        word = Swap(word);
        std::memcpy(bytes + at, &word, sizeof word);
    }
    return whole;
}

std::uint16_t swap16(std::uint16_t value) {
    return __builtin_bswap16(value);
}
std::uint32_t swap32(std::uint32_t value) {
    return __builtin_bswap32(value);
}
std::uint64_t swap64(std::uint64_t value) {
    return __builtin_bswap64(value);
}

void reverseUnits(std::uint8_t* bytes, std::uint64_t length, std::uint64_t unit) {
    std::uint64_t at = 0;
    if (unit == 2) {
        at = swapWords<std::uint16_t, swap16>(bytes, length);
    } else if (unit == 4) {
        at = swapWords<std::uint32_t, swap32>(bytes, length);
    } else if (unit == 8) {
        at = swapWords<std::uint64_t, swap64>(bytes, length);
    }
    for (; at < length; at += unit) {
        std::reverse(bytes + at, bytes + std::min(at + unit, length));
    }
}

// Reads a file front to back through one 1 MiB buffer.
class SequentialReader {
  public:
    explicit SequentialReader(platform::File& file) : file_(file), buffer_(kMove) {}

    // Hands [from, to) to `sink` piece by piece; the pieces of one call, and
    // the calls, must run front to back.
    template <typename Sink>
    bool copy(std::uint64_t from, std::uint64_t to, Sink&& sink) {
        while (from < to) {
            if (from < start_ || from >= start_ + length_) {
                const std::int64_t read = file_.readAt(buffer_.data(), buffer_.size(), from);
                if (read <= 0) {
                    return false;
                }
                start_ = from;
                length_ = static_cast<std::uint64_t>(read);
            }
            const std::uint64_t piece = std::min(to, start_ + length_) - from;
            if (!sink(buffer_.data() + (from - start_), piece)) {
                return false;
            }
            from += piece;
        }
        return true;
    }

  private:
    platform::File& file_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t start_ = 0;
    std::uint64_t length_ = 0;
};

// Writes a file front to back through one 1 MiB buffer; `flushed` hears the
// bytes written so far after each write.
class SequentialWriter {
  public:
    SequentialWriter(platform::File& file, std::uint64_t at,
                     std::function<void(std::uint64_t)> flushed = {})
        : file_(file), at_(at), flushed_(std::move(flushed)) {
        buffer_.reserve(kMove);
    }

    bool put(const std::uint8_t* bytes, std::uint64_t count) {
        while (count > 0) {
            const std::uint64_t room = kMove - buffer_.size();
            const std::uint64_t piece = std::min(room, count);
            buffer_.insert(buffer_.end(), bytes, bytes + piece);
            bytes += piece;
            count -= piece;
            if (buffer_.size() == kMove && !flush()) {
                return false;
            }
        }
        return true;
    }
    bool flush() {
        if (!buffer_.empty() && !file_.writeAt(buffer_.data(), buffer_.size(), at_)) {
            return false;
        }
        at_ += buffer_.size();
        written_ += buffer_.size();
        buffer_.clear();
        if (flushed_) {
            flushed_(written_);
        }
        return true;
    }
    std::uint64_t end() const { return at_ + buffer_.size(); }

  private:
    platform::File& file_;
    std::uint64_t at_;
    std::uint64_t written_ = 0;
    std::function<void(std::uint64_t)> flushed_;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace

RowPart rowPart(const ColumnBlock& block, std::int64_t line, std::uint64_t size) {
    const std::int64_t start = rowStart(block, line);
    const std::uint64_t begin = clampTo(start, size);
    const std::uint64_t end = std::max(begin, clampTo(start + block.columns(), size));
    // A row that starts past the data has no part in it: column 0, no bytes.
    const auto column = static_cast<std::uint64_t>(std::clamp<std::int64_t>(
        static_cast<std::int64_t>(begin) - start, 0, std::max<std::int64_t>(block.columns(), 0)));
    return {begin, end, end > begin ? column : 0};
}

// ------------------------------------------------------------- reading

bool CEditData::readBlock(std::vector<std::uint8_t>& rows, const ColumnBlock& block) {
    if (!usable(block)) {
        return false;
    }
    try {
        rows.assign(blockBytes(block), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const std::uint64_t size = getDataSize();
    if (size == kNoDataSize) {
        return false;
    }
    for (std::int64_t line = block.firstLine; line <= block.lastLine; ++line) {
        const RowPart part = rowPart(block, line, size);
        std::uint64_t read = 0;
        const std::uint64_t target = static_cast<std::uint64_t>(line - block.firstLine) *
                                         static_cast<std::uint64_t>(block.columns()) +
                                     part.column;
        if (part.end > part.begin &&
            !readData(rows.data() + target, part.end - part.begin, read, part.begin)) {
            return false;
        }
    }
    return true;
}

// -------------------------------------------------------------- delete

bool CEditData::reachesData(const ColumnBlock& block) const {
    // Rows only move on through the data, and only the first can lie wholly
    // over the indent: the first two rows tell.
    const std::uint64_t size = getDataSize();
    for (std::int64_t line = block.firstLine; line <= block.lastLine && line <= block.firstLine + 1;
         ++line) {
        const RowPart part = rowPart(block, line, size);
        if (part.end > part.begin) {
            return true;
        }
    }
    return false;
}

bool CEditData::doDeleteBlock(const ColumnBlock& block, bool record,
                              std::unique_ptr<CEditAction> linked) {
    // A block with no byte in the data fails here, before an in-place file
    // is made a work copy for nothing.
    if (!usable(block) || !recordingAllowed(record) || !reachesData(block)) {
        return false;
    }
    if (isMemoryMode()) {
        return blockDeleteInMemory(block, record, std::move(linked));
    }
    if (!prepareWorkCopy(record, editstrings::kDeleteIrreversible)) {
        return false;
    }
    const bool done = runLong(
        editstrings::kDeleteBlockCaption, editstrings::kDeleteBlockText, false,
        [&](const ProgressCallback* callback) { return blockDeleteInWorkFile(block, callback); });
    if (done) {
        finishWorkFileChange(record);
    }
    return done;
}

bool CEditData::blockDeleteInMemory(const ColumnBlock& block, bool record,
                                    std::unique_ptr<CEditAction> linked) {
    if (record && !document_->confirmThreshold(blockBytes(block), editstrings::kDeleteThreshold)) {
        return false;
    }
    std::vector<std::uint8_t> removedRows;
    if (record) {
        try {
            removedRows.assign(blockBytes(block), 0);
        } catch (const std::bad_alloc&) {
            record = false;  // only the record is lost
        }
    }
    // Walk the rows: keep what lies between them, take out their bytes.
    std::uint8_t* data = memory_.get();
    const std::uint64_t size = dataSize_;
    std::uint64_t dst = rowPart(block, block.firstLine, size).begin;
    std::uint64_t src = dst;
    std::uint64_t removed = 0;
    for (std::int64_t line = block.firstLine; line <= block.lastLine; ++line) {
        const RowPart part = rowPart(block, line, size);
        std::memmove(data + dst, data + src, part.begin - src);
        dst += part.begin - src;
        if (record && part.end > part.begin) {
            std::memcpy(removedRows.data() +
                            static_cast<std::uint64_t>(line - block.firstLine) *
                                static_cast<std::uint64_t>(block.columns()) +
                            part.column,
                        data + part.begin, part.end - part.begin);
        }
        removed += part.end - part.begin;
        src = part.end;
    }
    if (removed == 0) {
        return false;  // the block lies past the end of the data
    }
    if (record) {
        recordEdit(false, rowPart(block, block.firstLine, size).begin, std::move(linked),
                   [&](const CaretContext& caret) {
                       auto action = std::make_unique<CDeleteBlockAction>();
                       return action->setData(caret, removedRows.data(), block, removed)
                                  ? std::move(action)
                                  : nullptr;
                   });
    }
    std::memmove(data + dst, data + src, size - src);
    dataSize_ = dst + (size - src);
    resetWindow();
    setModified(true);
    return true;
}

bool CEditData::restoreDeletedBlock(const std::uint8_t* rows, const ColumnBlock& block,
                                    std::uint64_t removed) {
    if (!isMemoryMode() || rows == nullptr || !usable(block) || removed == 0) {
        return false;
    }
    const std::uint64_t oldSize = dataSize_ + removed;
    std::unique_ptr<std::uint8_t[]> rebuilt(new (std::nothrow) std::uint8_t[oldSize]);
    if (!rebuilt) {
        return false;
    }
    // Lay the old data out again: kept bytes from the current data, block
    // bytes from the rows, each where the deletion found them.
    const std::uint8_t* data = memory_.get();
    std::uint64_t out = 0;
    std::uint64_t src = 0;
    for (std::int64_t line = block.firstLine; line <= block.lastLine && out < oldSize; ++line) {
        const RowPart part = rowPart(block, line, oldSize);
        const std::uint64_t keep = part.begin - out;
        std::memcpy(rebuilt.get() + out, data + src, keep);
        out += keep;
        src += keep;
        const std::uint64_t bytes = part.end - part.begin;
        if (bytes == 0) {
            continue;  // the row lay past the data
        }
        std::memcpy(rebuilt.get() + out,
                    rows +
                        static_cast<std::uint64_t>(line - block.firstLine) *
                            static_cast<std::uint64_t>(block.columns()) +
                        part.column,
                    bytes);
        out += bytes;
    }
    if (out > oldSize || dataSize_ - src != oldSize - out) {
        return false;  // the data does not match the recorded deletion
    }
    std::memcpy(rebuilt.get() + out, data + src, dataSize_ - src);
    if (!reserveMemory(oldSize)) {
        return false;
    }
    std::memcpy(memory_.get(), rebuilt.get(), oldSize);
    dataSize_ = oldSize;
    resetWindow();
    setModified(true);
    return true;
}

// ----------------------------------------------------------- overwrite

bool CEditData::doOverwriteBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                                 std::unique_ptr<CEditAction> linked) {
    if (source == nullptr || !usable(block) || !recordingAllowed(record) || !reachesData(block)) {
        return false;
    }
    if (isFileMode()) {
        if (!prepareWorkCopy(record, editstrings::kOverwriteIrreversible) ||
            !blockOverwriteInWorkFile(source, block)) {
            return false;
        }
        finishWorkFileChange(record);
        return true;
    }
    if (!isMemoryMode()) {
        return false;
    }
    if (record &&
        !document_->confirmThreshold(blockBytes(block), editstrings::kOverwriteThreshold)) {
        return false;
    }
    std::vector<std::uint8_t> oldRows;
    if (record && !readBlock(oldRows, block)) {
        record = false;
    }
    std::uint64_t written = 0;
    for (std::int64_t line = block.firstLine; line <= block.lastLine; ++line) {
        const RowPart part = rowPart(block, line, dataSize_);
        if (part.end == part.begin) {
            continue;  // the row lies past the data
        }
        std::memmove(memory_.get() + part.begin,
                     source +
                         static_cast<std::uint64_t>(line - block.firstLine) *
                             static_cast<std::uint64_t>(block.columns()) +
                         part.column,
                     part.end - part.begin);
        written += part.end - part.begin;
    }
    if (written == 0) {
        return false;
    }
    if (record) {
        recordEdit(false, rowPart(block, block.firstLine, dataSize_).begin, std::move(linked),
                   [&](const CaretContext& caret) {
                       auto action = std::make_unique<CWriteBlockAction>();
                       return action->setData(caret, oldRows.data(), block) ? std::move(action)
                                                                            : nullptr;
                   });
    }
    setModified(true);
    return true;
}

bool CEditData::blockOverwriteInWorkFile(const std::uint8_t* source, const ColumnBlock& block) {
    if (!workFile_.isOpen() || !flushWindow()) {
        return false;
    }
    bool ok = true;
    std::uint64_t written = 0;
    for (std::int64_t line = block.firstLine; line <= block.lastLine && ok; ++line) {
        const RowPart part = rowPart(block, line, workSize_);
        ok = workFile_.writeAt(source +
                                   static_cast<std::uint64_t>(line - block.firstLine) *
                                       static_cast<std::uint64_t>(block.columns()) +
                                   part.column,
                               part.end - part.begin, part.begin);
        written += part.end - part.begin;
    }
    resetWindow();
    return ok && written > 0;
}

// -------------------------------------------------------------- insert

namespace {

// The layout of an inserted block: the prefix of old data, then per row the
// inserted bytes followed by up to (line width - columns) old bytes while
// old data remains, then the rest of the old data.
template <typename Emit>
void walkInsertion(const ColumnBlock& block, std::uint64_t oldSize, Emit&& emit) {
    const std::uint64_t columns = static_cast<std::uint64_t>(block.columns());
    const std::uint64_t between = static_cast<std::uint64_t>(block.lineWidth) - columns;
    std::uint64_t old = clampTo(rowStart(block, block.firstLine), oldSize);
    emit(false, 0, old);
    for (std::int64_t row = 0; row < block.rows(); ++row) {
        emit(true, static_cast<std::uint64_t>(row) * columns, columns);
        const std::uint64_t keep = std::min(between, oldSize - old);
        emit(false, old, keep);
        old += keep;
    }
    emit(false, old, oldSize - old);
}

}  // namespace

bool CEditData::doInsertBlock(const std::uint8_t* source, const ColumnBlock& block, bool record,
                              std::unique_ptr<CEditAction> linked) {
    if (source == nullptr || !usable(block) || !recordingAllowed(record)) {
        return false;
    }
    if (isFileMode()) {
        if (!prepareWorkCopy(record, editstrings::kInsertIrreversible)) {
            return false;
        }
        const bool done = runLong(editstrings::kInsertBlockCaption, editstrings::kInsertBlockText,
                                  false, [&](const ProgressCallback* callback) {
                                      return blockInsertInWorkFile(source, block, callback);
                                  });
        if (done) {
            finishWorkFileChange(record);
        }
        return done;
    }
    if (!isMemoryMode()) {
        return false;
    }
    if (record && !document_->confirmThreshold(blockBytes(block), editstrings::kInsertThreshold)) {
        return false;
    }
    const std::uint64_t oldSize = dataSize_;
    const std::uint64_t newSize = oldSize + blockBytes(block);
    if (newSize > 0xFFFFF000u) {
        return false;
    }
    std::unique_ptr<std::uint8_t[]> rebuilt(new (std::nothrow)
                                                std::uint8_t[(newSize + 4095) / 4096 * 4096]);
    if (!rebuilt) {
        return false;
    }
    std::uint64_t out = 0;
    walkInsertion(block, oldSize, [&](bool inserted, std::uint64_t from, std::uint64_t count) {
        std::memcpy(rebuilt.get() + out, (inserted ? source : memory_.get()) + from, count);
        out += count;
    });
    if (record) {
        recordEdit(false, clampTo(rowStart(block, block.firstLine), oldSize), std::move(linked),
                   [&](const CaretContext& caret) {
                       auto action = std::make_unique<CInsertBlockAction>();
                       return action->setData(caret, source, block, oldSize) ? std::move(action)
                                                                             : nullptr;
                   });
    }
    memory_ = std::move(rebuilt);
    capacity_ = static_cast<std::uint32_t>((newSize + 4095) / 4096 * 4096);
    dataSize_ = newSize;
    resetWindow();
    setModified(true);
    return true;
}

bool CEditData::removeInsertedBlock(const ColumnBlock& block, std::uint64_t sizeBefore) {
    if (!isMemoryMode() || !usable(block) || dataSize_ != sizeBefore + blockBytes(block)) {
        return false;
    }
    // Walk the same layout, keeping only the old bytes.
    std::uint8_t* data = memory_.get();
    std::uint64_t in = 0;
    std::uint64_t out = 0;
    walkInsertion(block, sizeBefore, [&](bool inserted, std::uint64_t, std::uint64_t count) {
        if (!inserted) {
            std::memmove(data + out, data + in, count);
            out += count;
        }
        in += count;
    });
    dataSize_ = out;
    resetWindow();
    setModified(true);
    return true;
}

bool CEditData::blockInsertInWorkFile(const std::uint8_t* source, const ColumnBlock& block,
                                      const ProgressCallback* callback) {
    if (!workFile_.isOpen() || !flushWindow()) {
        reportProgress(callback, 100, 100, ProgressKind::Failed);
        return false;
    }
    // The new layout goes to a new file in one pass over the old one.
    const auto created = services_.settings.createTempFile("~HEXDATA");
    platform::File fresh = created ? platform::File::open(*created, platform::FileAccess::ReadWrite,
                                                          platform::FileShare::NotShared)
                                   : platform::File();
    if (!fresh.isOpen()) {
        if (created) {
            ::unlink(created->c_str());
        }
        reportProgress(callback, 100, 100, ProgressKind::Failed);
        return false;
    }
    const std::uint64_t total = workSize_ + blockBytes(block);
    bool reporting = true;
    SequentialReader reader(workFile_);
    SequentialWriter writer(fresh, 0, [&](std::uint64_t written) {
        if (reporting && reportProgress(callback, total, written, ProgressKind::Progress) ==
                             platform::ProgressAnswer::Cancel) {
            reporting = false;  // the rewrite finishes all the same
        }
    });
    const auto put = [&writer](const std::uint8_t* bytes, std::uint64_t count) {
        return writer.put(bytes, count);
    };
    bool ok = true;
    walkInsertion(block, workSize_, [&](bool inserted, std::uint64_t from, std::uint64_t count) {
        ok = ok &&
             (inserted ? writer.put(source + from, count) : reader.copy(from, from + count, put));
    });
    ok = ok && writer.flush();
    if (!ok) {
        fresh.close();
        ::unlink(created->c_str());
        resetWindow();
        reportProgress(callback, total, total, ProgressKind::Failed);
        return false;
    }
    closeWorkFile();
    workFile_ = std::move(fresh);
    workPath_ = *created;
    workSize_ = total;
    resetWindow();
    if (reporting) {
        reportProgress(callback, total, total, ProgressKind::Finished);
    }
    return true;
}

bool CEditData::blockDeleteInWorkFile(const ColumnBlock& block, const ProgressCallback* callback) {
    if (!workFile_.isOpen() || !flushWindow()) {
        reportProgress(callback, 100, 100, ProgressKind::Failed);
        return false;
    }
    // One pass front to back: the kept bytes are written behind the reading
    // position, so nothing is overwritten before it has been read.
    const std::uint64_t size = workSize_;
    const std::uint64_t first = rowPart(block, block.firstLine, size).begin;
    const std::uint64_t total = size - first;
    bool reporting = true;
    SequentialReader reader(workFile_);
    SequentialWriter writer(workFile_, first, [&](std::uint64_t written) {
        if (reporting && reportProgress(callback, total, written, ProgressKind::Progress) ==
                             platform::ProgressAnswer::Cancel) {
            reporting = false;
        }
    });
    const auto put = [&writer](const std::uint8_t* bytes, std::uint64_t count) {
        return writer.put(bytes, count);
    };
    bool ok = true;
    std::uint64_t src = first;
    std::uint64_t removed = 0;
    for (std::int64_t line = block.firstLine; line <= block.lastLine && ok && src < size; ++line) {
        const RowPart part = rowPart(block, line, size);
        ok = reader.copy(src, part.begin, put);
        removed += part.end - part.begin;
        src = part.end;
    }
    ok = ok && reader.copy(src, size, put) && writer.flush() && removed > 0 &&
         workFile_.truncate(writer.end());
    if (ok) {
        workSize_ = writer.end();
    }
    resetWindow();
    if (reporting) {
        reportProgress(callback, total, total, ok ? ProgressKind::Finished : ProgressKind::Failed);
    }
    return ok;
}

// ---------------------------------------------------------------- swap

bool CEditData::doSwapData(std::uint64_t count, std::uint64_t start, std::int32_t chunk,
                           std::int32_t unit, std::int32_t shift, bool record,
                           std::unique_ptr<CEditAction> linked) {
    const std::uint64_t size = getDataSize();
    // A shift outside the chunk would make an empty first chunk: refused.
    if (count == 0 || size == kNoDataSize || start > size || count > size - start || chunk <= 0 ||
        unit <= 0 || shift < 0 || shift >= chunk || !recordingAllowed(record)) {
        return false;
    }
    if (isFileMode()) {
        if (!prepareWorkCopy(record, editstrings::kSwapIrreversible)) {
            return false;
        }
        if (record) {
            clearHistory();
        }
        if (!swapInWorkFile(count, start, chunk, unit, shift)) {
            return false;
        }
        setModified(true);
        return true;
    }
    if (record) {
        recordEdit(false, start, std::move(linked), [&](const CaretContext& caret) {
            auto action = std::make_unique<CSwapDataAction>();
            return action->setData(caret, {count, start, chunk, unit, shift}) ? std::move(action)
                                                                              : nullptr;
        });
    }
    std::uint8_t* data = memory_.get();
    const std::uint64_t end = start + count;
    for (std::uint64_t at = start, length = static_cast<std::uint64_t>(chunk - shift); at < end;
         at += length, length = static_cast<std::uint64_t>(chunk)) {
        reverseUnits(data + at, std::min(length, end - at), static_cast<std::uint64_t>(unit));
    }
    setModified(true);
    return true;
}

bool CEditData::swapInWorkFile(std::uint64_t count, std::uint64_t start, std::int32_t chunk,
                               std::int32_t unit, std::int32_t shift) {
    if (!workFile_.isOpen() || !flushWindow()) {
        return false;
    }
    // One pass front to back in reads of about 4 MiB, each a whole number of
    // chunks; every read after the shifted first chunk starts on a chunk
    // boundary.
    const auto width = static_cast<std::uint64_t>(chunk);
    const std::uint64_t perRead =
        std::min<std::uint64_t>(count / width + 1, std::max<std::uint64_t>(kSwapRead / width, 1)) *
        width;
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[perRead]);
    if (!buffer) {
        return false;
    }
    const std::uint64_t end = start + count;
    std::uint64_t at = start;
    bool ok = true;
    const auto swapRead = [&](std::uint64_t length, std::uint64_t piece) {
        ok = workFile_.readAt(buffer.get(), length, at) == static_cast<std::int64_t>(length);
        const auto step = static_cast<std::uint64_t>(unit);
        if (ok && piece % step == 0) {
            reverseUnits(buffer.get(), length, step);  // chunks of whole units: one run
        } else {
            for (std::uint64_t in = 0; ok && in < length; in += piece) {
                reverseUnits(buffer.get() + in, std::min(piece, length - in), step);
            }
        }
        ok = ok && workFile_.writeAt(buffer.get(), length, at);
        at += length;
    };
    if (shift != 0) {
        const std::uint64_t first = std::min(width - static_cast<std::uint64_t>(shift), end - at);
        swapRead(first, first);
    }
    while (ok && at < end) {
        swapRead(std::min(perRead, end - at), width);
    }
    resetWindow();
    return ok;
}
