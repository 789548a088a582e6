#include "app/CTipDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <ctime>

#include "app/TipStrings.h"
#include "platform/StringTable.h"
#include "platform/qt/DialogWidth.h"
#include "settings/CSettings.h"

CTipDialog::CTipDialog(CSettings& settings, const platform::StringTable& strings,
                       TipSelector& selector, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      strings_(strings),
      selector_(selector),
      // The random start is seeded with the time the dialog opens.
      seed_(static_cast<unsigned>(std::time(nullptr))),
      tip_(new QLabel(this)),
      startup_(new QCheckBox(QStringLiteral("Show tips at startup"), this)) {
    setWindowTitle(QStringLiteral("Tip of the Day"));
    auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
    QFont font = heading->font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    heading->setFont(font);
    tip_->setWordWrap(true);
    tip_->setMinimumSize(360, 90);
    startup_->setChecked(settings.get(settings::frame::ShowTips) != 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* next =
        buttons->addButton(QStringLiteral("&Next Tip"), QDialogButtonBox::ActionRole);
    connect(next, &QPushButton::clicked, this, [this] { showNextTip(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(tip_);
    layout->addWidget(startup_);
    layout->addWidget(buttons);
    showNextTip();
    widenToTitle(*this);
}

void CTipDialog::showNextTip() {
    const auto start = static_cast<std::size_t>(rand_r(&seed_)) % selector_.count();
    const std::size_t index = selector_.next(start);
    tip_->setText(QString::fromStdString(strings_.text(kFirstTipId + static_cast<int>(index))));
}

void CTipDialog::done(int result) {
    settings_.write(settings::frame::ShowTips, startup_->isChecked() ? 1 : 0);
    QDialog::done(result);
}
