#pragma once

// What column blocks and swaps do to the data, decided byte by byte: the
// plain models the stores are checked against.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "editdata/EditDataTypes.h"

namespace blockmodel {

// Where offset `o` falls in the block: its row and column, or -1.
inline std::pair<std::int64_t, std::int64_t> place(const ColumnBlock& b, std::int64_t o) {
    const std::int64_t shifted = o + b.indent;
    const std::int64_t line = shifted / b.lineWidth;
    const std::int64_t column = shifted % b.lineWidth;
    if (line < b.firstLine || line > b.lastLine || column < b.firstColumn ||
        column > b.lastColumn) {
        return {-1, -1};
    }
    return {line - b.firstLine, column - b.firstColumn};
}

inline std::string modelDelete(const std::string& data, const ColumnBlock& b) {
    std::string kept;
    for (std::size_t o = 0; o < data.size(); ++o) {
        if (place(b, static_cast<std::int64_t>(o)).first < 0) {
            kept += data[o];
        }
    }
    return kept;
}

inline std::string modelOverwrite(std::string data, const ColumnBlock& b, const std::string& rows) {
    for (std::size_t o = 0; o < data.size(); ++o) {
        const auto [row, column] = place(b, static_cast<std::int64_t>(o));
        if (row >= 0) {
            data[o] = rows[static_cast<std::size_t>(row * b.columns() + column)];
        }
    }
    return data;
}

inline std::string modelInsert(const std::string& data, const ColumnBlock& b,
                               const std::string& rows) {
    const std::int64_t start = std::int64_t{b.firstLine} * b.lineWidth + b.firstColumn - b.indent;
    std::size_t old = static_cast<std::size_t>(std::clamp<std::int64_t>(start, 0, data.size()));
    std::string out = data.substr(0, old);
    for (std::int64_t row = 0; row < b.rows(); ++row) {
        out += rows.substr(static_cast<std::size_t>(row * b.columns()),
                           static_cast<std::size_t>(b.columns()));
        const std::size_t keep =
            std::min<std::size_t>(b.lineWidth - b.columns(), data.size() - old);
        out += data.substr(old, keep);
        old += keep;
    }
    return out + data.substr(old);
}

inline std::string modelSwap(std::string data, std::uint64_t count, std::uint64_t start, int chunk,
                             int unit, int shift) {
    std::uint64_t at = start;
    std::uint64_t length = static_cast<std::uint64_t>(chunk - shift);
    while (at < start + count) {
        const std::uint64_t end = std::min(at + length, start + count);
        for (std::uint64_t u = at; u < end; u += static_cast<std::uint64_t>(unit)) {
            std::reverse(data.begin() + static_cast<long>(u),
                         data.begin() + static_cast<long>(
                                            std::min(u + static_cast<std::uint64_t>(unit), end)));
        }
        at = end;
        length = static_cast<std::uint64_t>(chunk);
    }
    return data;
}

}  // namespace blockmodel
