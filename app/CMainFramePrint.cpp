// Page Setup of the active view and Print Setup of the application's one
// printer; the view's page height is the lines of a printed page.
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CPageSetupDialog.h"
#include "display/ui/CHexWindow.h"

QPrinter& CMainFrame::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Only our margins count: the page layout keeps the device minimum.
        printer_->setFullPage(false);
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
    return ::detectLinesPerPage(geometry, setup, state.pixels.lineHeight, state.headerHeight);
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
