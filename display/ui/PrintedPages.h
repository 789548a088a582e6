#pragma once

#include <QPainter>
#include <QRect>
#include <cstdint>
#include <string>

#include "display/PagePainter.h"
#include "display/ui/HexViewRenderer.h"

// The printed pages of a view on a paint device: the page's printable
// rectangle inset by the page setup's margins, the view's pixels scaled by
// device dots per inch / screen dots per inch, so a page looks like the
// screen, and the texts in the printing font.
class PrintedPages {
  public:
    PrintedPages(PagePainter& pages, const std::string& printFace, int screenDpi);

    PagePainter& pages() { return pages_; }
    // `pageRect`: the device's printable area in device pixels, in the
    // painter's coordinates; `dpiX`, `dpiY`: the device's resolution.
    void paint(QPainter& painter, std::uint64_t page, const QRect& pageRect, int dpiX, int dpiY);

    // `pageRect` inset by the margins, each centimetres / 2.54 x dpi rounded.
    static QRect printableRect(const QRect& pageRect, const PageSetup& setup, int dpiX, int dpiY);

  private:
    PagePainter& pages_;
    HexViewRenderer renderer_;
    int screenDpi_;
};
