#include "app/CPageSetupDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/MessageService.h"

namespace {

struct Code {
    const char* text;
    const char* code;
    bool separatorAfter;
};
constexpr Code kCodes[] = {
    {"Filename", "&F", false},    {"Page Number", "&P", true}, {"Current Time", "&T", false},
    {"Current Date", "&D", true}, {"Left Align", "&L", false}, {"Center", "&C", false},
    {"Right Align", "&R", false},
};

QString marginShown(double centimetres) {
    return QString::fromStdString(marginText(centimetres));
}

QLineEdit* templateEdit(const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(static_cast<int>(PageSetup::kMaxTemplate));
    edit->setText(QString::fromStdString(text.substr(0, PageSetup::kMaxTemplate)));
    return edit;
}

}  // namespace

CPageSetupDialog::CPageSetupDialog(PageSetup setup, platform::MessageService& messages,
                                   std::function<std::optional<int>(const PageSetup&)> detect,
                                   QWidget* parent)
    : QDialog(parent),
      setup_(std::move(setup)),
      messages_(messages),
      detect_(std::move(detect)),
      header_(templateEdit(setup_.header, this)),
      footer_(templateEdit(setup_.footer, this)),
      headerCodes_(new QPushButton(QStringLiteral(">"), this)),
      footerCodes_(new QPushButton(QStringLiteral(">"), this)),
      noSeparator_(new QCheckBox(QStringLiteral("Disable Footer Break Line"), this)),
      autoDetect_(new QPushButton(QStringLiteral("Auto Detect"), this)),
      lines_(new QLineEdit(QString::number(setup_.linesPerPage), this)) {
    setObjectName(QStringLiteral("222"));
    setWindowTitle(QStringLiteral("Page Setup"));
    noSeparator_->setChecked(setup_.noFooterSeparator);
    const double values[] = {setup_.marginLeft, setup_.marginRight, setup_.marginTop,
                             setup_.marginBottom};
    for (std::size_t i = 0; i < margins_.size(); ++i) {
        margins_[i] = new QLineEdit(marginShown(values[i]), this);
    }
    for (QPushButton* button : {headerCodes_, footerCodes_}) {
        button->setFixedWidth(28);
        button->setAutoDefault(false);
        QLineEdit* target = button == headerCodes_ ? header_ : footer_;
        connect(button, &QPushButton::clicked, this, [this, button, target] {
            const auto menu = codeMenu(target);
            menu->exec(button->mapToGlobal(QPoint(button->width(), 0)));
        });
    }
    autoDetect_->setAutoDefault(false);
    connect(autoDetect_, &QPushButton::clicked, this, [this] { detectLines(); });

    auto* templates = new QGridLayout;
    templates->addWidget(new QLabel(QStringLiteral("Header: "), this), 0, 0);
    templates->addWidget(header_, 0, 1);
    templates->addWidget(headerCodes_, 0, 2);
    templates->addWidget(new QLabel(QStringLiteral("Footer: "), this), 1, 0);
    templates->addWidget(footer_, 1, 1);
    templates->addWidget(footerCodes_, 1, 2);
    templates->addWidget(noSeparator_, 2, 1);
    auto* margin = new QGroupBox(QStringLiteral("Margin"), this);
    auto* marginLayout = new QFormLayout(margin);
    const char* labels[] = {"Left: ", "Right: ", "Top: ", "Bottom: "};
    for (std::size_t i = 0; i < margins_.size(); ++i) {
        marginLayout->addRow(QString::fromLatin1(labels[i]), margins_[i]);
    }
    auto* height = new QGroupBox(QStringLiteral("Page Height"), this);
    auto* heightLayout = new QHBoxLayout(height);
    heightLayout->addWidget(autoDetect_);
    heightLayout->addWidget(lines_);
    auto* groups = new QHBoxLayout;
    groups->addWidget(margin);
    groups->addWidget(height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPageSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(templates);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    // The context-help topics of the controls.
    const std::pair<QWidget*, int> topics[] = {
        {buttons->button(QDialogButtonBox::Ok), 1000}, {buttons->button(QDialogButtonBox::Cancel), 1001},
        {header_, 1160}, {footer_, 1161}, {headerCodes_, 1162}, {footerCodes_, 1163},
        {margins_[0], 1164}, {margins_[1], 1165}, {margins_[2], 1166}, {margins_[3], 1167},
        {autoDetect_, 1168}, {lines_, 1169}, {noSeparator_, 1170}};
    for (const auto& [control, topic] : topics) {
        control->setProperty("helpTopic", topic);
    }
    setProperty("helpPage", QStringLiteral("Tps_print.htm"));

    // A stored page height that was too small is detected once now.
    if (setup_.autoDetectPending) {
        setup_.autoDetectPending = false;
        detectLines();
    }
}

std::unique_ptr<QMenu> CPageSetupDialog::codeMenu(QLineEdit* target) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("234"));
    for (const Code& code : kCodes) {
        const QString inserted = QString::fromLatin1(code.code);
        connect(menu->addAction(QString::fromLatin1(code.text)), &QAction::triggered, target,
                [target, inserted] { target->insert(inserted); });
        if (code.separatorAfter) {
            menu->addSeparator();
        }
    }
    return menu;
}

void CPageSetupDialog::detectLines() {
    if (!detect_) {
        return;
    }
    if (const auto lines = detect_(collect())) {
        lines_->setText(QString::number(*lines));
    }
}

PageSetup CPageSetupDialog::collect() const {
    PageSetup setup = setup_;
    setup.header = header_->text().toStdString();
    setup.footer = footer_->text().toStdString();
    setup.noFooterSeparator = noSeparator_->isChecked();
    double* values[] = {&setup.marginLeft, &setup.marginRight, &setup.marginTop,
                        &setup.marginBottom};
    for (std::size_t i = 0; i < margins_.size(); ++i) {
        if (const auto margin = parseMargin(margins_[i]->text().trimmed().toStdString())) {
            *values[i] = *margin;
        }
    }
    bool ok = false;
    const int lines = lines_->text().trimmed().toInt(&ok);
    if (ok) {
        setup.linesPerPage = lines;
    }
    return setup;
}

void CPageSetupDialog::accept() {
    std::array<std::string, 4> margins;
    for (std::size_t i = 0; i < margins_.size(); ++i) {
        margins[i] = margins_[i]->text().trimmed().toStdString();
    }
    if (const auto problem =
            checkPageSetupFields(margins, lines_->text().trimmed().toStdString())) {
        messages_.showText(problem->message, {platform::MessageIcon::Exclamation});
        QLineEdit* field =
            problem->field < 4 ? margins_[static_cast<std::size_t>(problem->field)] : lines_;
        field->setFocus();
        field->selectAll();
        return;
    }
    setup_ = collect();
    QDialog::accept();
}
