#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class CSettings;

// How one view prints: margins in centimetres, the header and footer
// templates, the footer's separator line and the lines of a page. Each view
// reads its own copy from "Print"; the Page Setup dialog writes it back.
struct PageSetup {
    static constexpr int kMinLines = 8;
    static constexpr int kMaxLines = 480;
    static constexpr std::size_t kMaxTemplate = 256;

    double marginLeft = 1.27;
    double marginRight = 1.27;
    double marginTop = 1.27;
    double marginBottom = 1.27;
    std::string header = "&F&L";
    std::string footer = "&P&R";
    bool noFooterSeparator = false;
    int linesPerPage = 48;
    // The stored lines per page was below 8: detect once when the dialog opens.
    bool autoDetectPending = true;

    // Margins that are not finite numbers read as 1.27, others clamped to
    // 0..10; lines per page below 8 give 48 and a pending detection, above
    // 480 give 480. Numbers are read and written in the C locale.
    static PageSetup load(const CSettings& settings);
    void store(CSettings& settings) const;

    // Whether the footer line is drawn (a template or the separator).
    bool hasFooter() const { return !footer.empty() || !noFooterSeparator; }
};

// The Page Setup dialog's fields as typed: four margins (0..5 cm) and the
// lines per page (8..480). The first bad one (0-3 margins, 4 lines) and the
// message that says so, or nothing.
struct PageSetupProblem {
    int field = 0;
    std::string message;
};
std::optional<PageSetupProblem> checkPageSetupFields(const std::array<std::string, 4>& margins,
                                                     const std::string& lines);

// A margin as the settings hold it ("%f" in the C locale).
std::string marginText(double centimetres);
// A stored margin: a finite decimal number, clamped to 0..10; else nothing.
std::optional<double> parseMargin(std::string_view text);

// A header or footer template expanded for one page: the text and where the
// line is aligned. Codes: &F file, &P page, &D date, &T time (UTC, taken
// once), &L, &C, &R alignment; another letter ends the text.
enum class LineAlignment { Left, Center, Right };
struct ExpandedLine {
    std::string text;
    LineAlignment alignment = LineAlignment::Left;
};
ExpandedLine expandTemplate(std::string_view pattern, const std::string& fileName,
                            std::int64_t page, LineAlignment defaultAlignment, std::time_t now);

// The display lines of a document and how they fall on pages of
// `linesPerPage` lines.
struct PageLines {
    std::uint64_t first = 0;
    std::uint64_t last = 0;  // inclusive
};
std::uint64_t totalLines(std::uint64_t dataSize, int indent, int lineWidth);
std::uint64_t pageCount(std::uint64_t lines, int linesPerPage);
// Page n (from 1); nothing for a page beyond the last.
std::optional<PageLines> linesOfPage(std::uint64_t page, std::uint64_t lines, int linesPerPage);

// Lines per page for a printer: its resolution and printable height, the
// screen's resolution, the view's line and header heights, the margins and
// the template lines. The result lies in 8..480.
struct PrinterGeometry {
    int printerDpi = 600;
    int screenDpi = 96;
    int printableHeight = 0;  // printer pixels
};
int detectLinesPerPage(const PrinterGeometry& printer, const PageSetup& setup, int lineHeight,
                       int headerHeight);
