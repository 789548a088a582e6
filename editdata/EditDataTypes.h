#pragma once

#include <cstdint>

// Where the bytes of a store live.
enum class StorageMode : std::uint32_t {
    NoData = 0,        // nothing open
    MemoryNew = 1,     // memory buffer, no file yet
    MemoryLoaded = 2,  // memory buffer loaded from the file
    InPlace = 3,       // the opened file + modified blocks + data window
    WorkCopy = 4,      // work file in the temporary directory + data window
};

// Access mode flags of a store, numbered as the platform's generic access rights.
inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;

// A column block of the display: the same byte columns on a run of display
// lines. The byte at (line, column) lies at line * lineWidth + column - indent.
struct ColumnBlock {
    std::int32_t lineWidth = 0;
    std::int32_t indent = 0;
    std::uint64_t count = 0;  // carried along, not used by the operations
    std::int32_t firstLine = 0;
    std::int32_t lastLine = 0;
    std::int32_t firstColumn = 0;
    std::int32_t lastColumn = 0;

    std::int64_t rows() const { return std::int64_t{lastLine} - firstLine + 1; }
    std::int64_t columns() const { return std::int64_t{lastColumn} - firstColumn + 1; }
};

// The part of a block row inside the data [0, size): the bytes [begin, end)
// and where they start in the row (over the first line's indent a row has
// fewer bytes; beyond the end of the data none).
struct RowPart {
    std::uint64_t begin;
    std::uint64_t end;
    std::uint64_t column;
};
RowPart rowPart(const ColumnBlock& block, std::int64_t line, std::uint64_t size);
