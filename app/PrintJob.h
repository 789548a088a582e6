#pragma once

#include <QImage>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "display/PagePainter.h"
#include "display/ui/PrintedPages.h"

class CHexPanel;
class QPageLayout;
class QPainter;
class QPrinter;

// One printing or preview of a view: its pages as they stand when it
// starts, painted on a printer or into a page image. It reads the view's
// data, so it lives no longer than the view.
class PrintJob {
  public:
    // Before each page: the pages done so far and how many are to print;
    // false cancels the job.
    using Progress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

    // Nothing when the page buffer cannot be had: printing stops there.
    // `fileName`: the document's path, or its title without a path.
    static std::unique_ptr<PrintJob> forView(CHexPanel& panel, const PageSetup& setup,
                                             const std::string& fileName, int screenDpi,
                                             std::time_t now);

    std::uint64_t pageCount() const { return painter_.pageCount(); }

    // Prints pages [from, to] (from 1), one sheet each, the device's
    // minimum margins in its page layout so that only the page setup's
    // count. False when the printer would not start or the job was
    // cancelled (it is then aborted).
    bool print(QPrinter& printer, std::uint64_t from, std::uint64_t to,
               const Progress& progress = {});
    // Page `page` as a sheet of `layout` at `dpi`, white outside the print.
    QImage pageImage(std::uint64_t page, const QPageLayout& layout, int dpi);

    // Sets the printer's page margins to the device's minimum (0 for PDF).
    static void useMinimumMargins(QPrinter& printer);

  private:
    PrintJob(CHexPanel& panel, const PageSetup& setup, const std::string& fileName, int screenDpi,
             std::time_t now);

    PagePainter painter_;
    PrintedPages pages_;
};
