#include "display/ui/PrintedPages.h"

#include <algorithm>
#include <cmath>

#include "display/ui/QtGraphics.h"

namespace {

int toDevicePixels(double centimetres, int dpi) {
    return static_cast<int>(std::lround(centimetres / 2.54 * dpi));
}

}  // namespace

PrintedPages::PrintedPages(PagePainter& pages, const std::string& printFace, int screenDpi)
    : pages_(pages), renderer_(printFace, screenDpi), screenDpi_(std::max(screenDpi, 1)) {}

QRect PrintedPages::printableRect(const QRect& pageRect, const PageSetup& setup, int dpiX,
                                  int dpiY) {
    return pageRect.adjusted(toDevicePixels(setup.marginLeft, dpiX),
                             toDevicePixels(setup.marginTop, dpiY),
                             -toDevicePixels(setup.marginRight, dpiX),
                             -toDevicePixels(setup.marginBottom, dpiY));
}

void PrintedPages::paint(QPainter& painter, std::uint64_t page, const QRect& pageRect, int dpiX,
                         int dpiY) {
    const QRect printable = printableRect(pageRect, pages_.setup(), dpiX, dpiY);
    if (printable.isEmpty()) {
        return;
    }
    const double scaleX = static_cast<double>(std::max(dpiX, 1)) / screenDpi_;
    const double scaleY = static_cast<double>(std::max(dpiY, 1)) / screenDpi_;
    painter.save();
    painter.setClipRect(printable);
    painter.translate(printable.topLeft());
    painter.scale(scaleX, scaleY);
    painter.setFont(renderer_.font());
    const Dimension size{static_cast<int>(printable.width() / scaleX),
                         static_cast<int>(printable.height() / scaleY)};
    QtGraphics graphics(painter, QRect(0, 0, size.width, size.height),
                        pages_.lineHeight(), &renderer_.images(), renderer_.glyphs());
    pages_.paintPage(page, graphics, size);
    painter.restore();
}
