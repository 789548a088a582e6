#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "editdata/EditDataTypes.h"
#include "platform/StringTable.h"

class CEditAction;
class CEditData;

namespace platform {
class Clipboard;
}

// Copy and paste between a byte store and the clipboard, in the two private
// formats and plain text.

enum class CopyResult {
    Copied,
    TooLarge,     // above "Max Copy Size": the caller shows message 1101
    Unavailable,  // the clipboard could not be opened; it keeps its content
    ReadFailed,   // the store could not read the bytes; the clipboard is unchanged
    NoMemory,     // no memory for the copy; the clipboard is unchanged
};

inline constexpr int kCopyLimitMessage = 1101;
inline constexpr int kNoMemoryMessage = 1176;
inline constexpr int kReleaseClipboardQuestion = 1401;
std::span<const platform::StringEntry> exchangeStrings();

// n within the limit (compared unsigned).
bool checkCopySize(std::uint64_t n, std::uint64_t maxCopySize);
// The "%i" of message 1101: the limit in whole MB.
std::int64_t copyLimitInMegabytes(std::uint64_t maxCopySize);

// [start, end) as "Kestrane HEX-Data" with its leading text beside it.
CopyResult copyRange(CEditData& data, platform::Clipboard& clipboard, std::uint64_t start,
                     std::uint64_t end, std::uint32_t dataStartAddress, std::uint64_t maxCopySize);
// A column block (byte columns) as "Kestrane HEX-Block", zero beyond the data.
CopyResult copyBlock(CEditData& data, platform::Clipboard& clipboard, const ColumnBlock& block,
                     std::uint32_t dataStartAddress, std::uint64_t maxCopySize);

// At least one format, and one of plain text or the private formats.
bool isPasteAvailable(const platform::Clipboard& clipboard);

// Where a paste goes: the offset, and the view's layout for placing a block
// at the offset's line and unit column.
struct PasteTarget {
    std::uint64_t offset = 0;
    int lineWidth = 16;
    int indent = 0;
    int unit = 1;
};
// The block a "Kestrane HEX-Block" of rows x columns makes at the target;
// the line width grows to hold it.
ColumnBlock placeBlock(const PasteTarget& target, std::uint32_t rows, std::uint32_t columns);

bool pasteInsert(CEditData& data, platform::Clipboard& clipboard, const PasteTarget& target,
                 bool record, std::unique_ptr<CEditAction> linked = nullptr);
bool pasteOverwrite(CEditData& data, platform::Clipboard& clipboard, const PasteTarget& target,
                    bool toEnd, bool record, std::unique_ptr<CEditAction> linked = nullptr);

// The hex edit boxes' "Paste &Hex Text" (any content, as canonical text when
// it is not hexadecimal text already, if `textLimit` holds the bytes) and
// "&Paste" (valid hexadecimal plain text only).
enum class HexPasteMode { HexText, Plain };
std::optional<std::string> clipboardToHexText(const platform::Clipboard& clipboard,
                                              HexPasteMode mode, std::size_t textLimit,
                                              bool wildcardAllowed = false);

// What a new document made from the clipboard takes from it: the first item
// a paste would take, its size and where it came from.
struct ClipboardItem {
    enum class Kind { HexData, HexBlock, Text };
    Kind kind = Kind::Text;
    std::uint64_t size = 0;  // the bytes a paste writes
    std::uint32_t dataStartAddress = 0;
    std::uint32_t sourceOffset = 0;
    std::uint32_t rows = 0, columns = 0;  // a block's
};
std::optional<ClipboardItem> peekClipboardItem(const platform::Clipboard& clipboard);
// The column count of a "Kestrane HEX-Block" on the clipboard.
std::optional<std::uint32_t> clipboardBlockColumns(const platform::Clipboard& clipboard);

// The size of a new document that takes the whole item, for a block laid out
// in lines of `lineWidth`: rows x columns when the lines are the block's
// width, else enough for every row to start a line.
std::uint64_t documentSizeFor(const ClipboardItem& item, int lineWidth);

// "Set Data Start Address As: " of a new document made from the clipboard.
enum class StartAddressType { Default = 0, Display = 1, Data = 2 };
// 0; the source view's data start address; that plus the first byte's offset.
// Text has no source: always 0.
std::uint32_t startAddressFor(const ClipboardItem& item, StartAddressType type);

// At exit: when the clipboard holds one of the private formats it is emptied,
// at once with `autoRelease`, else when `confirm` (question 1401) says yes.
// True when it was emptied.
bool releaseClipboardAtExit(platform::Clipboard& clipboard, bool autoRelease,
                            const std::function<bool()>& confirm);
