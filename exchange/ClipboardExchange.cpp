#include "exchange/ClipboardExchange.h"

#include <algorithm>

#include "editdata/CEditData.h"
#include "exchange/ClipboardFormats.h"
#include "exchange/HexText.h"
#include "platform/Clipboard.h"

namespace {

constexpr std::uint64_t kMegabyte = 1048576;

constexpr platform::StringEntry kStrings[] = {
    {kCopyLimitMessage, "The size of the data to be copied exceeds the limitation: %iMB"},
    {kReleaseClipboardQuestion, "Please confirm whether to release the Kestrane's clipboard data?"},
    {kNoMemoryMessage, "There is not enough memory for this operation. Nothing was changed."},
};

using platform::ClipboardSession;

std::vector<std::uint8_t> textBytes(const std::string& text) {
    // The text ends at its terminating zero.
    const auto zero = text.find('\0');
    const std::string_view kept(text.data(), zero == std::string::npos ? text.size() : zero);
    return {kept.begin(), kept.end()};
}

bool overwriteAt(CEditData& data, const std::vector<std::uint8_t>& bytes, std::uint64_t offset,
                 bool toEnd, bool record, std::unique_ptr<CEditAction> linked) {
    const std::uint64_t size = data.getDataSize();
    const std::uint64_t n = bytes.size();
    if (toEnd) {
        offset = n >= size ? 0 : size - n;
    }
    if (n == 0 || offset > size || n > size - offset) {
        return false;  // they do not fit in the data
    }
    return data.overwriteData(bytes.data(), n, offset, record, std::move(linked));
}

}  // namespace

std::span<const platform::StringEntry> exchangeStrings() {
    return kStrings;
}

bool checkCopySize(std::uint64_t n, std::uint64_t maxCopySize) {
    return n <= maxCopySize;
}

std::int64_t copyLimitInMegabytes(std::uint64_t maxCopySize) {
    return static_cast<std::int64_t>(maxCopySize / kMegabyte);
}

CopyResult copyRange(CEditData& data, platform::Clipboard& clipboard, std::uint64_t start,
                     std::uint64_t end, std::uint32_t dataStartAddress, std::uint64_t maxCopySize) {
    const std::uint64_t n = end > start ? end - start : 0;
    if (!checkCopySize(n, maxCopySize)) {
        return CopyResult::TooLarge;
    }
    HexDataContent content{dataStartAddress, static_cast<std::uint32_t>(start), {}};
    content.bytes.resize(n);
    std::uint64_t read = 0;
    if (n > 0 && (!data.readData(content.bytes.data(), n, read, start) || read != n)) {
        return CopyResult::ReadFailed;
    }
    ClipboardSession session(clipboard);
    if (!session.isOpen()) {
        return CopyResult::Unavailable;
    }
    session.empty();
    const std::string text = leadingText(content.bytes);
    if (!text.empty()) {
        clipboard.writeText(text);
    }
    clipboard.write(kHexDataFormat, encodeHexData(content));
    return CopyResult::Copied;
}

CopyResult copyBlock(CEditData& data, platform::Clipboard& clipboard, const ColumnBlock& block,
                     std::uint32_t dataStartAddress, std::uint64_t maxCopySize) {
    const std::int64_t lastColumn = std::min<std::int64_t>(block.lastColumn, block.lineWidth - 1);
    const std::int64_t columns = lastColumn - block.firstColumn + 1;
    const std::int64_t rows = block.rows();
    if (columns <= 0 || rows <= 0) {
        return CopyResult::ReadFailed;
    }
    const auto size = static_cast<std::uint64_t>(rows * columns);
    if (!checkCopySize(size, maxCopySize)) {
        return CopyResult::TooLarge;
    }
    ColumnBlock clipped = block;
    clipped.lastColumn = static_cast<std::int32_t>(lastColumn);
    HexBlockContent content;
    content.dataStartAddress = dataStartAddress;
    const std::int64_t first =
        std::int64_t{block.firstLine} * block.lineWidth + block.firstColumn - block.indent;
    content.sourceOffset = static_cast<std::uint32_t>(first);
    content.rows = static_cast<std::uint32_t>(rows);
    content.columns = static_cast<std::uint32_t>(columns);
    if (!data.readBlock(content.bytes, clipped)) {
        return CopyResult::ReadFailed;
    }
    ClipboardSession session(clipboard);
    if (!session.isOpen()) {
        return CopyResult::Unavailable;
    }
    session.empty();
    clipboard.write(kHexBlockFormat, encodeHexBlock(content));
    return CopyResult::Copied;
}

