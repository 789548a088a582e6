#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editdata/EditDataTypes.h"
#include "platform/Progress.h"

class CEditData;
struct HexItemForm;

// Writing bytes of the store into a new file: the raw bytes, hexadecimal
// text, a C array or an HTML page, for a range or a column block. The
// writers stream: a range in chunks, a block in batches of rows, so no
// export holds the data in memory.

// The format chosen by the save dialog's filter (1-based); any other index is 1.
enum class ExportFormat { RawBytes = 1, HexText = 2, CSource = 3, Html = 4 };
ExportFormat exportFormatOfFilter(int filterIndex);

// The per-byte items of each text form.
const HexItemForm& exportRangeForm(ExportFormat format);
const HexItemForm& exportBlockForm(ExportFormat format);

// Where the writers put their output, in large writes; false when a write failed.
class ExportSink {
  public:
    virtual ~ExportSink() = default;
    virtual bool write(std::string_view bytes) = 0;
};

inline constexpr std::size_t kRawChunk = 16000;
inline constexpr std::size_t kTextChunkLines = 200;
inline constexpr std::size_t kBlockBatchRows = 1000;
// Written into line 2 of the C header.
inline constexpr std::string_view kProductAddress = "https://kestrane.example.org/";

// The header and trailer of the C and HTML forms (none for hex text); the
// offset and length lines only for a range. The title is made safe to stand
// in a C comment and in HTML.
struct ExportRangeInfo {
    std::uint64_t offset;
    std::uint64_t length;
};
std::string exportHeader(ExportFormat format, std::string_view title,
                         std::optional<ExportRangeInfo> range);
std::string exportTrailer(ExportFormat format);

// The bytes a block export holds: rows x row width, the rows that start
// inside the data, the last one cut at its end.
std::uint64_t blockExportSize(const ColumnBlock& block, std::uint64_t dataSize);

// Each writer reports its progress in bytes and stops (false) on a failed
// read or write, an empty range or Cancel.
bool writeRawRange(CEditData& data, std::uint64_t start, std::uint64_t length, ExportSink& sink,
                   const platform::ProgressCallback* progress);
bool writeRawBlock(CEditData& data, const ColumnBlock& block, ExportSink& sink,
                   const platform::ProgressCallback* progress);
// Lines of `lineWidth` bytes counted from the first byte written.
bool writeTextRange(CEditData& data, std::uint64_t start, std::uint64_t length, int lineWidth,
                    ExportFormat format, std::string_view title, ExportSink& sink,
                    const platform::ProgressCallback* progress);
bool writeTextBlock(CEditData& data, const ColumnBlock& block, ExportFormat format,
                    std::string_view title, ExportSink& sink,
                    const platform::ProgressCallback* progress);
