#include "app/CPrintPreviewDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "app/PrintJob.h"

namespace {

constexpr int kZooms[] = {25, 50, 75, 100, 150, 200};

}  // namespace

CPrintPreviewDialog::CPrintPreviewDialog(PrintJob& job, const QPageLayout& layout,
                                         QWidget* parent)
    : QDialog(parent), job_(job), layout_(layout) {
    setWindowTitle(QStringLiteral("Print Preview"));
    auto* bar = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("&Print..."));
    first_ = new QPushButton(QStringLiteral("First"));
    previous_ = new QPushButton(QStringLiteral("Previous"));
    pageBox_ = new QLineEdit;
    pageBox_->setObjectName(QStringLiteral("pageBox"));
    pageBox_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0")) * 22);
    pageCount_ = new QLabel(QStringLiteral("of %1").arg(job.pageCount()));
    next_ = new QPushButton(QStringLiteral("Next"));
    last_ = new QPushButton(QStringLiteral("Last"));
    zoomBox_ = new QComboBox;
    for (int zoom : kZooms) {
        zoomBox_->addItem(QStringLiteral("%1%").arg(zoom), zoom);
    }
    zoomBox_->setCurrentIndex(zoomBox_->findData(zoom_));
    auto* close = new QPushButton(QStringLiteral("Close"));
    for (QWidget* widget : std::initializer_list<QWidget*>{
             print, first_, previous_, pageBox_, pageCount_, next_, last_, zoomBox_}) {
        bar->addWidget(widget);
    }
    bar->addStretch();
    bar->addWidget(close);
    sheet_ = new QLabel;
    sheet_->setAlignment(Qt::AlignCenter);
    scroller_ = new QScrollArea;
    scroller_->setWidget(sheet_);
    scroller_->setWidgetResizable(true);
    scroller_->setBackgroundRole(QPalette::Dark);
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(bar);
    layoutBox->addWidget(scroller_, 1);
    resize(900, 1000);

    connect(print, &QPushButton::clicked, this, [this] {
        printRequested_ = true;
        accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(first_, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(previous_, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(last_, &QPushButton::clicked, this, [this] { showPage(job_.pageCount()); });
    connect(pageBox_, &QLineEdit::editingFinished, this, [this] { takePageBox(); });
    connect(zoomBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoom(zoomBox_->itemData(index).toInt()); });
    showPage(1);
}

void CPrintPreviewDialog::takePageBox() {
    const std::string text = pageBox_->text().trimmed().toStdString();
    std::uint64_t page = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
    if (error == std::errc() && end == text.data() + text.size()) {
        showPage(page);
    } else {
        showPage(page_);  // not a page number: the box shows the page again
    }
}

void CPrintPreviewDialog::showPage(std::uint64_t page) {
    page_ = std::clamp<std::uint64_t>(page, 1, std::max<std::uint64_t>(job_.pageCount(), 1));
    pageBox_->setText(QString::number(page_));
    first_->setEnabled(page_ > 1);
    previous_->setEnabled(page_ > 1);
    next_->setEnabled(page_ < job_.pageCount());
    last_->setEnabled(page_ < job_.pageCount());
    render();
}

void CPrintPreviewDialog::setZoom(int percent) {
    zoom_ = std::clamp(percent, 10, 400);
    render();
}

void CPrintPreviewDialog::render() {
    const int dpi = std::max(1, logicalDpiY() * zoom_ / 100);
    sheet_->setPixmap(QPixmap::fromImage(job_.pageImage(page_, layout_, dpi)));
}