bool isPasteAvailable(const platform::Clipboard& clipboard) {
    return clipboard.hasAnyFormat() &&
           (clipboard.hasText() || clipboard.hasFormat(kHexDataFormat) ||
            clipboard.hasFormat(kHexBlockFormat));
}

ColumnBlock placeBlock(const PasteTarget& target, std::uint32_t rows, std::uint32_t columns) {
    const auto width = static_cast<std::uint64_t>(target.lineWidth);
    const std::uint64_t p = target.offset + static_cast<std::uint64_t>(target.indent);
    // The unit column the target stands in: a block lands at its start.
    const auto inLine = static_cast<std::int64_t>(p % width);
    const std::int64_t unitColumn = inLine / std::max(target.unit, 1);
    ColumnBlock block;
    block.firstLine = static_cast<std::int32_t>(p / width);
    block.lastLine = static_cast<std::int32_t>(block.firstLine + std::int64_t{rows} - 1);
    block.firstColumn = static_cast<std::int32_t>(unitColumn * target.unit);
    block.lastColumn = static_cast<std::int32_t>(block.firstColumn + std::int64_t{columns} - 1);
    block.lineWidth = std::max(target.lineWidth, block.lastColumn + 1);
    block.indent = target.indent;
    block.count = std::uint64_t{rows} * columns;
    return block;
}

bool pasteInsert(CEditData& data, platform::Clipboard& clipboard, const PasteTarget& target,
                 bool record, std::unique_ptr<CEditAction> linked) {
    const ClipboardSession session(clipboard);
    if (!session.isOpen()) {
        return false;
    }
    if (const auto raw = clipboard.read(kHexDataFormat)) {
        const auto content = decodeHexData(*raw);
        return content && !content->bytes.empty() &&
               data.insertData(content->bytes.data(), content->bytes.size(), target.offset, record,
                               std::move(linked));
    }
    if (const auto raw = clipboard.read(kHexBlockFormat)) {
        const auto content = decodeHexBlock(*raw);
        return content && !content->bytes.empty() &&
               data.insertBlock(content->bytes.data(),
                                placeBlock(target, content->rows, content->columns), record,
                                std::move(linked));
    }
    if (const auto text = clipboard.readText()) {
        const std::vector<std::uint8_t> bytes = textBytes(*text);
        return !bytes.empty() && data.insertData(bytes.data(), bytes.size(), target.offset, record,
                                                 std::move(linked));
    }
    return false;
}

bool pasteOverwrite(CEditData& data, platform::Clipboard& clipboard, const PasteTarget& target,
                    bool toEnd, bool record, std::unique_ptr<CEditAction> linked) {
    const ClipboardSession session(clipboard);
    if (!session.isOpen()) {
        return false;
    }
    if (const auto raw = clipboard.read(kHexDataFormat)) {
        const auto content = decodeHexData(*raw);
        return content &&
               overwriteAt(data, content->bytes, target.offset, toEnd, record, std::move(linked));
    }
    if (const auto raw = clipboard.read(kHexBlockFormat)) {
        const auto content = decodeHexBlock(*raw);
        return content && !content->bytes.empty() &&
               data.overwriteBlock(content->bytes.data(),
                                   placeBlock(target, content->rows, content->columns), record,
                                   std::move(linked));
    }
    if (const auto text = clipboard.readText()) {
        return overwriteAt(data, textBytes(*text), target.offset, toEnd, record, std::move(linked));
    }
    return false;
}

