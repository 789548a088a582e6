#include "exchange/HexTextCopy.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "editdata/CEditData.h"
#include "platform/Clipboard.h"

namespace {

// One item of a form: every byte value formats to the same length.
std::size_t formatItem(std::array<char, 16>& item, const char* format, unsigned byte) {
    const int length = std::snprintf(item.data(), item.size(), format, byte);
    return static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(item.size()) - 1));
}

CopyResult putText(platform::Clipboard& clipboard, std::string text) {
    platform::ClipboardSession session(clipboard);
    if (!session.isOpen()) {
        return CopyResult::Unavailable;
    }
    session.empty();
    clipboard.writeText(std::move(text));
    return CopyResult::Copied;
}

}  // namespace

HexItemTable::HexItemTable(const HexItemForm& form) : prefix_(form.linePrefix) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        itemLength_ = formatItem(items_[byte], form.item, byte);
        lastLength_ = formatItem(lastItems_[byte], form.lastItem, byte);
    }
}

const HexItemTable& HexItemTable::of(const HexItemForm& form) {
    static std::mutex guard;
    static std::map<const HexItemForm*, std::unique_ptr<HexItemTable>> tables;
    const std::lock_guard<std::mutex> lock(guard);
    std::unique_ptr<HexItemTable>& table = tables[&form];
    if (!table) {
        table = std::make_unique<HexItemTable>(form);
    }
    return *table;
}

namespace {

// Copies `Width` bytes of each item (at least its length) and moves on by
// the item's length: one fixed-size move per byte.
template <std::size_t Width>
char* copyItems(char* out, const std::array<std::array<char, 16>, 256>& items, std::size_t length,
                std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        std::memcpy(out, items[byte].data(), Width);
        out += length;
    }
    return out;
}

}  // namespace

char* HexItemTable::writeLine(char* out, std::span<const std::uint8_t> bytes, bool complete) const {
    out = std::copy(prefix_.begin(), prefix_.end(), out);
    const std::size_t plain = complete && !bytes.empty() ? bytes.size() - 1 : bytes.size();
    const auto items = bytes.first(plain);
    out = itemLength_ <= 4   ? copyItems<4>(out, items_, itemLength_, items)
          : itemLength_ <= 8 ? copyItems<8>(out, items_, itemLength_, items)
                             : copyItems<16>(out, items_, itemLength_, items);
    if (plain < bytes.size()) {
        std::memcpy(out, lastItems_[bytes.back()].data(), kSlack);
        out += lastLength_;
    }
    return out;
}

void HexItemTable::appendLine(std::string& text, std::span<const std::uint8_t> bytes,
                              bool complete) const {
    const std::size_t at = text.size();
    text.resize(at + lineSize(bytes.size()) + kSlack);
    const char* end = writeLine(text.data() + at, bytes, complete);
    text.resize(static_cast<std::size_t>(end - text.data()));
}

void appendHexLine(std::string& text, std::span<const std::uint8_t> bytes, bool complete,
                   const HexItemForm& form) {
    HexItemTable::of(form).appendLine(text, bytes, complete);
}

std::string renderHexLines(std::span<const std::uint8_t> bytes, std::size_t lineLength,
                           const HexItemForm& form) {
    const HexItemTable& items = HexItemTable::of(form);
    std::string text;
    text.reserve(bytes.size() * 6);
    lineLength = std::max<std::size_t>(lineLength, 1);
    for (std::size_t at = 0; at < bytes.size(); at += lineLength) {
        const std::size_t length = std::min(lineLength, bytes.size() - at);
        items.appendLine(text, bytes.subspan(at, length), length == lineLength);
    }
    return text;
}

CopyResult copyRangeAsHexText(CEditData& data, platform::Clipboard& clipboard, std::uint64_t start,
                              std::uint64_t end, const HexItemForm& form,
                              std::uint64_t maxCopySize) {
    const std::uint64_t n = end > start ? end - start : 0;
    const std::uint64_t estimate = (n + kCopyLineLength - 1) / kCopyLineLength * 100;
    if (n > maxCopySize || estimate > maxCopySize) {
        return CopyResult::TooLarge;
    }
    std::vector<std::uint8_t> bytes(n);
    std::uint64_t read = 0;
    if (n > 0 && (!data.readData(bytes.data(), n, read, start) || read != n)) {
        return CopyResult::ReadFailed;
    }
    return putText(clipboard, renderHexLines(bytes, kCopyLineLength, form));
}

CopyResult copyBlockAsHexText(CEditData& data, platform::Clipboard& clipboard,
                              const ColumnBlock& block, const HexItemForm& form,
                              std::uint64_t maxCopySize) {
    ColumnBlock clipped = block;
    clipped.lastColumn = std::min(block.lastColumn, block.lineWidth - 1);
    const std::int64_t width = clipped.columns();
    const std::int64_t rows = clipped.rows();
    if (width <= 0 || rows <= 0 || clipped.firstLine < 0) {
        return CopyResult::ReadFailed;
    }
    const auto estimate =
        static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(width + 1) * 6;
    if (estimate > maxCopySize) {
        return CopyResult::TooLarge;
    }
    const std::uint64_t size = data.getDataSize();
    std::string text;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
    for (std::int64_t line = clipped.firstLine; line <= clipped.lastLine; ++line) {
        const std::int64_t rowStart =
            line * clipped.lineWidth + clipped.firstColumn - clipped.indent;
        if (rowStart >= 0 && static_cast<std::uint64_t>(rowStart) >= size) {
            break;  // rows are taken while they start inside the data
        }
        const RowPart part = rowPart(clipped, line, size);
        const std::uint64_t length = part.end - part.begin;
        std::uint64_t read = 0;
        if (length > 0 &&
            (!data.readData(row.data(), length, read, part.begin) || read != length)) {
            return CopyResult::ReadFailed;
        }
        const bool complete = static_cast<std::uint64_t>(rowStart + width) <= size;
        appendHexLine(text, std::span(row).first(static_cast<std::size_t>(length)), complete, form);
    }
    return putText(clipboard, std::move(text));
}
