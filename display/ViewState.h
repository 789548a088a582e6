#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "display/CPresentation.h"
#include "display/CellGeometry.h"
#include "framework/Graphics.h"
#include "marks/LinemarkList.h"

class CSettings;

// The colours and font faces of the hex view ("Appearance" settings).
struct Appearance {
    ColorRef markBackground = 14215660;
    ColorRef linemarkFill = 0xFFFF80;
    ColorRef addressBackground = 0xFFFFFF;
    ColorRef addressText = 0xFF0000;
    ColorRef indentText = 255;
    ColorRef hexBackground = 0xFFFFFF;
    ColorRef hexText = 0;
    ColorRef charBackground = 0xFFFFFF;
    ColorRef charText = 0;
    ColorRef modifiedText = 224;
    ColorRef selection = 6208;
    std::string displayFace = "Courier New";
    std::string printFace = "Courier New";

    static Appearance fromSettings(const CSettings& settings);
};

// Which panels a view shows ("View" settings).
struct PanelsShown {
    bool header = true;
    bool mark = true;
    bool address = true;
    bool character = true;
    bool pageTips = true;
    bool bookmarkTips = true;

    static PanelsShown fromSettings(const CSettings& settings);
    void writeBack(CSettings& settings) const;
};

// A selection: nothing, a byte range [start, end), or a column block of
// unit columns across display lines.
struct Selection {
    enum class Kind { None, Range, Block };
    Kind kind = Kind::None;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::uint64_t firstLine = 0;
    std::uint64_t lastLine = 0;
    int firstColumn = 0;
    int lastColumn = 0;

    static Selection range(std::uint64_t from, std::uint64_t to) {
        Selection s;
        s.kind = Kind::Range;
        s.start = std::min(from, to);
        s.end = std::max(from, to);
        return s;
    }
    static Selection block(std::uint64_t first, std::uint64_t last, int firstCol, int lastCol) {
        Selection s;
        s.kind = Kind::Block;
        s.firstLine = first;
        s.lastLine = last;
        s.firstColumn = firstCol;
        s.lastColumn = lastCol;
        return s;
    }
};

// Image ids of the view's image list.
namespace viewimage {
inline constexpr int kPageMark = 1;
inline constexpr int kMarkHeader = 2;
inline constexpr int kExternalAssociation = 3;  // an association into another file
inline constexpr int kDatamarkLevelBase = 100;  // + the level's image, 0..8
}  // namespace viewimage

// What every panel of one view draws from: the presentation, the metrics,
// the scroll position, the visible bytes with their change mask, the
// selection, the colours and the marks. The hex panel owns it.
struct ViewState {
    CPresentation presentation;
    std::uint64_t dataSize = 0;
    bool attached = false;
    PixelGeometry pixels;
    std::int64_t firstLine = 0;  // the display line at the top of the window
    int scrollX = 0;             // pixels the data panels are shifted left
    int headerHeight = 0;        // 28 with the header band, else the edge gap
    int clientHeight = 0;
    std::vector<std::uint8_t> visible;
    std::vector<std::uint8_t> visibleMask;
    bool visibleModified = false;
    std::uint64_t visibleStart = 0;
    Selection selection;
    Appearance colors;
    PanelsShown shown;
    LinemarkList linemarks;  // the view's, held here for the mark panel
    // A datamark as the mark panel draws it: its offset, its level's image
    // and whether the level is shown.
    struct DatamarkImage {
        std::uint64_t offset = 0;
        int imageId = 0;
        bool levelShown = true;
    };
    std::vector<DatamarkImage> datamarks;
    char escapeChar = '.';  // for bytes the character panel cannot show

    CellGeometry cells(CellGeometry::Panel panel) const {
        return {panel, presentation.lineWidth(), presentation.indent(), presentation.unit(),
                dataSize};
    }
    std::uint64_t lineCount() const { return cells(CellGeometry::Panel::Character).lineCount(); }
    // Whole or partial lines that fit below the header.
    std::int64_t visibleLines() const;
    // Whole lines that fit between the header and the bottom margin (at
    // least one): what a page is, and how far the last line scrolls up.
    std::int64_t wholeLines() const;
    // The digits of the address column: enough for the last line's address.
    int addressDigits() const;
    // The window y of the top of display line `line`.
    std::int64_t lineY(std::int64_t line) const {
        return headerHeight + pixels.top + (line - firstLine) * pixels.lineHeight;
    }
    // The bytes of display line `line` inside the visible buffer: its first
    // offset, how many byte positions of the indent lead it, and its count.
    struct LineBytes {
        std::uint64_t offset = 0;
        int leading = 0;
        std::size_t count = 0;
        const std::uint8_t* bytes = nullptr;
        const std::uint8_t* mask = nullptr;
    };
    bool lineBytes(std::uint64_t line, LineBytes& out) const;
};
