// A 1 MiB file printed to PDF through the real print path (the view's panels
// on the framework's Graphics, header and footer), beside the same pages of
// the same line texts drawn with bare QPainter::drawText into a PDF.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <string>
#include <vector>

#include "app/PrintJob.h"
#include "bench/HexViewFixture.h"
#include "display/DisplayTexts.h"
#include "display/PageSetup.h"

namespace {

using benchview::View;

constexpr std::size_t kFileSize = 1 << 20;
constexpr int kScreenDpi = 96;

std::unique_ptr<View> printedView() {
    auto view = std::make_unique<View>(false, false, kGenericRead, kFileSize);
    view->panel->changeLineWidth(24 - view->panel->state().presentation.lineWidth());
    return view;
}

void toPdf(QPrinter& printer, const std::string& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
}

PageSetup pageSetupOf(const View& view) {
    PageSetup setup;
    setup.linesPerPage = view.panel->state().presentation.pageHeight();
    return setup;
}

void BM_PrintToPdf(benchmark::State& state) {
    const auto view = printedView();
    std::uint64_t pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, view->folder + "/print.pdf");
        const auto job = PrintJob::forView(*view->panel, pageSetupOf(*view),
                                           view->folder + "/data.bin", kScreenDpi, 0);
        pages = job->pageCount();
        if (!job->print(printer, 1, pages)) {
            state.SkipWithError("the print did not finish");
        }
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages) *
                                                       static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same texts of the same pages with bare drawText calls, the same scale.
void BM_PrintBaseline(benchmark::State& state) {
    const auto view = printedView();
    const ViewState& s = view->panel->state();
    const PageSetup setup = pageSetupOf(*view);
    struct Line {
        QString address, hex, chars;
    };
    std::vector<Line> lines;
    const auto width = static_cast<std::uint64_t>(s.presentation.lineWidth());
    for (std::uint64_t offset = 0; offset < s.dataSize; offset += width) {
        std::vector<std::uint8_t> bytes;
        std::vector<std::uint8_t> mask;
        view->panel->readBytes(offset, std::min(s.dataSize, offset + width), bytes, mask);
        lines.push_back(
            {QString::fromStdString(addressText(offset, true)),
             QString::fromStdString(hexLineText(bytes.data(), bytes.size(), 0, 1)),
             QString::fromStdString(charLineText(bytes.data(), bytes.size(), 0, '.'))});
    }
    const std::uint64_t pages = pageCount(lines.size(), setup.linesPerPage);
    const int lineHeight = s.pixels.lineHeight;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, view->folder + "/baseline.pdf");
        QPainter painter(&printer);
        painter.setFont(view->renderer->font());
        const double scale = static_cast<double>(printer.resolution()) / kScreenDpi;
        for (std::uint64_t page = 1; page <= pages; ++page) {
            if (page != 1) {
                printer.newPage();
            }
            painter.save();
            painter.scale(scale, scale);
            painter.drawText(0, lineHeight, QString::fromStdString(view->folder + "/data.bin"));
            const PageLines range = *linesOfPage(page, lines.size(), setup.linesPerPage);
            int y = 3 * lineHeight;
            for (std::uint64_t line = range.first; line <= range.last; ++line, y += lineHeight) {
                painter.drawText(0, y, lines[line].address);
                painter.drawText(100, y, lines[line].hex);
                painter.drawText(720, y, lines[line].chars);
            }
            painter.drawText(600, y + lineHeight, QStringLiteral("Page %1").arg(page));
            painter.restore();
        }
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages) *
                                                       static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
