#include "app/PrintJob.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <new>

#include "display/CHexPanel.h"

PrintJob::PrintJob(CHexPanel& panel, const PageSetup& setup, const std::string& fileName,
                   int screenDpi, std::time_t now)
    : painter_(panel.state(), panel.markPanel().getPreferredWidth(), setup, fileName, now,
               [&panel](std::uint64_t start, std::uint64_t end, std::vector<std::uint8_t>& bytes,
                        std::vector<std::uint8_t>& mask) {
                   return panel.readBytes(start, end, bytes, mask);
               }),
      pages_(painter_, panel.state().colors.printFace, screenDpi) {}

std::unique_ptr<PrintJob> PrintJob::forView(CHexPanel& panel, const PageSetup& setup,
                                            const std::string& fileName, int screenDpi,
                                            std::time_t now) {
    try {
        return std::unique_ptr<PrintJob>(new PrintJob(panel, setup, fileName, screenDpi, now));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void PrintJob::useMinimumMargins(QPrinter& printer) {
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

bool PrintJob::print(QPrinter& printer, std::uint64_t from, std::uint64_t to,
                     const Progress& progress) {
    useMinimumMargins(printer);
    to = std::min(to, pageCount());
    QPainter painter;
    if (from == 0 || from > to || !painter.begin(&printer)) {
        return false;
    }
    const int dpi = printer.resolution();
    const QRect pageRect(QPoint(0, 0), printer.pageLayout().paintRectPixels(dpi).size());
    const std::uint64_t total = to - from + 1;
    for (std::uint64_t page = from; page <= to; ++page) {
        if (progress && !progress(page - from, total)) {
            printer.abort();
            painter.end();
            return false;
        }
        if (page != from) {
            printer.newPage();
        }
        pages_.paint(painter, page, pageRect, dpi, dpi);
    }
    return painter.end();
}

QImage PrintJob::pageImage(std::uint64_t page, const QPageLayout& layout, int dpi) {
    const QRect sheet = layout.fullRectPixels(dpi);
    QImage image(sheet.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pages_.paint(painter, page, layout.paintRectPixels(dpi), dpi, dpi);
    return image;
}
