#include "marks/ui/CDatamarkPropertiesDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "marks/DatamarkDefinition.h"
#include "marks/ui/CAssociationEditor.h"
#include "platform/MessageService.h"

namespace {

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CDatamarkPropertiesDialog::CDatamarkPropertiesDialog(DatamarkProperties& properties, int levelCount,
                                                     Hooks hooks,
                                                     platform::MessageService& messages,
                                                     QWidget* parent)
    : QDialog(parent), properties_(properties), hooks_(std::move(hooks)), messages_(messages) {
    setObjectName(QStringLiteral("197"));
    setWindowTitle(QStringLiteral("Datamark Properties"));
    const CBmitemObj& datamark = properties.original();
    auto* layout = new QVBoxLayout(this);
    normal_ = new QCheckBox(QStringLiteral("Normal Datamark"), this);
    normal_->setChecked(properties.normal);
    normal_->setEnabled(properties.normalEditable());
    layout->addWidget(normal_);

    // The advanced find as it was defined, shown only.
    auto* advanced = new QGroupBox(QStringLiteral("Advanced Find"), this);
    auto* grid = new QGridLayout(advanced);
    const auto shown = [&](const std::string& text, int row, std::string_view caption) {
        auto* box = new QLineEdit(qtext(text), advanced);
        box->setEnabled(false);
        grid->addWidget(box, row, 0);
        if (!caption.empty()) {
            auto* button = new QPushButton(qtext(caption), advanced);
            button->setEnabled(false);
            grid->addWidget(button, row, 1);
        }
    };
    shown(datamark.findString, 0, {});
    shown(datamark.findResultString, 1, markop::text(datamark.arithmeticOperator));
    shown(datamark.operateString, 2, {});
    shown(datamark.operateResultString, 3, markop::text(datamark.compareOperator));
    shown(datamark.compareString, 4, {});
    layout->addWidget(advanced);

    auto* form = new QGridLayout();
    name_ = new QLineEdit(qtext(properties.name), this);
    name_->setMaxLength(static_cast<int>(kMaxDatamarkName));
    comment_ = new QPlainTextEdit(qtext(properties.comment), this);
    comment_->setFixedHeight(comment_->fontMetrics().lineSpacing() * 3 + 12);
    associations_ = new CAssociationEditor(messages, hooks_.choose, this);
    associations_->setEntries(properties.associations);
    level_ = new QSpinBox(this);
    level_->setObjectName(QStringLiteral("Spin1"));
    // A level above the table's stays as it is unless the spin is moved.
    level_->setRange(1, std::max(levelCount, properties.level));
    level_->setValue(properties.level);
    form->addWidget(new QLabel(QStringLiteral("Name: "), this), 0, 0);
    form->addWidget(name_, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Comment: "), this), 1, 0);
    form->addWidget(comment_, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("Association: "), this), 2, 0);
    form->addWidget(associations_, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("Level: "), this), 3, 0);
    form->addWidget(level_, 3, 1, Qt::AlignLeft);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout();
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    if (hooks_.validate) {
        auto* again = new QPushButton(QStringLiteral(">"), this);
        again->setObjectName(QStringLiteral(">"));
        validity_ = new QLabel(this);
        buttons->addWidget(again);
        buttons->addWidget(validity_);
        connect(again, &QPushButton::clicked, this, [this] { runValidity(); });
    }
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok_, &QPushButton::clicked, this, [this] { tryAccept(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    runValidity();
}

void CDatamarkPropertiesDialog::runValidity() {
    if (!hooks_.validate) {
        return;
    }
    const bool valid = hooks_.validate();
    validity_->setText(
        qtext(messages_.strings().text(valid ? marktext::kValid : marktext::kInvalid)));
    ok_->setEnabled(valid);
}

void CDatamarkPropertiesDialog::tryAccept() {
    properties_.normal = normal_->isChecked();
    properties_.name = name_->text().toStdString();
    properties_.comment = comment_->toPlainText().toStdString();
    properties_.level = level_->value();
    properties_.associations = associations_->entries();
    const int refused = hooks_.check ? hooks_.check(properties_) : 0;
    if (refused != 0) {
        messages_.show(refused, platform::MessageStyle(platform::MessageIcon::Information));
        return;
    }
    accept();
}
