#include "editdata/ui/CQuickUndoPopup.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>

CQuickUndoPopup::CQuickUndoPopup(QWidget* parent)
    : QFrame(parent, Qt::Popup),
      items_(new QListWidget(this)),
      text_(new QLabel(this)),
      ok_(new QToolButton(this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    items_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(items_, 0, 0, 1, 2);
    layout->addWidget(text_, 1, 0);
    layout->addWidget(ok_, 1, 1);
    // 81 x 100 dialog units of the original layout, at the usual unit size.
    resize(162, 200);
    connect(items_, &QListWidget::currentRowChanged, this, [this](int row) { choose(row); });
    connect(items_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(items_->row(item)); });
    connect(ok_, &QToolButton::clicked, this, [this] { accept(); });
}

void CQuickUndoPopup::popup(const CQuickUndoList& list, const QPoint& screenPoint,
                            std::function<void(int n)> onConfirm) {
    list_ = list;
    onConfirm_ = std::move(onConfirm);
    accepted_ = false;
    const bool undo = list_.kind() == CQuickUndoList::Kind::Undo;
    ok_->setIcon(style()->standardIcon(undo ? QStyle::SP_ArrowBack : QStyle::SP_ArrowForward));
    items_->blockSignals(true);
    items_->clear();
    for (const auto& name : list_.items()) {
        items_->addItem(QString::fromStdString(name));
    }
    items_->blockSignals(false);
    list_.show();
    showSelection();
    move(screenPoint);
    show();
    items_->setFocus();
}

void CQuickUndoPopup::choose(int row) {
    list_.select(row < 0 ? 0 : row);
    showSelection();
}

void CQuickUndoPopup::showSelection() {
    items_->blockSignals(true);
    for (int row = 0; row < items_->count(); ++row) {
        items_->item(row)->setSelected(list_.isSelected(row));
    }
    items_->blockSignals(false);
    text_->setText(QString::fromStdString(list_.text()));
}

void CQuickUndoPopup::accept() {
    accepted_ = true;
    const int n = list_.confirmedCount();
    hide();
    if (onConfirm_ && n >= 0) {
        onConfirm_(n);
    }
}

void CQuickUndoPopup::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            accept();
            return;
        case Qt::Key_Escape:
            hide();
            return;
        default:
            QFrame::keyPressEvent(event);
    }
}

void CQuickUndoPopup::hideEvent(QHideEvent* event) {
    if (!accepted_) {
        list_.cancel();
        text_->setText(QString::fromStdString(list_.text()));
    }
    QFrame::hideEvent(event);
}
