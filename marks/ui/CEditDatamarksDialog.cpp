#include "marks/ui/CEditDatamarksDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "marks/DatamarkDefinition.h"
#include "marks/DatamarkLevels.h"
#include "marks/DatamarkProperties.h"
#include "marks/DatamarkStore.h"
#include "marks/ui/CDatamarkPropertiesDialog.h"
#include "marks/ui/LevelImage.h"
#include "platform/MessageService.h"

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CEditDatamarksDialog::CEditDatamarksDialog(DatamarkStore& store, const DatamarkLevels& levels,
                                           platform::MessageService& messages, QWidget* parent)
    : QDialog(parent), store_(store), levels_(levels), messages_(messages) {
    setObjectName(QStringLiteral("195"));
    setWindowTitle(QStringLiteral("Edit Datamarks"));
    auto* layout = new QHBoxLayout(this);
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    tree_->setMinimumSize(420, 300);
    layout->addWidget(tree_);
    auto* buttons = new QVBoxLayout();
    const auto add = [&](const char* text, const char* name) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setObjectName(QString::fromUtf8(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* edit = add("Edit Properties...", "edit");
    QPushButton* remove = add("Delete Datamark", "delete");
    QPushButton* check = add("Check Consistency...", "check");
    buttons->addStretch();
    QPushButton* exit = add("Exit Edit", "exit");
    layout->addLayout(buttons);
    connect(edit, &QPushButton::clicked, this, [this] { editSelected(); });
    connect(remove, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(check, &QPushButton::clicked, this,
            [this] { showConsistencyCheck(store_.loadAllDatamarks().datamarks, messages_, this); });
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item->parent() != nullptr) {
            editSelected();
        }
    });
    fill();
    updateButtons();
}

void CEditDatamarksDialog::fill() {
    QTreeWidgetItem* file = nullptr;
    for (const CBmitemObj& datamark : store_.loadAllDatamarks().datamarks) {
        if (file == nullptr || file->data(0, kPathRole).toString() != qtext(datamark.filePath)) {
            file = new QTreeWidgetItem(tree_, {qtext(datamark.filePath)});
            file->setData(0, kPathRole, qtext(datamark.filePath));
        }
        auto* item = new QTreeWidgetItem(file, {qtext(datamark.name)});
        item->setIcon(0, levelIcon(datamark.level));
        item->setData(0, kPathRole, qtext(datamark.filePath));
        item->setData(0, kNameRole, qtext(datamark.name));
    }
    if (tree_->topLevelItemCount() > 0) {
        tree_->topLevelItem(0)->setExpanded(true);
    }
}

bool CEditDatamarksDialog::selected(std::string& path, std::string& name) const {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr || item->parent() == nullptr || !item->isSelected()) {
        return false;
    }
    path = item->data(0, kPathRole).toString().toStdString();
    name = item->data(0, kNameRole).toString().toStdString();
    return true;
}

void CEditDatamarksDialog::updateButtons() {
    std::string path;
    std::string name;
    const bool onDatamark = selected(path, name);
    button(QStringLiteral("edit"))->setEnabled(onDatamark);
    button(QStringLiteral("delete"))->setEnabled(onDatamark);
}

void CEditDatamarksDialog::editSelected() {
    std::string path;
    std::string oldName;
    if (!selected(path, oldName)) {
        return;
    }
    const auto datamark = store_.reloadDatamark(path, oldName);
    if (!datamark) {
        return;
    }
    DatamarkProperties properties(*datamark);
    CDatamarkPropertiesDialog::Hooks hooks;
    hooks.check = [this](const DatamarkProperties& edited) {
        return edited.checkFromStore(store_);
    };
    CDatamarkPropertiesDialog dialog(properties, levels_.count(), hooks, messages_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const CBmitemObj edited = properties.accepted();
    if (!store_.replaceDatamark(oldName, edited)) {
        messages_.show(marktext::kSaveFailed, {platform::MessageIcon::Exclamation},
                       {store_.failureReason()});
        return;
    }
    QTreeWidgetItem* item = tree_->currentItem();
    item->setText(0, qtext(edited.name));
    item->setData(0, kNameRole, qtext(edited.name));
    item->setIcon(0, levelIcon(edited.level));
    if (!sameMarkName(oldName, edited.name)) {
        edits_.renamed.push_back({path, oldName, edited.name});
    }
    edits_.changed = true;
}

void CEditDatamarksDialog::deleteSelected() {
    std::string path;
    std::string name;
    if (!selected(path, name)) {
        return;
    }
    store_.deleteStoredDatamark(path, name);
    delete tree_->currentItem();
    tree_->setCurrentItem(nullptr);
    tree_->clearSelection();
    edits_.deleted.push_back({path, name});
    edits_.changed = true;
    updateButtons();
}

QPushButton* CEditDatamarksDialog::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void CEditDatamarksDialog::showConsistencyCheck(const std::vector<CBmitemObj>& stored,
                                                platform::MessageService& messages,
                                                QWidget* parent) {
    const std::vector<InexistentAssociation> rows = findInexistentAssociations(stored);
    if (rows.empty()) {
        messages.show(2005, platform::MessageStyle(platform::MessageIcon::Information));
        return;
    }
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Datamarks Consistency Check"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(
        new QLabel(QStringLiteral("Following associations are inexistent: "), &dialog));
    auto* list = new QTreeWidget(&dialog);
    list->setObjectName(QStringLiteral("inexistent"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels(
        {qtext(messages.strings().text(2003)), qtext(messages.strings().text(2004))});
    for (const InexistentAssociation& row : rows) {
        new QTreeWidgetItem(list, {qtext(row.target), qtext(row.source)});
    }
    list->setMinimumWidth(500);
    list->header()->resizeSection(0, 500 * 3 / 5);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}
