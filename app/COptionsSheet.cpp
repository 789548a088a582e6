#include "app/COptionsSheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

COptionsSheet::COptionsSheet(QWidget* parent) : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("Application Options"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                             QDialogButtonBox::Apply | QDialogButtonBox::Help,
                                         this);
    layout->addWidget(buttons);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    help_ = buttons->button(QDialogButtonBox::Help);
    help_->setEnabled(false);  // until there is help to give
    resize(660, 500);          // every tab in view
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsSheet::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { applyChanges(); });
    // Leaving a page checks it; a page that refuses stays current.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (switching_ || index == current_) {
            return;
        }
        const Page& leaving = pages_.at(static_cast<std::size_t>(current_));
        if (leaving.validate && !leaving.validate()) {
            switching_ = true;
            tabs_->setCurrentIndex(current_);
            switching_ = false;
            return;
        }
        current_ = index;
    });
}

void COptionsSheet::setHelp(std::function<void(int page)> help) {
    help_->setEnabled(static_cast<bool>(help));
    help_->disconnect(this);
    if (help) {
        connect(help_, &QPushButton::clicked, this,
                [this, help] { help(tabs_->currentIndex()); });
    }
}

void COptionsSheet::addPage(Page page) {
    tabs_->addTab(page.widget, page.title);
    pages_.push_back(std::move(page));
    pageChanged();
}

void COptionsSheet::pageChanged() {
    bool any = false;
    for (const Page& page : pages_) {
        any = any || (page.changed && page.changed());
    }
    apply_->setEnabled(any);
}

bool COptionsSheet::applyChanges() {
    if (!pages_.empty()) {
        const Page& current = pages_.at(static_cast<std::size_t>(tabs_->currentIndex()));
        if (current.validate && !current.validate()) {
            return false;
        }
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        const Page& page = pages_[i];
        if (!page.changed || !page.changed()) {
            continue;
        }
        if (page.validate && !page.validate()) {
            tabs_->setCurrentIndex(static_cast<int>(i));
            return false;
        }
        if (page.apply && !page.apply()) {
            tabs_->setCurrentIndex(static_cast<int>(i));
            return false;
        }
    }
    pageChanged();
    return true;
}

void COptionsSheet::accept() {
    if (applyChanges()) {
        QDialog::accept();
    }
}
