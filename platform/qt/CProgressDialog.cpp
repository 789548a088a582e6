#include "platform/qt/CProgressDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

namespace platform {

namespace {

// Progress bars count in int; large totals are scaled to fit.
int scaled(std::uint64_t value, std::uint64_t total) {
    constexpr std::uint64_t kSteps = 1u << 30;
    if (total <= kSteps) {
        return static_cast<int>(value);
    }
    return static_cast<int>(static_cast<long double>(value) / static_cast<long double>(total) *
                            static_cast<long double>(kSteps));
}

}  // namespace

void CProgressDialog::setText(const std::string& text) {
    text_->setText(QString::fromStdString(text));
}

CProgressDialog::CProgressDialog(const StringTable& strings, int captionId, int textId,
                                 QWidget* parent)
    : QDialog(parent),
      text_(new QLabel(QString::fromStdString(strings.text(textId)), this)),
      bar_(new QProgressBar(this)),
      suspend_(new QPushButton(QStringLiteral("Suspend"), this)),
      continue_(new QPushButton(QStringLiteral("Continue"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    if (captionId != 0) {
        setWindowTitle(QString::fromStdString(strings.text(captionId)));
    }
    setModal(true);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    text_->setWordWrap(true);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    suspend_->setDefault(true);
    suspend_->setEnabled(false);
    continue_->setEnabled(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(text_, 0, 1);
    layout->addWidget(bar_, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(suspend_);
    buttons->addWidget(continue_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons, 2, 0, 1, 2);
    // 217 x 103 dialog units of the original layout.
    resize(434, 168);
    connect(cancel_, &QPushButton::clicked, this, [this] { requestCancel(); });
}

CProgressDialog::~CProgressDialog() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool CProgressDialog::run(const Worker& worker) {
    worker_ = worker;
    return exec() == QDialog::Accepted;
}

void CProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) {
        return;
    }
    started_ = true;
    // The worker starts only once the dialog exists on screen.
    thread_ = std::thread([this] {
        worker_([this](std::uint64_t total, std::uint64_t done, ProgressKind kind,
                       const std::string* text) { return report(total, done, kind, text); });
        // A worker that ended without saying how counts as failed.
        postCompletion(2);
    });
}

ProgressAnswer CProgressDialog::report(std::uint64_t total, std::uint64_t done, ProgressKind kind,
                                       const std::string* text) {
    const int maximum = scaled(total, total);
    const int position = scaled(std::min(done, total), total);
    QMetaObject::invokeMethod(
        this,
        [this, maximum, position] {
            bar_->setRange(0, maximum);
            bar_->setValue(position);
        },
        Qt::QueuedConnection);
    switch (kind) {
        case ProgressKind::Progress:
            if (cancelRequested_.load()) {
                postCompletion(2);
                return ProgressAnswer::Cancel;
            }
            if (text != nullptr) {
                const QString replaced = QString::fromStdString(*text);
                QMetaObject::invokeMethod(
                    this, [this, replaced] { text_->setText(replaced); }, Qt::QueuedConnection);
            }
            return ProgressAnswer::Continue;
        case ProgressKind::Finished:
            postCompletion(cancelRequested_.load() ? 2 : 1);
            return ProgressAnswer::Continue;
        case ProgressKind::Failed:
            postCompletion(2);
            return ProgressAnswer::Cancel;
    }
    return ProgressAnswer::Cancel;
}

void CProgressDialog::requestCancel() {
    cancelRequested_.store(true);
    cancel_->setEnabled(false);
}

void CProgressDialog::reject() {
    if (cancel_->isEnabled()) {
        requestCancel();  // with Cancel disabled the work cannot be stopped
    }
}

void CProgressDialog::postCompletion(int result) {
    if (completionPosted_.exchange(true)) {
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, result] { complete(result); }, Qt::QueuedConnection);
}

void CProgressDialog::complete(int result) {
    // A rewrite that cannot stop goes on after Cancel: wait for it.
    if (thread_.joinable()) {
        thread_.join();
    }
    done(result == 1 ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace platform
