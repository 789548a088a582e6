#include "exchange/ExportWriters.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "editdata/CEditData.h"
#include "exchange/HexTextCopy.h"

using platform::ProgressAnswer;
using platform::ProgressCallback;
using platform::ProgressKind;

namespace {

constexpr HexItemForm kCForm{"\t", "0x%02x, ", "0x%02x,\r\n"};
constexpr HexItemForm kBlockHexForm{"", "0x%02x ", "0x%02x\r\n"};

// Reports when the bar would move (a thousandth of the whole), so a
// large export does not flood the dialog; false when the user cancelled.
class Progress {
  public:
    Progress(const ProgressCallback* callback, std::uint64_t total)
        : callback_(callback), total_(std::max<std::uint64_t>(total, 1)), step_(total_ / 1000) {}

    bool advance(std::uint64_t done) {
        if (done < next_ && done < total_) {
            return true;
        }
        next_ = done + std::max<std::uint64_t>(step_, 1);
        return platform::reportProgress(callback_, total_, done, ProgressKind::Progress) !=
               ProgressAnswer::Cancel;
    }
    bool finish(bool done) {
        platform::reportProgress(callback_, total_, done ? total_ : 0,
                                 done ? ProgressKind::Finished : ProgressKind::Failed);
        return done;
    }

  private:
    const ProgressCallback* callback_;
    std::uint64_t total_;
    std::uint64_t step_;
    std::uint64_t next_ = 0;
};

bool readExactly(CEditData& data, std::uint8_t* buffer, std::uint64_t count, std::uint64_t at) {
    std::uint64_t read = 0;
    return count == 0 || (data.readData(buffer, count, read, at) && read == count);
}

// A title as one line of a C comment: control characters (a Linux file
// name may hold a line feed) become "?".
std::string commentSafe(std::string_view title) {
    std::string safe(title);
    for (char& c : safe) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    return safe;
}

// A title as HTML text: markup characters escaped, everything beyond ASCII
// as numeric references (bytes that are not UTF-8 by their byte value), so
// the page needs no charset.
std::string htmlSafe(std::string_view title) {
    std::string safe;
    for (std::size_t i = 0; i < title.size();) {
        const auto byte = static_cast<unsigned char>(title[i]);
        std::size_t length = 1;
        std::uint32_t code = byte;
        if (byte >= 0x80) {
            length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 0;
            bool valid = length > 0 && i + length <= title.size();
            code = valid ? byte & (0x7F >> length) : byte;
            for (std::size_t k = 1; valid && k < length; ++k) {
                const auto next = static_cast<unsigned char>(title[i + k]);
                valid = (next & 0xC0) == 0x80;
                code = (code << 6) | (next & 0x3F);
            }
            if (!valid || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                code = byte;  // not UTF-8: the byte as a character of its value
                length = 1;
            }
        }
        switch (code) {
            case '&':
                safe += "&amp;";
                break;
            case '<':
                safe += "&lt;";
                break;
            case '>':
                safe += "&gt;";
                break;
            case '"':
                safe += "&quot;";
                break;
            case '\'':
                safe += "&#39;";
                break;
            default:
                if (code < 0x20 || code >= 0x7F) {
                    safe += "&#" + std::to_string(code) + ";";
                } else {
                    safe += static_cast<char>(code);
                }
        }
        i += length;
    }
    return safe;
}

// "%08lu / %08lX": at least eight digits, more for larger values.
std::string offsetPair(std::uint64_t value) {
    char text[64];
    std::snprintf(text, sizeof text, "%08llu / %08llX", static_cast<unsigned long long>(value),
                  static_cast<unsigned long long>(value));
    return text;
}

// The text of an export, written to the sink in large pieces: lines are
// formatted straight into a buffer that is never cleared byte by byte.
class TextOut {
  public:
    TextOut(ExportSink& sink, const HexItemTable& items) : sink_(sink), items_(items) {
        buffer_.resize(kFlushAt + kReserve);
    }
    void append(std::string_view text) {
        if (used_ + text.size() > buffer_.size()) {
            buffer_.resize(used_ + text.size());
        }
        std::copy(text.begin(), text.end(), buffer_.data() + used_);
        used_ += text.size();
    }
    void appendLine(std::span<const std::uint8_t> bytes, bool complete) {
        const std::size_t room = items_.lineSize(bytes.size()) + HexItemTable::kSlack;
        if (used_ + room > buffer_.size()) {
            buffer_.resize(used_ + room);
        }
        used_ = static_cast<std::size_t>(items_.writeLine(buffer_.data() + used_, bytes, complete) -
                                         buffer_.data());
    }
    bool flushIfFull() { return used_ < kFlushAt || flush(); }
    bool flush() {
        const bool written = used_ == 0 || sink_.write(std::string_view(buffer_.data(), used_));
        used_ = 0;
        return written;
    }

