#include "app/CInsertDiskDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/PrintfFormat.h"

CInsertDiskDialog::CInsertDiskDialog(const std::string& drive, bool optical,
                                     std::function<bool()> present, QWidget* parent,
                                     int intervalMs)
    : QDialog(parent), present_(std::move(present)) {
    setWindowTitle(QStringLiteral("Insert Disk"));
    const QIcon icon =
        optical ? QIcon::fromTheme(QStringLiteral("media-optical"),
                                   QApplication::style()->standardIcon(QStyle::SP_DriveCDIcon))
                : QIcon::fromTheme(QStringLiteral("drive-removable-media"),
                                   QApplication::style()->standardIcon(QStyle::SP_DriveFDIcon));
    auto* image = new QLabel;
    image->setPixmap(icon.pixmap(32, 32));
    auto* text = new QLabel(QString::fromStdString(
        platform::formatPrintf("Please insert a disk to driver %s.", {drive})));
    text->setObjectName(QStringLiteral("message"));
    ok_ = new QPushButton(QStringLiteral("OK"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    // While the drive is watched for a volume there is nothing to confirm.
    ok_->hide();
    setCursor(Qt::WaitCursor);
    cancel_->setCursor(Qt::ArrowCursor);
    cancel_->setDefault(true);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("timer %1").arg(kTimerId));
    timer_->setInterval(intervalMs);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (present_ && present_()) {
            timer_->stop();
            accept();
        }
    });
    timer_->start();
}
