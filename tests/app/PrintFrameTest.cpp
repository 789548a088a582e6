// Print and Print Preview through the real frame: the print dialog accepted
// as a user accepts it, the pages written to a PDF and read back as text.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/CChildFrame.h"
#include "app/CPrintPreviewDialog.h"
#include "app/CommandIds.h"
#include "tests/app/FrameFixture.h"

namespace {

class PrintFrameTest : public testsupport::FrameFixture {
  protected:
    // Runs `step` on the first visible top-level window of type T once it
    // shows; the dialog runs inside the command, so the retries outlive it
    // through a weak handle.
    template <typename T>
    void whenShown(std::function<void(T&)> step) {
        auto attempt = std::make_shared<std::function<void()>>();
        const std::weak_ptr<std::function<void()>> self = attempt;
        pending_ = attempt;
        *attempt = [self, step] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* window = dynamic_cast<T*>(widget); window && window->isVisible()) {
                    step(*window);
                    return;
                }
            }
            if (const auto again = self.lock()) {
                QTimer::singleShot(20, [again] { (*again)(); });
            }
        };
        QTimer::singleShot(20, [attempt] { (*attempt)(); });
    }

    // Prints the active view to `pdf` through the Print command.
    void printTo(const std::string& pdf) {
        QPrinter& printer = frame->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        whenShown<QPrintDialog>([](QPrintDialog& dialog) { dialog.accept(); });
        frame->updateCommands();
        ASSERT_TRUE(frame->action(cmd::FilePrint)->isEnabled());
        frame->action(cmd::FilePrint)->trigger();
    }

    // The text of page `page` of a PDF, as pdftotext reads it.
    static QString pageText(const std::string& pdf, int page) {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                    QString::number(page), QStringLiteral("-layout"), QString::fromStdString(pdf),
                    QStringLiteral("-")});
        EXPECT_TRUE(tool.waitForFinished(30000));
        return QString::fromUtf8(tool.readAllStandardOutput());
    }
    static int pageCountOf(const std::string& pdf) {
        int pages = 0;
        while (pages < 100 && !pageText(pdf, pages + 1).isEmpty()) {
            ++pages;
        }
        return pages;
    }

    std::shared_ptr<std::function<void()>> pending_;
};

TEST_F(PrintFrameTest, PrintAndPreviewNeedALine) {
    frame->updateCommands();
    EXPECT_FALSE(frame->action(cmd::FilePrint)->isEnabled());
    EXPECT_FALSE(frame->action(cmd::FilePrintPreview)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::FilePrintSetup)->isEnabled());
    ASSERT_TRUE(frame->openDocument(makeFile("empty.bin", "")));
    frame->updateCommands();
    EXPECT_FALSE(frame->action(cmd::FilePrint)->isEnabled());
    ASSERT_TRUE(frame->openDocument(makeFile("one.bin", "x")));
    frame->updateCommands();
    EXPECT_TRUE(frame->action(cmd::FilePrint)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::FilePrintPreview)->isEnabled());
}

