#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "editdata/EditDataTypes.h"
#include "exchange/ClipboardExchange.h"

class CEditData;

namespace platform {
class Clipboard;
}

// The hexadecimal text renderings of bytes: each byte one item, the last item
// of a line carrying the line break. A line that ends because the data ends
// ends in the ordinary item, trailing space and all.
struct HexItemForm {
    const char* linePrefix;
    const char* item;      // a printf format of one byte
    const char* lastItem;  // the same for the last byte of a line
};
inline constexpr HexItemForm kClipboardHexForm{"", "%02x ", "%02x\r\n"};
inline constexpr HexItemForm kClipboardCForm{"", "0x%02x, ", "0x%02x,\r\n"};

// The items of one form for every byte value, formatted once: a line is
// appended by copying them, not by formatting a byte at a time.
class HexItemTable {
  public:
    explicit HexItemTable(const HexItemForm& form);
    // The table of `form`, made on first use (any thread).
    static const HexItemTable& of(const HexItemForm& form);

    // Appends one line of `bytes`; a complete line ends in the last item.
    void appendLine(std::string& text, std::span<const std::uint8_t> bytes, bool complete) const;
    // The same into `out`, which has room for lineSize() + kSlack
    // characters; returns the end of the line.
    char* writeLine(char* out, std::span<const std::uint8_t> bytes, bool complete) const;
    // The most characters a line of `count` bytes takes.
    std::size_t lineSize(std::size_t count) const {
        return prefix_.size() + count * std::max(itemLength_, lastLength_);
    }
    // Items are copied 16 bytes at a time, so a line needs this much room
    // beyond its own characters while it is written.
    static constexpr std::size_t kSlack = 16;

  private:
    std::string prefix_;
    std::array<std::array<char, 16>, 256> items_{};
    std::array<std::array<char, 16>, 256> lastItems_{};
    std::size_t itemLength_ = 0;
    std::size_t lastLength_ = 0;
};

// Appends one line of `bytes`; a complete line ends in the last-item form.
void appendHexLine(std::string& text, std::span<const std::uint8_t> bytes, bool complete,
                   const HexItemForm& form);
// `bytes` in lines of `lineLength`, counted from the first byte.
std::string renderHexLines(std::span<const std::uint8_t> bytes, std::size_t lineLength,
                           const HexItemForm& form);

// "Copy As Hex Text" and "Copy As Hex Text(C/C++)": a range in lines of 16
// bytes, a column block (byte columns) one line per row, as plain text. Too
// large when the bytes or the text's estimate exceed `maxCopySize`.
inline constexpr std::size_t kCopyLineLength = 16;
CopyResult copyRangeAsHexText(CEditData& data, platform::Clipboard& clipboard, std::uint64_t start,
                              std::uint64_t end, const HexItemForm& form,
                              std::uint64_t maxCopySize);
CopyResult copyBlockAsHexText(CEditData& data, platform::Clipboard& clipboard,
                              const ColumnBlock& block, const HexItemForm& form,
                              std::uint64_t maxCopySize);
