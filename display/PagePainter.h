#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "display/CHexShow.h"
#include "display/PageSetup.h"
#include "display/ViewState.h"

// Draws the printed pages of one view: the header line, the view's header
// band and panels over the page's display lines, and the footer line. It
// works in the view's screen pixels; the device layer scales them to the
// printer. The view is copied when printing starts: its selection, caret
// and page marks are not printed, and later edits do not reach a running job.
class PagePainter {
  public:
    // Reads the bytes [start, end) of the document and their change flags;
    // false when they cannot be read.
    using ByteReader = std::function<bool(std::uint64_t start, std::uint64_t end,
                                          std::vector<std::uint8_t>& bytes,
                                          std::vector<std::uint8_t>& mask)>;

    // `markWidth`: the width of the view's mark panel. Throws std::bad_alloc
    // when the page buffer cannot be had.
    PagePainter(const ViewState& view, int markWidth, PageSetup setup, std::string fileName,
                std::time_t now, ByteReader reader);

    std::uint64_t pageCount() const;
    // The panels side by side, as wide as on screen.
    int panelsWidth() const { return panelsWidth_; }
    int lineHeight() const { return view_.pixels.lineHeight; }
    // The height of the header and footer boxes.
    int lineBoxHeight() const { return view_.pixels.lineHeight + 4; }
    const PageSetup& setup() const { return setup_; }

    // Paints page `page` (from 1) into `graphics`, whose origin is the top
    // left of the printable rectangle and whose clip box is that rectangle
    // of size `printable`, both in the view's pixels. A page past the last
    // one paints nothing; a page whose bytes cannot be read has no data.
    void paintPage(std::uint64_t page, Graphics& graphics, Dimension printable);

  private:
    void paintLine(Graphics& graphics, const std::string& pattern, std::uint64_t page,
                   LineAlignment alignment, int y, int width);
    void paintPanels(Graphics& graphics, const PageLines& lines, int top, int bottom);
    void loadPage(const PageLines& lines);
    std::vector<CHexShow*> shownPanels();

    ViewState view_;
    PageSetup setup_;
    std::string fileName_;
    std::time_t now_;
    ByteReader reader_;
    CShowMarkdata mark_;
    CShowAddrdata address_;
    CShowBorder border_;
    CShowHexdata hex_;
    CShowSizable sizable_;
    CShowChardata char_;
    int panelsWidth_ = 0;
};
