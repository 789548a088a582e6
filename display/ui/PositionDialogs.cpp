#include "display/ui/PositionDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

#include "platform/MessageService.h"
#include "platform/NumberText.h"
#include "platform/qt/DialogWidth.h"

namespace {

constexpr int kFieldLength = 32;
// The order of the radio buttons.
constexpr NumberBase kBases[] = {NumberBase::Hexadecimal, NumberBase::Decimal, NumberBase::Octal};

std::size_t indexOf(NumberBase base) {
    return base == NumberBase::Hexadecimal ? 0 : base == NumberBase::Decimal ? 1 : 2;
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

std::optional<std::int64_t> read(const QLineEdit* edit, NumberBase base) {
    return parseNumber(edit->text().toStdString(), base);
}

QLineEdit* makeEdit(QWidget* parent, const QString& value) {
    auto* edit = new QLineEdit(value, parent);
    edit->setMaxLength(kFieldLength);
    return edit;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// The dialog's messages name the application and stay over an open dialog.
bool refuse(platform::MessageService& messages, const std::string& problem) {
    if (problem.empty()) {
        return false;
    }
    messages.showText(problem, {platform::MessageIcon::Information});
    return true;
}

// Takes only the digits of the number system the buttons have chosen, so a
// field refuses another character as it is typed.
class DigitsValidator : public QValidator {
  public:
    DigitsValidator(const NumberBase& base, QObject* parent) : QValidator(parent), base_(base) {}
    State validate(QString& input, int&) const override {
        return isDigitsOf(input.toStdString(), base_) ? Acceptable : Invalid;
    }

  private:
    const NumberBase& base_;
};

}  // namespace

NumberBaseButtons::NumberBaseButtons(QWidget* parent, std::vector<QLineEdit*> edits)
    : box_(new QWidget(parent)), edits_(std::move(edits)) {
    auto* row = new QHBoxLayout(box_);
    row->setContentsMargins(0, 0, 0, 0);
    const char* names[] = {"Hexadecimal", "Decimal", "Octal"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(names[i]), box_);
        buttons_[static_cast<std::size_t>(i)] = button;
        row->addWidget(button);
        QObject::connect(button, &QRadioButton::toggled, box_, [this, i](bool on) {
            if (on) {
                choose(kBases[i]);
            }
        });
    }
    buttons_[0]->setChecked(true);
    for (QLineEdit* edit : edits_) {
        edit->setValidator(new DigitsValidator(base_, edit));
    }
}

void NumberBaseButtons::choose(NumberBase base) {
    if (base == base_) {
        return;
    }
    const NumberBase old = base_;
    base_ = base;
    for (QLineEdit* edit : edits_) {
        edit->setText(text(rebaseNumber(edit->text().toStdString(), old, base)));
    }
    buttons_[indexOf(base)]->setChecked(true);
}

QRadioButton* NumberBaseButtons::button(NumberBase base) const {
    return buttons_[indexOf(base)];
}

// ------------------------------------------------------------ Set Range

SetRangeDialog::SetRangeDialog(std::int64_t start, std::int64_t end, const Presets& presets,
                               std::int64_t dataStart, std::uint64_t dataSize,
                               platform::MessageService& messages, QWidget* parent)
    : QDialog(parent),
      presets_(presets),
      dataStart_(dataStart),
      dataSize_(dataSize),
      messages_(messages),
      startField_(makeField(start)),
      endField_(makeField(end)) {
    setWindowTitle(QStringLiteral("Set Range"));
    bases_ = std::make_unique<NumberBaseButtons>(this, std::vector{startEdit(), endEdit()});
    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("Start Position: "), startField_);
    form->addRow(QStringLiteral("End Position: "), endField_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(bases_->widget());
    layout->addWidget(okCancel(this));
    widenToTitle(*this);
}

QComboBox* SetRangeDialog::makeField(std::int64_t value) {
    auto* field = new QComboBox(this);
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->lineEdit()->setMaxLength(kFieldLength);
    field->addItems({QStringLiteral("Beginning of The File"), QStringLiteral("End of The File"),
                     QStringLiteral("Current Edit Point")});
    field->setEditText(text(formatNumber(value, NumberBase::Hexadecimal)));
    // A chosen preset writes its value in the current base.
    connect(field, &QComboBox::activated, this, [this, field](int index) {
        const std::int64_t values[] = {presets_.beginning, presets_.end, presets_.current};
        if (index >= 0 && index < 3) {
            field->setEditText(text(formatNumber(values[index], bases_->base())));
        }
    });
    return field;
}

QLineEdit* SetRangeDialog::startEdit() const {
    return startField_->lineEdit();
}

QLineEdit* SetRangeDialog::endEdit() const {
    return endField_->lineEdit();
}

void SetRangeDialog::accept() {
    const auto start = read(startEdit(), bases_->base());
    const auto end = read(endEdit(), bases_->base());
    if (refuse(messages_, checkRange(start, end, dataStart_, dataSize_))) {
        return;
    }
    start_ = std::min(*start, *end);
    end_ = std::max(*start, *end);
    QDialog::accept();
}

// ------------------------------------------------------------ Set Column Block

SetColumnBlockDialog::SetColumnBlockDialog(const Block& initial, std::uint64_t lines,
                                           int unitsPerLine, platform::MessageService& messages,
                                           QWidget* parent)
    : QDialog(parent),
      lines_(lines),
      unitsPerLine_(unitsPerLine),
      messages_(messages),
      block_(initial) {
    setWindowTitle(QStringLiteral("Set Column Block"));
    const std::int64_t values[] = {initial.firstRow, initial.lastRow, initial.firstColumn,
                                   initial.lastColumn};
    const char* labels[] = {"First Row", "Last Row", "First Col.", "Last Col."};
    auto* form = new QFormLayout();
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i] = makeEdit(this, QString::number(values[i]));
        form->addRow(QString::fromLatin1(labels[i]), edits_[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    widenToTitle(*this);
}

void SetColumnBlockDialog::accept() {
    BlockInput input;
    input.firstRow = read(edits_[0], NumberBase::Decimal);
    input.lastRow = read(edits_[1], NumberBase::Decimal);
    input.firstColumn = read(edits_[2], NumberBase::Decimal);
    input.lastColumn = read(edits_[3], NumberBase::Decimal);
    if (refuse(messages_, checkColumnBlock(input, lines_, unitsPerLine_))) {
        return;
    }
    block_ = {*input.firstRow, *input.lastRow, *input.firstColumn, *input.lastColumn};
    QDialog::accept();
}

// ------------------------------------------------------------ Specify Position

SpecifyPositionDialog::SpecifyPositionDialog(const QString& caption, std::int64_t minimum,
                                             std::int64_t maximum, std::int64_t initial,
                                             platform::MessageService& messages, QWidget* parent)
    : QDialog(parent),
      minimum_(minimum),
      maximum_(maximum),
      messages_(messages),
      edit_(makeEdit(this, text(formatNumber(initial, NumberBase::Hexadecimal)))),
      bases_(std::make_unique<NumberBaseButtons>(this, std::vector{edit_})),
      value_(initial) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(bases_->widget());
    layout->addWidget(okCancel(this));
    widenToTitle(*this);
}

void SpecifyPositionDialog::accept() {
    const auto value = read(edit_, bases_->base());
    if (refuse(messages_, checkSpecifiedPosition(value, minimum_, maximum_))) {
        return;
    }
    value_ = *value;
    QDialog::accept();
}
