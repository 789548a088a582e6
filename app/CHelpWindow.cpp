#include "app/CHelpWindow.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr int kPageRole = Qt::UserRole;

QString pageOf(const std::string& page) {
    return QString::fromStdString(page);
}

}  // namespace

CHelpWindow::CHelpWindow(HelpSet help, QWidget* parent)
    : QWidget(parent, Qt::Window), help_(std::move(help)) {
    setWindowTitle(QStringLiteral("Kestrane Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    resize(900, 640);
    tabs_ = new QTabWidget;
    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, QStringLiteral("Contents"));

    auto* indexPage = new QWidget;
    indexFilter_ = new QLineEdit;
    indexFilter_->setPlaceholderText(QStringLiteral("Type the keyword to find"));
    indexList_ = new QListWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(indexFilter_);
    indexLayout->addWidget(indexList_, 1);
    tabs_->addTab(indexPage, QStringLiteral("Index"));

    auto* searchPage = new QWidget;
    searchBox_ = new QLineEdit;
    searchBox_->setPlaceholderText(QStringLiteral("Type the words to search for"));
    auto* searchButton = new QPushButton(QStringLiteral("List Topics"));
    hits_ = new QListWidget;
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchBox_, 1);
    searchRow->addWidget(searchButton);
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(hits_, 1);
    tabs_->addTab(searchPage, QStringLiteral("Search"));

    browser_ = new QTextBrowser;
    browser_->setSearchPaths({QString::fromStdString(help_.folder())});
    browser_->setOpenExternalLinks(true);
    auto* bar = new QToolBar;
    QAction* back = bar->addAction(QStringLiteral("Back"), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
    bar->addAction(QStringLiteral("Home"), this, [this] {
        if (!help_.contents().empty()) {
            showTopic(help_.contents().front().page);
        }
    });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);

    fillContents();
    fillIndex({});
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr) {
            showTopic(item->data(0, kPageRole).toString().toStdString());
        }
    });
    connect(indexFilter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        fillIndex(text);
    });
    const auto openListed = [this](QListWidgetItem* item) {
        if (item != nullptr) {
            showTopic(item->data(kPageRole).toString().toStdString());
        }
    };
    connect(indexList_, &QListWidget::itemActivated, this, openListed);
    connect(indexList_, &QListWidget::itemClicked, this, openListed);
    connect(hits_, &QListWidget::itemActivated, this, openListed);
    connect(hits_, &QListWidget::itemClicked, this, openListed);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] { search(searchBox_->text()); });
    connect(searchButton, &QPushButton::clicked, this, [this] { search(searchBox_->text()); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { markWords(); });
}

void CHelpWindow::fillContents() {
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpSet::ContentsEntry& entry : help_.contents()) {
        parents.resize(static_cast<std::size_t>(std::min<int>(entry.depth,
                                                               static_cast<int>(parents.size()))));
        auto* item = parents.empty() ? new QTreeWidgetItem(contents_)
                                     : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(entry.title));
        item->setData(0, kPageRole, pageOf(entry.page));
        parents.push_back(item);
    }
    contents_->expandAll();
}

void CHelpWindow::fillIndex(const QString& filter) {
    indexList_->clear();
    for (const HelpSet::IndexEntry& entry : help_.indexMatching(filter.toStdString())) {
        auto* item = new QListWidgetItem(QString::fromStdString(entry.keyword), indexList_);
        item->setData(kPageRole, pageOf(entry.page));
    }
}

void CHelpWindow::showTab(Tab tab) {
    tabs_->setCurrentIndex(static_cast<int>(tab));
    if (tab == Tab::Contents && browser_->source().isEmpty() && !help_.contents().empty()) {
        showTopic(help_.contents().front().page);
    }
    if (tab == Tab::Index) {
        indexFilter_->setFocus();
    } else if (tab == Tab::Search) {
        searchBox_->setFocus();
    }
    show();
    raise();
    activateWindow();
}

bool CHelpWindow::showTopic(const std::string& page) {
    const QString file = QString::fromStdString(help_.pagePath(page));
    if (page.empty() || !QFileInfo::exists(file)) {
        return false;
    }
    browser_->setSource(QUrl::fromLocalFile(file));
    show();
    raise();
    return true;
}

void CHelpWindow::search(const QString& words) {
    searchBox_->setText(words);
    hits_->clear();
    marked_ = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const HelpSet::Hit& hit : help_.search(words.toStdString())) {
        auto* item = new QListWidgetItem(QString::fromStdString(hit.title), hits_);
        item->setData(kPageRole, pageOf(hit.page));
    }
    if (hits_->count() > 0) {
        hits_->setCurrentRow(0);
        showTopic(hits_->item(0)->data(kPageRole).toString().toStdString());
    }
}

void CHelpWindow::markWords() {
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat format;
    format.setBackground(QColor(0xFF, 0xE0, 0x60));
    for (const QString& word : marked_) {
        QTextCursor at(browser_->document());
        while (!(at = browser_->document()->find(word, at)).isNull()) {
            marks.push_back({at, format});
        }
    }
    browser_->setExtraSelections(marks);
}

int CHelpWindow::markedCount() const {
    return static_cast<int>(browser_->extraSelections().size());
}