std::optional<std::string> clipboardToHexText(const platform::Clipboard& clipboard,
                                              HexPasteMode mode, std::size_t textLimit,
                                              bool wildcardAllowed) {
    const auto text = clipboard.readText();
    if (mode == HexPasteMode::Plain) {
        if (text && countHexTokens(*text, wildcardAllowed) > 0) {
            return flattenHexText(*text);
        }
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    if (const auto raw = clipboard.read(kHexDataFormat); raw && decodeHexData(*raw)) {
        bytes = decodeHexData(*raw)->bytes;
    } else if (const auto rawBlock = clipboard.read(kHexBlockFormat);
               rawBlock && decodeHexBlock(*rawBlock)) {
        bytes = decodeHexBlock(*rawBlock)->bytes;
    } else if (text) {
        if (countHexTokens(*text, wildcardAllowed) >= 0) {
            return flattenHexText(*text);
        }
        bytes.assign(text->begin(), text->end());
    } else {
        return std::nullopt;
    }
    if (textLimit < bytes.size()) {
        return std::nullopt;
    }
    return toHexText(bytes);
}

std::optional<ClipboardItem> peekClipboardItem(const platform::Clipboard& clipboard) {
    ClipboardItem item;
    if (const auto raw = clipboard.read(kHexDataFormat)) {
        const auto content = decodeHexData(*raw);
        if (!content) {
            return std::nullopt;
        }
        item.kind = ClipboardItem::Kind::HexData;
        item.size = content->bytes.size();
        item.dataStartAddress = content->dataStartAddress;
        item.sourceOffset = content->sourceOffset;
        return item;
    }
    if (const auto raw = clipboard.read(kHexBlockFormat)) {
        const auto content = decodeHexBlock(*raw);
        if (!content) {
            return std::nullopt;
        }
        item.kind = ClipboardItem::Kind::HexBlock;
        item.size = std::uint64_t{content->rows} * content->columns;
        item.rows = content->rows;
        item.columns = content->columns;
        item.dataStartAddress = content->dataStartAddress;
        item.sourceOffset = content->sourceOffset;
        return item;
    }
    if (const auto text = clipboard.readText()) {
        item.size = textBytes(*text).size();
        return item;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> clipboardBlockColumns(const platform::Clipboard& clipboard) {
    const auto raw = clipboard.read(kHexBlockFormat);
    if (!raw) {
        return std::nullopt;
    }
    const auto content = decodeHexBlock(*raw);
    if (!content) {
        return std::nullopt;
    }
    return content->columns;
}

std::uint64_t documentSizeFor(const ClipboardItem& item, int lineWidth) {
    const auto width = static_cast<std::uint64_t>(std::max(lineWidth, 1));
    if (item.kind != ClipboardItem::Kind::HexBlock || item.size == 0 || width <= item.columns) {
        return item.size;
    }
    return (std::uint64_t{item.rows} - 1) * width + item.columns;
}

std::uint32_t startAddressFor(const ClipboardItem& item, StartAddressType type) {
    if (item.kind == ClipboardItem::Kind::Text) {
        return 0;
    }
    switch (type) {
        case StartAddressType::Default:
            return 0;
        case StartAddressType::Display:
            return item.dataStartAddress;
        case StartAddressType::Data:
            return item.dataStartAddress + item.sourceOffset;  // 32-bit, as the header
    }
    return 0;
}

bool releaseClipboardAtExit(platform::Clipboard& clipboard, bool autoRelease,
                            const std::function<bool()>& confirm) {
    if (!clipboard.hasFormat(kHexDataFormat) && !clipboard.hasFormat(kHexBlockFormat)) {
        return false;
    }
    ClipboardSession session(clipboard);
    if (!session.isOpen()) {
        return false;
    }
    const bool release = autoRelease || (confirm && confirm());
    if (release) {
        session.empty();
    }
    return release;
}
