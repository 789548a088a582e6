#include "display/ui/EditDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "display/CHexPanel.h"
#include "display/EditCommandIds.h"
#include "display/EditCommands.h"
#include "display/ui/PositionDialogs.h"
#include "platform/MessageService.h"
#include "platform/qt/DialogWidth.h"
#include "settings/CSettings.h"

namespace {

constexpr NumberBase kBases[] = {NumberBase::Hexadecimal, NumberBase::Decimal, NumberBase::Octal};

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

ModifyDataForm::Defaults storedDefaults(const CSettings& settings) {
    ModifyDataForm::Defaults defaults;
    defaults.length = static_cast<std::uint32_t>(settings.get(settings::edit::InitLength));
    defaults.initialByte = static_cast<std::uint8_t>(settings.get(settings::edit::InitData));
    defaults.random = settings.get(settings::edit::UseRand) != 0;
    defaults.insert = settings.get(settings::edit::IsInsert) != 0;
    defaults.operation = static_cast<ModifyOperation>(settings.get(settings::edit::WriteType));
    return defaults;
}

}  // namespace

// ------------------------------------------------------------ Modify Data

CModifyDataDialog::CModifyDataDialog(const ModifyDataForm::Bounds& bounds, std::uint64_t dataStart,
                                     CSettings& settings, platform::MessageService& messages,
                                     QWidget* parent)
    : QDialog(parent),
      form_(bounds, storedDefaults(settings)),
      dataStart_(dataStart),
      settings_(settings),
      messages_(messages),
      address_(new QComboBox(this)),
      length_(new QLineEdit(this)),
      byte_(new QLineEdit(this)),
      random_(new QCheckBox(QStringLiteral("Use Random Number"), this)),
      overwrite_(new QRadioButton(QStringLiteral("Overwrite"), this)),
      insert_(new QRadioButton(QStringLiteral("Insert"), this)),
      operations_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Modify Data"));
    address_->setEditable(true);
    address_->setInsertPolicy(QComboBox::NoInsert);
    address_->addItems({QStringLiteral("Beginning of The File"), QStringLiteral("End of The File"),
                        QStringLiteral("Current Edit Point")});
    operations_->addItems(
        {QStringLiteral("Copy bytes to source"), QStringLiteral("Add bytes to source"),
         QStringLiteral("And bytes with source data"), QStringLiteral("Or bytes with source data"),
         QStringLiteral("Xor bytes with source data"), QStringLiteral("Not source data")});
    operations_->setCurrentIndex(static_cast<int>(form_.operation()));
    random_->setChecked(form_.random());
    (form_.insert() ? insert_ : overwrite_)->setChecked(true);

    auto* baseBox = new QGroupBox(QStringLiteral("Number System"), this);
    auto* baseRow = new QHBoxLayout(baseBox);
    const char* names[] = {"Hexadecimal", "Decimal", "Octal"};
    for (std::size_t i = 0; i < bases_.size(); ++i) {
        bases_[i] = new QRadioButton(QString::fromLatin1(names[i]), baseBox);
        baseRow->addWidget(bases_[i]);
        connect(bases_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) {
                form_.setBase(kBases[i]);
                showForm();
            }
        });
    }
    bases_[0]->setChecked(true);

    connect(address_->lineEdit(), &QLineEdit::textEdited, this,
            [this] { edited(address_->lineEdit(), &ModifyDataForm::editAddress); });
    connect(address_, &QComboBox::activated, this, [this](int index) {
        form_.choosePreset(index);
        showForm();
    });
    connect(length_, &QLineEdit::textEdited, this,
            [this] { edited(length_, &ModifyDataForm::editLength); });
    connect(byte_, &QLineEdit::textEdited, this,
            [this] { edited(byte_, &ModifyDataForm::editByte); });
    connect(random_, &QCheckBox::toggled, this, [this](bool on) {
        form_.setRandom(on);
        updateEnabling();
    });
    connect(insert_, &QRadioButton::toggled, this, [this](bool on) {
        form_.setInsert(on);
        updateEnabling();
    });
    connect(operations_, &QComboBox::currentIndexChanged, this,
            [this](int index) { form_.setOperation(static_cast<ModifyOperation>(index)); });

    auto* fields = new QFormLayout();
    fields->addRow(QStringLiteral("Data Address:"), address_);
    fields->addRow(QStringLiteral("Data Length:"), length_);
    fields->addRow(QStringLiteral("Initial Byte:"), byte_);
    auto* modes = new QHBoxLayout();
    modes->addWidget(overwrite_);
    modes->addWidget(insert_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CModifyDataDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(random_);
    layout->addLayout(modes);
    auto* operationRow = new QFormLayout();
    operationRow->addRow(QStringLiteral("Operation Type:"), operations_);
    layout->addLayout(operationRow);
    layout->addWidget(baseBox);
    layout->addWidget(buttons);
    showForm();
    address_->setCurrentIndex(0);
    address_->setEditText(qtext(form_.addressText()));
    updateEnabling();
    widenToTitle(*this);
}

QLineEdit* CModifyDataDialog::addressEdit() const {
    return address_->lineEdit();
}