TEST_F(PrintFrameTest, PagesPrintWithHeaderFooterAndTheirLines) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes.push_back(static_cast<char>('a' + i % 26));
    }
    const std::string path = makeFile("print.bin", bytes);
    ASSERT_TRUE(frame->openDocument(path));
    const ViewState& state = frame->activeChild()->panel().state();
    const int width = state.presentation.lineWidth();
    const int perPage = state.presentation.pageHeight();
    const int lines = (5000 + width - 1) / width;
    const int pages = (lines + perPage - 1) / perPage;
    ASSERT_GE(pages, 3);
    ASSERT_NE(lines % perPage, 0) << "the last page should be short";

    const std::string pdf = dir.file("all.pdf");
    printTo(pdf);
    ASSERT_EQ(pageCountOf(pdf), pages);
    const QString first = pageText(pdf, 1);
    EXPECT_TRUE(first.contains(QString::fromStdString(path))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Page 1")));
    const QString second = pageText(pdf, 2);
    const QString secondAddress =
        QStringLiteral("%1").arg(perPage * width, 8, 16, QLatin1Char('0')).toUpper();
    EXPECT_TRUE(second.contains(secondAddress)) << second.toStdString();
    // "Page 2" stands right of the data, at the end of its line.
    const QStringList secondLines = second.split('\n');
    const auto footer = std::find_if(secondLines.begin(), secondLines.end(),
                                     [](const QString& l) { return l.contains("Page 2"); });
    ASSERT_NE(footer, secondLines.end());
    EXPECT_GT(footer->indexOf(QStringLiteral("Page 2")), 20);
    EXPECT_TRUE(footer->trimmed().endsWith(QStringLiteral("Page 2")));
    // The last page holds only the last lines.
    const QString last = pageText(pdf, pages);
    const QString lastAddress =
        QStringLiteral("%1").arg((lines - 1) * width, 8, 16, QLatin1Char('0')).toUpper();
    const QString firstOfLast =
        QStringLiteral("%1").arg((pages - 1) * perPage * width, 8, 16, QLatin1Char('0')).toUpper();
    EXPECT_TRUE(last.contains(lastAddress)) << last.toStdString();
    EXPECT_TRUE(last.contains(firstOfLast));
    EXPECT_EQ(last.count(QRegularExpression(QStringLiteral("\\b[0-9A-F]{8}\\b"))),
              lines - (pages - 1) * perPage);

    // Pages 2 to 3 only.
    QPrinter& printer = frame->printer();
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    const std::string range = dir.file("range.pdf");
    printTo(range);
    EXPECT_EQ(pageCountOf(range), 2);
    EXPECT_TRUE(pageText(range, 1).contains(QStringLiteral("Page 2")));
    EXPECT_TRUE(pageText(range, 2).contains(QStringLiteral("Page 3")));
}

TEST_F(PrintFrameTest, PreviewShowsThePagesAndALongDocumentPaintsOnlyThePageShown) {
    ASSERT_TRUE(frame->openDocument(makeFile("short.bin", std::string(3000, 'q'))));
    bool previewed = false;
    whenShown<QPrintPreviewDialog>([&previewed](QPrintPreviewDialog& preview) {
        previewed = true;
        preview.reject();
    });
    frame->updateCommands();
    frame->action(cmd::FilePrintPreview)->trigger();
    EXPECT_TRUE(previewed);

    // Above 1,000 pages our own preview shows one page at a time.
    const ViewState* state = &frame->activeChild()->panel().state();
    const std::size_t size = static_cast<std::size_t>(state->presentation.lineWidth()) *
                             static_cast<std::size_t>(state->presentation.pageHeight()) * 1001;
    ASSERT_TRUE(frame->openDocument(makeFile("long.bin", std::string(size, 'z'))));
    QString shownPage;
    QString ofPages;
    bool pictured = false;
    whenShown<CPrintPreviewDialog>([&](CPrintPreviewDialog& preview) {
        auto* box = preview.findChild<QLineEdit*>(QStringLiteral("pageBox"));
        ASSERT_NE(box, nullptr);
        box->setText(QStringLiteral("1001"));
        emit box->editingFinished();
        shownPage = box->text();
        for (QPushButton* button : preview.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("Previous")) {
                button->click();
            }
        }
        for (QLabel* label : preview.findChildren<QLabel*>()) {
            if (label->text().startsWith(QStringLiteral("of "))) {
                ofPages = label->text();
            }
            pictured = pictured || !label->pixmap().isNull();
        }
        EXPECT_EQ(preview.page(), 1000u);
        preview.reject();
    });
    frame->updateCommands();
    frame->action(cmd::FilePrintPreview)->trigger();
    EXPECT_EQ(shownPage, QStringLiteral("1001"));
    EXPECT_EQ(ofPages, QStringLiteral("of 1001"));
    EXPECT_TRUE(pictured);
}

}  // namespace