  private:
    static constexpr std::size_t kFlushAt = 1 << 20;
    static constexpr std::size_t kReserve = 1 << 16;
    ExportSink& sink_;
    const HexItemTable& items_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

// Runs `row` for each block row that starts inside the data, with its bytes
// and whether it is whole; stops at the first false.
template <typename RowFunction>
bool forEachBlockRow(CEditData& data, const ColumnBlock& block, RowFunction row) {
    const std::uint64_t size = data.getDataSize();
    const std::int64_t width = block.columns();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<std::int64_t>(width, 0)));
    for (std::int64_t line = block.firstLine; line <= block.lastLine; ++line) {
        const std::int64_t rowStart = line * block.lineWidth + block.firstColumn - block.indent;
        if (rowStart >= 0 && static_cast<std::uint64_t>(rowStart) >= size) {
            break;  // rows are taken while they start inside the data
        }
        const RowPart part = rowPart(block, line, size);
        const std::uint64_t length = part.end - part.begin;
        if (!readExactly(data, bytes.data(), length, part.begin)) {
            return false;
        }
        // A row over the first line's indent is short but whole; only the
        // end of the data cuts one.
        const bool whole = rowStart + width <= static_cast<std::int64_t>(size);
        if (!row(std::span<const std::uint8_t>(bytes.data(), length), whole)) {
            return false;
        }
    }
    return true;
}

ColumnBlock clippedToLine(ColumnBlock block) {
    block.lastColumn = std::min(block.lastColumn, block.lineWidth - 1);
    return block;
}

bool usableBlock(const ColumnBlock& block) {
    return block.lineWidth > 0 && block.columns() > 0 && block.rows() > 0 && block.firstLine >= 0;
}

}  // namespace

ExportFormat exportFormatOfFilter(int filterIndex) {
    return filterIndex >= 2 && filterIndex <= 4 ? static_cast<ExportFormat>(filterIndex)
                                                : ExportFormat::RawBytes;
}

const HexItemForm& exportRangeForm(ExportFormat format) {
    return format == ExportFormat::CSource ? kCForm : kClipboardHexForm;
}

const HexItemForm& exportBlockForm(ExportFormat format) {
    return format == ExportFormat::CSource ? kCForm : kBlockHexForm;
}

std::string exportHeader(ExportFormat format, std::string_view title,
                         std::optional<ExportRangeInfo> range) {
    std::string header;
    if (format == ExportFormat::CSource) {
        header += "// Generated by Kestrane Version 1.12\r\n";
        header += "// " + std::string(kProductAddress) + "\r\n";
        header += "// \r\n";
        header += "// Original File: " + commentSafe(title) + "\r\n";
        if (range) {
            header += "// Data Offset: " + offsetPair(range->offset) + "\r\n";
            header += "// Data Length: " + offsetPair(range->length) + " (bytes)\r\n";
        }
        header += "// \r\n";
        header += "unsigned char byHexData[] = {\r\n";
    } else if (format == ExportFormat::Html) {
        const std::string safe = htmlSafe(title);
        header += "<html><head>\r\n";
        header += "<title>" + safe + "</title>\r\n";
        header += "<meta content='Kestrane Version 1.12' name=GENERATOR>\r\n";
        header += "</head>\r\n";
        header += "<body>\r\n";
        header += "<h2>" + safe + "</h2>\r\n";
        header += "<pre><code>\r\n";
    }
    return header;
}

std::string exportTrailer(ExportFormat format) {
    if (format == ExportFormat::CSource) {
        return "\r\n};\r\n";
    }
    if (format == ExportFormat::Html) {
        return "\r\n</code></pre>\r\n</body>\r\n</html>\r\n";
    }
    return {};
}

std::uint64_t blockExportSize(const ColumnBlock& block, std::uint64_t dataSize) {
    const ColumnBlock clipped = clippedToLine(block);
    if (!usableBlock(clipped)) {
        return 0;
    }
    std::uint64_t total = 0;
    for (std::int64_t line = clipped.firstLine; line <= clipped.lastLine; ++line) {
        const std::int64_t rowStart =
            line * clipped.lineWidth + clipped.firstColumn - clipped.indent;
        if (rowStart >= 0 && static_cast<std::uint64_t>(rowStart) >= dataSize) {
            break;
        }
        const RowPart part = rowPart(clipped, line, dataSize);
        total += part.end - part.begin;
    }
    return total;
}

