#include "exchange/HexTextCopy.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "editdata/CEditData.h"
#include "platform/Clipboard.h"

namespace {

void appendItem(std::string& text, const char* format, std::uint8_t byte) {
    char item[16];
    const int length = std::snprintf(item, sizeof item, format, static_cast<unsigned>(byte));
    text.append(item, static_cast<std::size_t>(std::max(length, 0)));
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

void appendHexLine(std::string& text, std::span<const std::uint8_t> bytes, bool complete,
                   const HexItemForm& form) {
    text += form.linePrefix;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool last = complete && i + 1 == bytes.size();
        appendItem(text, last ? form.lastItem : form.item, bytes[i]);
    }
}

std::string renderHexLines(std::span<const std::uint8_t> bytes, std::size_t lineLength,
                           const HexItemForm& form) {
    std::string text;
    text.reserve(bytes.size() * 6);
    lineLength = std::max<std::size_t>(lineLength, 1);
    for (std::size_t at = 0; at < bytes.size(); at += lineLength) {
        const std::size_t length = std::min(lineLength, bytes.size() - at);
        appendHexLine(text, bytes.subspan(at, length), length == lineLength, form);
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
