#include "interpret/ui/InterpretationPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename Control>
Control* withTopic(Control* control, int topic) {
    control->setProperty("helpTopic", topic);
    return control;
}

QGroupBox* radioGroup(const QString& title, QRadioButton* first, QRadioButton* second,
                      QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(first);
    layout->addWidget(second);
    layout->addStretch();
    auto* exclusive = new QButtonGroup(group);
    exclusive->addButton(first);
    exclusive->addButton(second);
    return group;
}

}  // namespace

InterpretationPage::InterpretationPage(CSettings& settings, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      little_(withTopic(new QRadioButton(QStringLiteral("Little Endian")), kLittleEndianTopic)),
      big_(withTopic(new QRadioButton(QStringLiteral("Big Endian")), kBigEndianTopic)),
      hexadecimal_(withTopic(new QRadioButton(QStringLiteral("Hexadecimal")), kHexadecimalTopic)),
      decimal_(withTopic(new QRadioButton(QStringLiteral("Decimal")), kDecimalTopic)),
      autoShow_(withTopic(new QCheckBox(QStringLiteral("Auto Show Window")), kAutoShowTopic)),
      lockPosition_(
          withTopic(new QCheckBox(QStringLiteral("Lock Window Position")), kLockPositionTopic)) {
    setWindowTitle(QStringLiteral("Interpretation"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(radioGroup(QStringLiteral("Byte Order: "), little_, big_, this));
    layout->addWidget(radioGroup(QStringLiteral("Number System: "), hexadecimal_, decimal_, this));
    layout->addWidget(autoShow_);
    layout->addWidget(lockPosition_);
    layout->addStretch();
    for (QAbstractButton* control : std::initializer_list<QAbstractButton*>{
             little_, big_, hexadecimal_, decimal_, autoShow_, lockPosition_}) {
        connect(control, &QAbstractButton::toggled, this, [this] {
            if (!loading_) {
                changed_ = true;
            }
        });
    }
    load();
}

void InterpretationPage::load() {
    loading_ = true;
    const auto page = InterpretationPageOptions::from(InterpreterSettings::load(settings_));
    (page.byteOrder == 0 ? little_ : big_)->setChecked(true);
    (page.numberSystem == 0 ? hexadecimal_ : decimal_)->setChecked(true);
    autoShow_->setChecked(page.autoShow);
    lockPosition_->setChecked(page.lockPosition);
    loading_ = false;
    changed_ = false;
}

InterpretationPageOptions InterpretationPage::collect() const {
    InterpretationPageOptions page;
    page.byteOrder = big_->isChecked() ? 1 : 0;
    page.numberSystem = decimal_->isChecked() ? 1 : 0;
    page.autoShow = autoShow_->isChecked();
    page.lockPosition = lockPosition_->isChecked();
    return page;
}

bool InterpretationPage::apply() {
    if (!changed_) {
        return true;
    }
    if (!collect().toSettings().store(settings_)) {
        return false;
    }
    changed_ = false;
    return true;
}