bool writeRawRange(CEditData& data, std::uint64_t start, std::uint64_t length, ExportSink& sink,
                   const ProgressCallback* callback) {
    Progress progress(callback, length);
    if (length == 0) {
        return progress.finish(false);
    }
    // Chunks of kRawChunk read, written in large batches.
    std::vector<std::uint8_t> buffer(std::min<std::uint64_t>(length, 64 * kRawChunk));
    for (std::uint64_t done = 0; done < length;) {
        std::size_t filled = 0;
        while (filled < buffer.size() && done + filled < length) {
            const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(
                {kRawChunk, buffer.size() - filled, length - done - filled}));
            if (!readExactly(data, buffer.data() + filled, chunk, start + done + filled)) {
                return progress.finish(false);
            }
            filled += chunk;
            if (!progress.advance(done + filled)) {
                return progress.finish(false);
            }
        }
        if (!sink.write(std::string_view(reinterpret_cast<const char*>(buffer.data()), filled))) {
            return progress.finish(false);
        }
        done += filled;
    }
    return progress.finish(true);
}

bool writeRawBlock(CEditData& data, const ColumnBlock& block, ExportSink& sink,
                   const ProgressCallback* callback) {
    const ColumnBlock clipped = clippedToLine(block);
    const std::uint64_t total = blockExportSize(clipped, data.getDataSize());
    Progress progress(callback, total);
    if (!usableBlock(clipped) || total == 0) {
        return progress.finish(false);
    }
    std::string batch;
    std::uint64_t done = 0;
    std::size_t rows = 0;
    const bool written =
        forEachBlockRow(data, clipped, [&](std::span<const std::uint8_t> row, bool) {
            batch.append(reinterpret_cast<const char*>(row.data()), row.size());
            done += row.size();
            if (++rows == kBlockBatchRows) {
                rows = 0;
                if (!sink.write(batch)) {
                    return false;
                }
                batch.clear();
            }
            return progress.advance(done);
        });
    return progress.finish(written && (batch.empty() || sink.write(batch)));
}

bool writeTextRange(CEditData& data, std::uint64_t start, std::uint64_t length, int lineWidth,
                    ExportFormat format, std::string_view title, ExportSink& sink,
                    const ProgressCallback* callback) {
    Progress progress(callback, length);
    if (length == 0) {
        return progress.finish(false);
    }
    const auto line = static_cast<std::uint64_t>(std::max(lineWidth, 1));
    TextOut out(sink, HexItemTable::of(exportRangeForm(format)));
    out.append(exportHeader(format, title, ExportRangeInfo{start, length}));
    std::vector<std::uint8_t> chunk(std::min<std::uint64_t>(length, kTextChunkLines * line));
    for (std::uint64_t done = 0; done < length;) {
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), length - done));
        if (!readExactly(data, chunk.data(), count, start + done)) {
            return progress.finish(false);
        }
        for (std::size_t at = 0; at < count; at += line) {
            const std::size_t bytes = std::min<std::size_t>(line, count - at);
            out.appendLine(std::span(chunk).subspan(at, bytes), bytes == line);
        }
        done += count;
        if (!out.flushIfFull() || !progress.advance(done)) {
            return progress.finish(false);
        }
    }
    out.append(exportTrailer(format));
    return progress.finish(out.flush());
}

bool writeTextBlock(CEditData& data, const ColumnBlock& block, ExportFormat format,
                    std::string_view title, ExportSink& sink, const ProgressCallback* callback) {
    const ColumnBlock clipped = clippedToLine(block);
    const std::uint64_t total = blockExportSize(clipped, data.getDataSize());
    Progress progress(callback, total);
    if (!usableBlock(clipped) || total == 0) {
        return progress.finish(false);
    }
    TextOut out(sink, HexItemTable::of(exportBlockForm(format)));
    out.append(exportHeader(format, title, std::nullopt));
    std::uint64_t done = 0;
    const bool written =
        forEachBlockRow(data, clipped, [&](std::span<const std::uint8_t> row, bool whole) {
            out.appendLine(row, whole);
            done += row.size();
            return out.flushIfFull() && progress.advance(done);
        });
    if (!written) {
        return progress.finish(false);
    }
    out.append(exportTrailer(format));
    return progress.finish(out.flush());
}
