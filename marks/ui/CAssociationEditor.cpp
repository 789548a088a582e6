#include "marks/ui/CAssociationEditor.h"

#include <QAbstractSpinBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "marks/DatamarkLevels.h"
#include "marks/ui/LevelImage.h"
#include "platform/MessageService.h"

namespace {

// Arrows only: each press moves the selected entry one place.
class OrderSpin : public QAbstractSpinBox {
  public:
    explicit OrderSpin(std::function<void(int)> moved, QWidget* parent)
        : QAbstractSpinBox(parent), moved_(std::move(moved)) {
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        setReadOnly(true);
        setFixedWidth(36);
    }
    void stepBy(int steps) override { moved_(steps > 0 ? -1 : 1); }  // up moves up the list

  protected:
    StepEnabled stepEnabled() const override {
        return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
    }

  private:
    std::function<void(int)> moved_;
};

}  // namespace

CAssociationEditor::CAssociationEditor(platform::MessageService& messages,
                                       std::function<std::optional<std::string>()> choose,
                                       QWidget* parent)
    : QWidget(parent), messages_(messages), choose_(std::move(choose)) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QListWidget(this);
    view_->setFixedHeight(view_->fontMetrics().lineSpacing() * 3 + 12);
    order_ = new OrderSpin([this](int direction) { moveSelected(direction); }, this);
    associate_ = new QPushButton(QStringLiteral("Associate ..."), this);
    disconnect_ = new QPushButton(QStringLiteral("Disconnect "), this);
    associate_->setAutoDefault(false);
    disconnect_->setAutoDefault(false);
    layout->addWidget(view_, 0, 0, 2, 1);
    layout->addWidget(order_, 0, 1, 2, 1);
    layout->addWidget(associate_, 0, 2);
    layout->addWidget(disconnect_, 1, 2);
    connect(view_, &QListWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(associate_, &QPushButton::clicked, this, [this] {
        const std::optional<std::string> chosen = choose_ ? choose_() : std::nullopt;
        if (!chosen) {
            return;
        }
        if (!list_.add(*chosen)) {
            messages_.show(AssociationList::kAlreadyAssociated,
                           platform::MessageStyle(platform::MessageIcon::Information));
            return;
        }
        refill(-1);
    });
    connect(disconnect_, &QPushButton::clicked, this, [this] {
        if (const int row = view_->currentRow(); row >= 0) {
            list_.remove(static_cast<std::size_t>(row));
            refill(-1);
        }
    });
    updateButtons();
}

void CAssociationEditor::setEntries(const std::vector<std::string>& entries) {
    list_ = AssociationList(entries);
    refill(-1);
}

void CAssociationEditor::setEditable(bool editable) {
    editable_ = editable;
    view_->setEnabled(editable);
    updateButtons();
}

void CAssociationEditor::moveSelected(int direction) {
    const int row = view_->currentRow();
    if (row < 0 || list_.entries().size() < 2) {
        return;
    }
    refill(static_cast<int>(list_.move(static_cast<std::size_t>(row), direction)));
}

void CAssociationEditor::refill(int selected) {
    view_->clear();
    for (const std::string& entry : list_.entries()) {
        view_->addItem(QString::fromStdString(entry));
    }
    if (selected >= 0) {
        view_->setCurrentRow(selected);
    }
    updateButtons();
}

void CAssociationEditor::updateButtons() {
    const bool selected = !view_->selectedItems().isEmpty();
    associate_->setEnabled(editable_ && static_cast<bool>(choose_));
    disconnect_->setEnabled(editable_ && selected);
    order_->setEnabled(editable_ && selected && list_.entries().size() >= 2);
}

std::optional<std::string> chooseAssociation(QWidget* parent,
                                             const std::vector<ChooserGroup>& groups,
                                             const std::string& rootTitle,
                                             const std::string& ownPath) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("194"));
    dialog.setWindowTitle(QStringLiteral("Datamark Association"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* tree = new QTreeWidget(&dialog);
    tree->setHeaderHidden(true);
    tree->setMinimumSize(360, 260);
    layout->addWidget(tree);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const ChooserGroup& group = groups[g];
        auto* top =
            new QTreeWidgetItem(tree, {QString::fromStdString(g == 0 ? rootTitle : group.path)});
        top->setData(0, Qt::UserRole, QString::fromStdString(group.path));
        for (const CBmitemObj& datamark : group.datamarks) {
            auto* item = new QTreeWidgetItem(top, {QString::fromStdString(datamark.name)});
            item->setIcon(0, levelIcon(datamark.level));
        }
        top->setExpanded(g == 0);
    }
    const auto onDatamark = [tree] {
        const QTreeWidgetItem* item = tree->currentItem();
        return item != nullptr && item->parent() != nullptr && item->isSelected();
    };
    ok->setEnabled(false);
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, &dialog,
                     [ok, onDatamark] { ok->setEnabled(onDatamark()); });
    QObject::connect(tree, &QTreeWidget::itemDoubleClicked, &dialog,
                     [&dialog](QTreeWidgetItem* item) {
                         if (item->parent() != nullptr) {
                             dialog.accept();
                         }
                     });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted || !onDatamark()) {
        return std::nullopt;
    }
    const QTreeWidgetItem* item = tree->currentItem();
    return associationFor(item->parent()->data(0, Qt::UserRole).toString().toStdString(),
                          item->text(0).toStdString(), ownPath);
}
