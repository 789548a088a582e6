// Page Setup of the active view, Print Setup of the application's one
// printer, and Print and Print Preview of the active view; the view's page
// height is the lines of a printed page.
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <climits>
#include <ctime>

#include "app/CChildFrame.h"
#include "app/CHelpWindow.h"
#include "app/ContextHelp.h"
#include "app/CMainFrame.h"
#include "app/CPageSetupDialog.h"
#include "app/CPrintPreviewDialog.h"
#include "app/DocumentTitle.h"
#include "app/PrintJob.h"
#include "display/ui/CHexWindow.h"

namespace {

// The platform's preview paints every page before it shows one; above this
// our own preview paints only the page shown.
constexpr std::uint64_t kPreviewAllPagesLimit = 1000;

// The pages the printer's range asks for, within [1, count].
std::pair<std::uint64_t, std::uint64_t> chosenPages(const QPrinter& printer, std::uint64_t count) {
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        const auto from = static_cast<std::uint64_t>(printer.fromPage());
        const auto to = static_cast<std::uint64_t>(std::max(printer.toPage(), printer.fromPage()));
        return {std::min(from, count), std::min(to, count)};
    }
    return {1, count};
}

}  // namespace

QPrinter& CMainFrame::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Only our margins count: the page layout keeps the device minimum.
        PrintJob::useMinimumMargins(*printer_);
    }
    return *printer_;
}

void CMainFrame::printSetup() {
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

std::optional<int> CMainFrame::detectLinesPerPage(CChildFrame& child, const PageSetup& setup) {
    std::unique_ptr<QPrinter> fallback;
    QPrinter* device = printer_ && !printer_->printerName().isEmpty() ? printer_.get() : nullptr;
    if (device == nullptr) {
        const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
        if (standard.isNull()) {
            return std::nullopt;
        }
        fallback = std::make_unique<QPrinter>(standard, QPrinter::HighResolution);
        device = fallback.get();
    }
    const int dpi = device->resolution();
    PrinterGeometry geometry;
    geometry.printerDpi = dpi;
    geometry.screenDpi = child.view().logicalDpiY();
    geometry.printableHeight = device->pageLayout().paintRectPixels(dpi).height();
    const ViewState& state = child.panel().state();
    // Above the first line: the header band (or the edge gap) and the line gap.
    return ::detectLinesPerPage(geometry, setup, state.pixels.lineHeight,
                                state.headerHeight + state.pixels.top);
}

void CMainFrame::pageSetup() {
    CChildFrame* child = activeChild();
    if (child == nullptr) {
        return;
    }
    CHexPanel& panel = child->panel();
    PageSetup setup = child->pageSetup();
    setup.linesPerPage = panel.state().presentation.pageHeight();
    CPageSetupDialog dialog(
        setup, messages_,
        [this, child](const PageSetup& current) { return detectLinesPerPage(*child, current); },
        this);
    if (helpAvailable()) {
        attachContextHelp(dialog, helpWindow().help(),
                          [this](const std::string& page) { helpWindow().showTopic(page); });
    }
    if (dialog.exec() != QDialog::Accepted) {
        child->pageSetup().autoDetectPending = false;
        return;
    }
    child->pageSetup() = dialog.setup();
    child->pageSetup().store(settings_);
    // The page marks move with the new page height.
    panel.changePageHeight(dialog.setup().linesPerPage - panel.state().presentation.pageHeight());
    child->view().update();
    updateCommands();
}

std::unique_ptr<PrintJob> CMainFrame::startPrintJob(CChildFrame& child) {
    CKestraneDoc& document = child.document();
    const std::string name =
        document.path().empty() ? titleWithoutMark(document.title()) : document.path();
    PageSetup setup = child.pageSetup();
    setup.linesPerPage = child.panel().state().presentation.pageHeight();
    return PrintJob::forView(child.panel(), setup, name, child.view().logicalDpiY(),
                             std::time(nullptr));
}

bool CMainFrame::canPrint(CChildFrame* child) {
    if (child == nullptr) {
        return false;
    }
    const ViewState& state = child->panel().state();
    return state.attached && state.dataSize + static_cast<std::uint64_t>(
                                                  std::max(state.presentation.indent(), 0)) > 0;
}

std::unique_ptr<PrintJob> CMainFrame::jobOfActiveView() {
    CChildFrame* child = activeChild();
    if (!canPrint(child)) {
        return nullptr;
    }
    std::unique_ptr<PrintJob> job = startPrintJob(*child);
    if (!job || job->pageCount() == 0) {
        return nullptr;
    }
    PrintJob::useMinimumMargins(printer());
    return job;
}

void CMainFrame::print() {
    const std::unique_ptr<PrintJob> job = jobOfActiveView();
    if (!job) {
        return;
    }
    QPrinter& device = printer();
    QPrintDialog dialog(&device, this);
    // The dialog counts pages in int: a larger document offers its first 2^31 - 1.
    dialog.setMinMax(1, static_cast<int>(std::min<std::uint64_t>(job->pageCount(), INT_MAX)));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    printWithProgress(*job, device);
}

bool CMainFrame::printWithProgress(PrintJob& job, QPrinter& device) {
    const auto [from, to] = chosenPages(device, job.pageCount());
    if (from == 0 || from > to) {
        return false;
    }
    QProgressDialog progress(this);
    progress.setWindowTitle(QStringLiteral("Print"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    const std::uint64_t total = to - from + 1;
    // The bar counts in int: a larger job moves it in steps of several pages.
    const std::uint64_t step = total / INT_MAX + 1;
    progress.setRange(0, static_cast<int>(total / step));
    return job.print(device, from, to, [&](std::uint64_t done, std::uint64_t count) {
        progress.setLabelText(
            QStringLiteral("Printing page %1 of %2").arg(from + done).arg(from + count - 1));
        progress.setValue(static_cast<int>(done / step));
        return !progress.wasCanceled();
    });
}

void CMainFrame::printPreview() {
    const std::unique_ptr<PrintJob> job = jobOfActiveView();
    if (!job) {
        return;
    }
    QPrinter& device = printer();
    if (job->pageCount() > kPreviewAllPagesLimit) {
        CPrintPreviewDialog preview(*job, device.pageLayout(), this);
        if (preview.exec() == QDialog::Accepted && preview.printRequested()) {
            print();
        }
        return;
    }
    // The preview shows every page; its Print honours the range chosen there.
    device.setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(&device, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&job](QPrinter* target) {
        const auto [from, to] = chosenPages(*target, job->pageCount());
        job->print(*target, from, to);
    });
    preview.exec();
}
