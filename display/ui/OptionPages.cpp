#include "display/ui/OptionPages.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "display/ui/QtGraphics.h"
#include "platform/MessageService.h"
#include "platform/qt/DialogWidth.h"
#include "settings/CSettings.h"

namespace {

QLineEdit* numberEdit(int value, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setMaxLength(4);
    return edit;
}

// A whole number of the edit, or a value no range accepts.
int numberOf(const QLineEdit* edit) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    return ok ? value : -1;
}

QIcon swatch(ColorRef color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(toQColor(color));
    return QIcon(pixmap);
}

}  // namespace

// ---------------------------------------------------------------- presentation

PresentationPage::PresentationPage(CSettings& settings, platform::MessageService& messages,
                                   QWidget* parent)
    : QWidget(parent), settings_(settings), messages_(messages) {
    setWindowTitle(QStringLiteral("Presentation"));
    const PresentationOptions page = PresentationOptions::load(settings);
    lineWidth_ = numberEdit(page.lineWidth, this);
    indent_ = numberEdit(page.indent, this);
    unit_ = numberEdit(page.unit, this);
    minWidth_ = numberEdit(page.minWidth, this);
    maxWidth_ = numberEdit(page.maxWidth, this);
    escape_ = new QLineEdit(QString::fromLatin1(page.escape.c_str()), this);
    escape_->setMaxLength(1);
    hex_ = new QRadioButton(QStringLiteral("Hexadecimal"), this);
    decimal_ = new QRadioButton(QStringLiteral("Decimal"), this);
    (page.hexAddresses ? hex_ : decimal_)->setChecked(true);
    // The views store these themselves when they close.
    for (QLineEdit* shownOnly : {lineWidth_, indent_, unit_}) {
        shownOnly->setEnabled(false);
    }

    auto* hexdata = new QGroupBox(QStringLiteral("Hexdata Panel"), this);
    auto* hexdataLayout = new QFormLayout(hexdata);
    hexdataLayout->addRow(QStringLiteral("Default Line Width: "), lineWidth_);
    hexdataLayout->addRow(QStringLiteral("First Line Indent: "), indent_);
    hexdataLayout->addRow(QStringLiteral("Current Data Unit: "), unit_);
    auto* limits = new QGroupBox(QStringLiteral("Line Width"), this);
    auto* limitsLayout = new QFormLayout(limits);
    limitsLayout->addRow(QStringLiteral("Min. Line Width: "), minWidth_);
    limitsLayout->addRow(QStringLiteral("Max. Line Width: "), maxWidth_);
    limitsLayout->addRow(QStringLiteral("Escape Character: "), escape_);
    auto* address = new QGroupBox(QStringLiteral("Address"), this);
    auto* addressLayout = new QHBoxLayout(address);
    addressLayout->addWidget(hex_);
    addressLayout->addWidget(decimal_);
    auto* layout = new QGridLayout(this);
    layout->addWidget(hexdata, 0, 0, 2, 1);
    layout->addWidget(limits, 0, 1);
    layout->addWidget(address, 1, 1);
    widenToTitle(*this);
}

bool PresentationPage::validate() {
    PresentationOptions page = PresentationOptions::load(settings_);
    page.minWidth = numberOf(minWidth_);
    page.maxWidth = numberOf(maxWidth_);
    if (const auto problem = page.validate()) {
        messages_.showText(*problem, {platform::MessageIcon::Exclamation});
        return false;
    }
    return true;
}

bool PresentationPage::apply() {
    if (!validate()) {
        return false;
    }
    PresentationOptions page = PresentationOptions::load(settings_);
    page.minWidth = numberOf(minWidth_);
    page.maxWidth = numberOf(maxWidth_);
    page.escape = escape_->text().toLatin1().toStdString();
    page.hexAddresses = hex_->isChecked();
    page.apply(settings_);
    minWidth_->setText(QString::number(page.minWidth));
    maxWidth_->setText(QString::number(page.maxWidth));
    return true;
}

// ------------------------------------------------------------------ appearance

