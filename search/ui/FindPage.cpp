#include "search/ui/FindPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/MessageService.h"

namespace {

// A whole number of the edit, or a value no range accepts.
long long numberOf(const QLineEdit* edit) {
    bool ok = false;
    const long long value = edit->text().trimmed().toLongLong(&ok);
    return ok ? value : -1;
}

}  // namespace

FindPage::FindPage(CSettings& settings, platform::MessageService& messages, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      messages_(messages),
      recycling_(new QCheckBox(QStringLiteral("Enable Recycling"), this)),
      async_(new QCheckBox(QStringLiteral("Enable Asynchro. Search"), this)),
      maxFindBytes_(new QLineEdit(this)),
      threshold_(new QLineEdit(this)),
      allowWildcard_(new QCheckBox(QStringLiteral("Allow Wildcard"), this)),
      wildcard_(new QLineEdit(this)),
      closeAfterFind_(new QCheckBox(QStringLiteral("After String found"), this)),
      closeAfterReplace_(new QCheckBox(QStringLiteral("After String Replaced"), this)),
      closeAfterReplaceAll_(new QCheckBox(QStringLiteral("After All Strings Replaced"), this)) {
    setWindowTitle(QStringLiteral("Find"));
    const FindPageOptions page = FindPageOptions::load(settings);
    recycling_->setChecked(page.findContinue);
    async_->setChecked(page.asyncFind);
    maxFindBytes_->setText(QString::number(page.maxFindBytes));
    threshold_->setText(QString::number(page.asyncThreshold));
    allowWildcard_->setChecked(page.allowWildcard);
    wildcard_->setText(QString::fromStdString(page.wildcard));
    closeAfterFind_->setChecked(page.closeAfterFind);
    closeAfterReplace_->setChecked(page.closeAfterReplace);
    closeAfterReplaceAll_->setChecked(page.closeAfterReplaceAll);
    for (QLineEdit* number : {maxFindBytes_, threshold_}) {
        number->setMaxLength(4);
        number->setValidator(new QIntValidator(0, 9999, number));
    }
    wildcard_->setMaxLength(2);

    auto* search = new QGroupBox(QStringLiteral("Search"), this);
    auto* searchLayout = new QFormLayout(search);
    searchLayout->addRow(recycling_);
    searchLayout->addRow(async_);
    searchLayout->addRow(QStringLiteral("Max. Search Byte Length(Byte): "), maxFindBytes_);
    searchLayout->addRow(QStringLiteral("Asynchro. Search Threshold(MB): "), threshold_);
    auto* hex = new QGroupBox(QStringLiteral("Hex Search"), this);
    auto* hexLayout = new QFormLayout(hex);
    hexLayout->addRow(allowWildcard_);
    hexLayout->addRow(QStringLiteral("Hex Digit Wildcard: "), wildcard_);
    auto* close = new QGroupBox(QStringLiteral("Close Dialog"), this);
    auto* closeLayout = new QVBoxLayout(close);
    for (QCheckBox* box : {closeAfterFind_, closeAfterReplace_, closeAfterReplaceAll_}) {
        closeLayout->addWidget(box);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search);
    layout->addWidget(hex);
    layout->addWidget(close);
    for (QCheckBox* box : {recycling_, async_, allowWildcard_, closeAfterFind_, closeAfterReplace_,
                           closeAfterReplaceAll_}) {
        connect(box, &QCheckBox::toggled, this, [this] { changed_ = true; });
    }
    for (QLineEdit* edit : {maxFindBytes_, threshold_, wildcard_}) {
        connect(edit, &QLineEdit::textEdited, this, [this] { changed_ = true; });
    }
}

bool FindPage::apply() {
    if (!changed_) {
        return true;
    }
    FindPageOptions page;
    page.findContinue = recycling_->isChecked();
    page.asyncFind = async_->isChecked();
    page.maxFindBytes = numberOf(maxFindBytes_);
    page.asyncThreshold = numberOf(threshold_);
    page.allowWildcard = allowWildcard_->isChecked();
    page.wildcard = wildcard_->text().toStdString();
    page.closeAfterFind = closeAfterFind_->isChecked();
    page.closeAfterReplace = closeAfterReplace_->isChecked();
    page.closeAfterReplaceAll = closeAfterReplaceAll_->isChecked();
    if (const auto problem = page.validate()) {
        messages_.showText(*problem, {platform::MessageIcon::Exclamation});
        return false;
    }
    page.apply(settings_);
    wildcard_->setText(QString(QChar::fromLatin1(page.storedWildcard())));
    changed_ = false;
    return true;
}
