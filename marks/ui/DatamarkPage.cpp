#include "marks/ui/DatamarkPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "marks/DatamarkDefinition.h"
#include "marks/ui/LevelImage.h"
#include "platform/MessageService.h"

namespace {

constexpr int kListWidth = 360;

}  // namespace

DatamarkPage::DatamarkPage(const CSettings& settings, const DatamarkLevels& levels,
                           DatamarkStore& store, platform::MessageService& messages,
                           QWidget* parent)
    : QWidget(parent),
      store_(store),
      messages_(messages),
      page_(DatamarkPageOptions::load(settings, levels)) {
    setObjectName(QStringLiteral("196"));
    auto* layout = new QVBoxLayout(this);
    auto* order = new QGroupBox(QStringLiteral("Navigation By"), this);
    auto* orderLayout = new QHBoxLayout(order);
    auto* group = new QButtonGroup(this);
    const char* names[] = {"Nature", "Occurrence", "Association"};
    for (int style = 0; style < 3; ++style) {
        auto* button = new QRadioButton(QString::fromUtf8(names[style]), order);
        button->setChecked(page_.options.browserStyle == style);
        group->addButton(button, style);
        orderLayout->addWidget(button);
        order_[static_cast<std::size_t>(style)] = button;
    }
    layout->addWidget(order);
    const char* labels[] = {"Auto Save Datamarks", "Auto Update Positions",
                            "Auto Disconnect Associations", "Associate Across Files"};
    const bool values[] = {page_.options.autoSave, page_.options.autoUpdatePositions,
                           page_.options.autoDisconnect, page_.options.acrossFiles};
    for (std::size_t i = 0; i < switches_.size(); ++i) {
        switches_[i] = new QCheckBox(QString::fromUtf8(labels[i]), this);
        switches_[i]->setChecked(values[i]);
        layout->addWidget(switches_[i]);
        connect(switches_[i], &QCheckBox::toggled, this, [this] { changed_ = true; });
    }
    connect(group, &QButtonGroup::idClicked, this, [this] { changed_ = true; });

    auto* box = new QGroupBox(QStringLiteral("Datamark Levels"), this);
    auto* boxLayout = new QVBoxLayout(box);
    list_ = new QTableWidget(box);
    list_->setColumnCount(2);
    list_->setHorizontalHeaderLabels({QString::fromStdString(messages.strings().text(2013)),
                                      QString::fromStdString(messages.strings().text(2014))});
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    list_->setMinimumWidth(kListWidth + 4);
    list_->setColumnWidth(0, kListWidth * 2 / 3);
    list_->setColumnWidth(1, kListWidth / 3);
    boxLayout->addWidget(list_);
    layout->addWidget(box);
    fillLevels();
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row) { toggleShow(row); });
    connect(list_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) {
            changed_ = true;
        }
    });
}

void DatamarkPage::fillLevels() {
    filling_ = true;
    list_->setRowCount(static_cast<int>(page_.levels.size()));
    for (std::size_t i = 0; i < page_.levels.size(); ++i) {
        const CBmlevelObj& level = page_.levels[i];
        auto* name = new QTableWidgetItem(QString::fromStdString(level.name));
        name->setIcon(levelIcon(static_cast<int>(i) + 1));
        auto* show = new QTableWidgetItem(
            QString::fromStdString(messages_.strings().text(level.show ? 2016 : 2017)));
        show->setFlags(show->flags() & ~Qt::ItemIsEditable);
        list_->setItem(static_cast<int>(i), 0, name);
        list_->setItem(static_cast<int>(i), 1, show);
    }
    filling_ = false;
}

void DatamarkPage::toggleShow(int row) {
    if (row < 0 || row >= static_cast<int>(page_.levels.size())) {
        return;
    }
    collect();
    CBmlevelObj& level = page_.levels[static_cast<std::size_t>(row)];
    level.show = !level.show;
    fillLevels();
    changed_ = true;
}

void DatamarkPage::collect() {
    for (std::size_t i = 0; i < page_.levels.size(); ++i) {
        page_.levels[i].name = list_->item(static_cast<int>(i), 0)->text().toStdString();
    }
    for (int style = 0; style < 3; ++style) {
        if (order_[static_cast<std::size_t>(style)]->isChecked()) {
            page_.options.browserStyle = style;
        }
    }
    page_.options.autoSave = switches_[0]->isChecked();
    page_.options.autoUpdatePositions = switches_[1]->isChecked();
    page_.options.autoDisconnect = switches_[2]->isChecked();
    page_.options.acrossFiles = switches_[3]->isChecked();
}

bool DatamarkPage::apply() {
    if (!changed_) {
        return true;
    }
    collect();
    if (!page_.apply(store_)) {
        messages_.show(marktext::kSaveFailed, {platform::MessageIcon::Exclamation},
                       {store_.failureReason()});
        return false;
    }
    changed_ = false;
    if (onApplied) {
        onApplied();
    }
    return true;
}