AppearancePage::AppearancePage(CSettings& settings, QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      options_(AppearanceOptions::load(settings)),
      displayFont_(new QComboBox(this)),
      printFont_(new QComboBox(this)),
      backgrounds_(new QListWidget(this)),
      foregrounds_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Appearance"));
    QStringList faces;
    for (const QString& family : QFontDatabase::families()) {
        if (!family.startsWith('@') && QFontDatabase::isFixedPitch(family)) {
            faces << family;
        }
    }
    displayFont_->addItems(faces);
    printFont_->addItems(faces);
    displayFont_->setCurrentText(QString::fromStdString(options_.displayFace));
    printFont_->setCurrentText(QString::fromStdString(options_.printFace));
    for (const auto& entry : AppearanceOptions::kBackgrounds) {
        backgrounds_->addItem(QString::fromLatin1(entry.label));
    }
    for (const auto& entry : AppearanceOptions::kForegrounds) {
        foregrounds_->addItem(QString::fromLatin1(entry.label));
    }
    backgrounds_->setCurrentRow(0);
    foregrounds_->setCurrentRow(0);
    showColors();

    auto* chooseBackground = new QPushButton(QStringLiteral("Choose Color"), this);
    auto* chooseForeground = new QPushButton(QStringLiteral("Choose Color"), this);
    auto* defaults = new QPushButton(QStringLiteral("Set As Defaults"), this);
    connect(chooseBackground, &QPushButton::clicked, this, [this] { chooseColor(true); });
    connect(chooseForeground, &QPushButton::clicked, this, [this] { chooseColor(false); });
    connect(defaults, &QPushButton::clicked, this, [this] { setDefaults(); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Display Font: "), this), 0, 0);
    layout->addWidget(displayFont_, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Printing Font: "), this), 1, 0);
    layout->addWidget(printFont_, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Background Colors:"), this), 2, 0);
    layout->addWidget(new QLabel(QStringLiteral("Foreground Colors: "), this), 2, 1);
    layout->addWidget(backgrounds_, 3, 0);
    layout->addWidget(foregrounds_, 3, 1);
    layout->addWidget(chooseBackground, 4, 0);
    layout->addWidget(chooseForeground, 4, 1);
    layout->addWidget(defaults, 5, 1);
    widenToTitle(*this);
}

void AppearancePage::showColors() {
    for (int i = 0; i < backgrounds_->count(); ++i) {
        backgrounds_->item(i)->setIcon(swatch(options_.backgrounds[static_cast<std::size_t>(i)]));
        foregrounds_->item(i)->setIcon(swatch(options_.foregrounds[static_cast<std::size_t>(i)]));
    }
}

void AppearancePage::setSelectedColor(bool background, ColorRef color) {
    QListWidget* list = background ? backgrounds_ : foregrounds_;
    const int row = list->currentRow();
    if (row < 0) {
        return;
    }
    (background ? options_.backgrounds : options_.foregrounds)[static_cast<std::size_t>(row)] =
        color;
    showColors();
}

void AppearancePage::chooseColor(bool background) {
    const int row = (background ? backgrounds_ : foregrounds_)->currentRow();
    if (row < 0) {
        return;
    }
    const ColorRef current =
        (background ? options_.backgrounds : options_.foregrounds)[static_cast<std::size_t>(row)];
    const QColor chosen = QColorDialog::getColor(toQColor(current), this);
    if (chosen.isValid()) {
        setSelectedColor(background, static_cast<ColorRef>(chosen.red()) |
                                         (static_cast<ColorRef>(chosen.green()) << 8) |
                                         (static_cast<ColorRef>(chosen.blue()) << 16));
    }
}

void AppearancePage::setDefaults() {
    options_.setDefaults();
    displayFont_->setCurrentText(QStringLiteral("Courier New"));
    printFont_->setCurrentText(QStringLiteral("Courier New"));
    showColors();
}

std::vector<std::string> AppearancePage::listedFaces() const {
    std::vector<std::string> faces;
    for (int i = 0; i < displayFont_->count(); ++i) {
        faces.push_back(displayFont_->itemText(i).toStdString());
    }
    return faces;
}

void AppearancePage::apply() {
    options_.displayFace = displayFont_->currentText().toStdString();
    options_.printFace = printFont_->currentText().toStdString();
    options_.apply(settings_, listedFaces());
}

// -------------------------------------------------------------- set data unit

SetDataUnitDialog::SetDataUnitDialog(int lineWidth, int unit, platform::MessageService& messages,
                                     QWidget* parent)
    : QDialog(parent),
      lineWidth_(lineWidth),
      newUnit_(unit),
      messages_(messages),
      edit_(new QLineEdit(QString::number(unit), this)) {
    setWindowTitle(QStringLiteral("Set Data Unit"));
    auto* form = new QFormLayout();
    form->addRow(QStringLiteral("Current Line Length: "),
                 new QLabel(QStringLiteral("%1 bytes per line").arg(lineWidth), this));
    form->addRow(QStringLiteral("Current Data Unit: "),
                 new QLabel(QStringLiteral("%1 bytes per unit").arg(unit), this));
    form->addRow(QStringLiteral("New Data Unit: "), edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetDataUnitDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    widenToTitle(*this);
}

void SetDataUnitDialog::accept() {
    const int unit = numberOf(edit_);
    if (const auto problem = checkDataUnit(unit, lineWidth_)) {
        // The dialog stays open.
        messages_.showText(*problem, {platform::MessageIcon::Information});
        return;
    }
    newUnit_ = unit;
    QDialog::accept();
}