QRadioButton* CModifyDataDialog::baseButton(NumberBase base) const {
    for (std::size_t i = 0; i < bases_.size(); ++i) {
        if (kBases[i] == base) {
            return bases_[i];
        }
    }
    return bases_[0];
}

void CModifyDataDialog::edited(QLineEdit* edit, int (ModifyDataForm::*rule)(const std::string&)) {
    const int message = (form_.*rule)(edit->text().toStdString());
    // The other fields may have followed; a refused text goes back.
    showForm();
    if (message != 0) {
        messages_.show(message, {platform::MessageIcon::Exclamation});
    }
}

void CModifyDataDialog::showForm() {
    const auto put = [](QLineEdit* edit, const std::string& text) {
        if (edit->text() != qtext(text)) {
            const QSignalBlocker quiet(edit);
            edit->setText(qtext(text));
        }
    };
    put(address_->lineEdit(), form_.addressText());
    put(length_, form_.lengthText());
    put(byte_, form_.byteText());
}

void CModifyDataDialog::updateEnabling() {
    byte_->setEnabled(!random_->isChecked());
    operations_->setEnabled(!insert_->isChecked());
}

void CModifyDataDialog::accept() {
    const int message = form_.accept(dataStart_, request_);
    if (message != 0) {
        messages_.show(message, {platform::MessageIcon::Exclamation});
        return;  // the dialog stays open
    }
    settings_.write(settings::edit::InitLength, static_cast<std::int32_t>(request_.length));
    settings_.write(settings::edit::InitData, request_.initialByte);
    settings_.write(settings::edit::UseRand, request_.random ? 1 : 0);
    settings_.write(settings::edit::IsInsert, request_.insert ? 1 : 0);
    settings_.write(settings::edit::WriteType, static_cast<int>(request_.operation));
    QDialog::accept();
}

// ------------------------------------------------------------ Swap Data

CSwapDataDialog::CSwapDataDialog(bool hasSelection, QWidget* parent)
    : QDialog(parent),
      all_(new QRadioButton(QStringLiteral("All Data"), this)),
      selection_(new QRadioButton(QStringLiteral("Selection"), this)),
      align_(new QCheckBox(QStringLiteral("Align Line"), this)) {
    setWindowTitle(QStringLiteral("Swap Data"));
    all_->setChecked(true);
    selection_->setEnabled(hasSelection);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(all_);
    layout->addWidget(selection_);
    layout->addWidget(align_);
    layout->addWidget(buttons);
    widenToTitle(*this);
}

bool CSwapDataDialog::wholeData() const {
    return !selection_->isChecked();
}
bool CSwapDataDialog::alignLine() const {
    return align_->isChecked();
}

// ------------------------------------------------------------ runners

void runPasteToSpecifiedPoint(CHexPanel& panel, bool overwrite, platform::MessageService& messages,
                              QWidget* parent) {
    EditCommands commands(panel, messages);
    const auto question = commands.specifiedPointQuestion(overwrite);
    if (!question) {
        return;
    }
    SpecifyPositionDialog dialog(qtext(messages.strings().text(question->captionId)),
                                 question->minimum, question->maximum, question->initial, messages,
                                 parent);
    if (dialog.exec() == QDialog::Accepted) {
        commands.putAtSpecifiedPoint(overwrite, dialog.value());
    }
}

void runSetDataSize(CHexPanel& panel, EditCommands& commands, platform::MessageService& messages,
                    QWidget* parent) {
    if (!commands.isEnabled(cmd::EditSetDataSize)) {
        return;
    }
    SpecifyPositionDialog dialog(qtext(messages.strings().text(edittext::kSetDataSize)), 0,
                                 0xFFFFFFFF, static_cast<std::int64_t>(panel.state().dataSize),
                                 messages, parent);
    if (dialog.exec() == QDialog::Accepted) {
        commands.setDataSize(static_cast<std::uint64_t>(dialog.value()));
    }
}

void runModifyData(CHexPanel& panel, EditCommands& commands, CSettings& settings,
                   platform::MessageService& messages, QWidget* parent) {
    if (!commands.isEnabled(cmd::EditModifyData)) {
        return;
    }
    const std::uint64_t start = panel.state().presentation.dataStartAddress();
    ModifyDataForm::Bounds bounds{start, start + panel.state().dataSize,
                                  start + panel.caretOffset()};
    if (const auto range = panel.getSelection()) {
        if (messages.show(modifytext::kModifySelection,
                          {platform::MessageIcon::Information, platform::MessageButtons::YesNo}) ==
            platform::MessageAnswer::Yes) {
            bounds = {start + range->first, start + range->second, start + range->first};
        }
    }
    CModifyDataDialog dialog(bounds, start, settings, messages, parent);
    if (dialog.exec() == QDialog::Accepted) {
        commands.modifyData(dialog.request());
    }
}

void runSwapData(CHexPanel& panel, QWidget* parent) {
    if (!panel.editor().canSwapData()) {
        return;
    }
    CSwapDataDialog dialog(panel.getSelection().has_value(), parent);
    if (dialog.exec() == QDialog::Accepted) {
        panel.editor().swapData(dialog.wholeData(), dialog.alignLine());
    }
}
