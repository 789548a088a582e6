#include "marks/ui/CDefineDatamarkDialog.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "calc/ui/CHexEditBox.h"
#include "marks/AdvancedFind.h"
#include "marks/DatamarkLevels.h"
#include "marks/ui/CAssociationEditor.h"
#include "marks/ui/LevelImage.h"

namespace {

struct OperatorEntry {
    int code;
    const char* text;
    bool separatorAfter = false;
};

// Menu 233: "Arithmetic" and "Logic".
constexpr OperatorEntry kArithmetic[] = {
    {markop::Add, "+"},         {markop::Subtract, "-"},     {markop::Multiply, "*"},
    {markop::Divide, "/"},      {markop::Mod, "Mod", true},  {markop::And, "And"},
    {markop::Or, "Or"},         {markop::Xor, "Xor"},        {markop::Not, "Not"},
    {markop::ShiftLeft, "Lsh"}, {markop::ShiftRight, "Rsh"},
};
constexpr OperatorEntry kLogic[] = {
    {markop::Equal, "=="},       {markop::NotEqual, "!="}, {markop::GreaterOrEqual, ">="},
    {markop::LessOrEqual, "<="}, {markop::Greater, ">"},   {markop::Less, "<"},
};

QPushButton* smallButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("MMM")) + 8);
    return button;
}

}  // namespace

CDefineDatamarkDialog::CDefineDatamarkDialog(DefinitionView& view, const DatamarkLevels& levels,
                                             platform::Clipboard& clipboard,
                                             platform::MessageService& messages, bool findContinue,
                                             bool acrossFiles, QWidget* parent)
    : QDialog(parent), definition_(view, messages, findContinue), view_(view), levels_(levels) {
    setObjectName(QStringLiteral("225"));
    setWindowTitle(QStringLiteral("Define Datamark"));
    setModal(false);
    build(clipboard, messages, acrossFiles);
    push();
}

CDefineDatamarkDialog::~CDefineDatamarkDialog() = default;

void CDefineDatamarkDialog::build(platform::Clipboard& clipboard,
                                  platform::MessageService& messages, bool acrossFiles) {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    normal_ = new QCheckBox(QStringLiteral("Normal Datamark"), this);
    auto* across = new QCheckBox(QStringLiteral("Associate Across Files"), this);
    across->setChecked(acrossFiles);
    across->setEnabled(false);
    top->addWidget(normal_);
    top->addWidget(across);
    top->addStretch();
    layout->addLayout(top);

    auto* advanced = new QGroupBox(QStringLiteral("Advanced Find"), this);
    auto* grid = new QGridLayout(advanced);
    const auto box = [&](int id, bool readOnly) {
        auto* edit = new CHexEditBox(HexEditProgram::Kestrane, clipboard, messages, '.', advanced);
        edit->setObjectName(QString::number(id));
        edit->setSingleLine(true);
        edit->setReadOnly(readOnly);
        return edit;
    };
    find_ = box(1025, false);
    find_->setWildcardAccepted(true);
    findResult_ = box(1042, true);
    operate_ = box(1044, false);
    operateResult_ = box(1045, true);
    compare_ = box(1046, false);
    arithmetic_ = smallButton(QStringLiteral("+"), QStringLiteral("arithmetic"), advanced);
    comparison_ = smallButton(QStringLiteral("=="), QStringLiteral("comparison"), advanced);
    const auto row = [&](int line, CHexEditBox* edit, QPushButton* first, QPushButton* second) {
        grid->addWidget(edit, line, 0);
        if (first != nullptr) {
            grid->addWidget(first, line, 1);
        }
        if (second != nullptr) {
            grid->addWidget(second, line, 2);
        }
    };
    const auto fill = [&](const char* name, CHexEditBox* target) {
        QPushButton* button = smallButton(QStringLiteral("<"), QString::fromUtf8(name), advanced);
        connect(button, &QPushButton::clicked, this, [this, target] { fillFromView(target); });
        return button;
    };
    QPushButton* findButton = smallButton(QStringLiteral("F"), QStringLiteral("F"), advanced);
    QPushButton* operateButton = smallButton(QStringLiteral("="), QStringLiteral("="), advanced);
    QPushButton* compareButton = smallButton(QStringLiteral("?"), QStringLiteral("?"), advanced);
    row(0, find_, fill("<find", find_), findButton);
    row(1, findResult_, arithmetic_, nullptr);
    row(2, operate_, fill("<operate", operate_), operateButton);
    row(3, operateResult_, comparison_, nullptr);
    row(4, compare_, fill("<compare", compare_), compareButton);
    layout->addWidget(advanced);

    auto* properties = new QGroupBox(this);
    auto* form = new QGridLayout(properties);
    name_ = new QLineEdit(properties);
    name_->setMaxLength(static_cast<int>(kMaxDatamarkName));
    comment_ = new QPlainTextEdit(properties);
    comment_->setFixedHeight(comment_->fontMetrics().lineSpacing() * 3 + 12);
    associations_ = new CAssociationEditor(
        messages,
        [this]() -> std::optional<std::string> {
            return onAssociate ? onAssociate() : std::nullopt;
        },
        properties);
    level_ = new QSpinBox(properties);
    level_->setObjectName(QStringLiteral("Spin1"));
    level_->setRange(1, std::max(levels_.count(), 1));
    levelImage_ = new QLabel(properties);
    form->addWidget(new QLabel(QStringLiteral("Name: "), properties), 0, 0);
    form->addWidget(name_, 0, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Comment: "), properties), 1, 0);
    form->addWidget(comment_, 1, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Association: "), properties), 2, 0);
    form->addWidget(associations_, 2, 1, 2, 3);
    form->addWidget(new QLabel(QStringLiteral("Level: "), properties), 4, 0);
    auto* levelRow = new QHBoxLayout();
    levelRow->addWidget(levelImage_);
    levelRow->addWidget(level_);
    levelRow->addStretch();
    form->addLayout(levelRow, 4, 1, 1, 3);
    layout->addWidget(properties);

    auto* buttons = new QHBoxLayout();
    QPushButton* show = smallButton(QStringLiteral(">"), QStringLiteral(">"), this);
    auto* add = new QPushButton(QStringLiteral("Add Datamark"), this);
    add->setObjectName(QStringLiteral("add"));
    add->setAutoDefault(false);
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("exit"));
    exit->setAutoDefault(false);
    buttons->addWidget(show);
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(exit);
    layout->addLayout(buttons);

    arithmeticMenu_.reset(operatorMenu(true));
    comparisonMenu_.reset(operatorMenu(false));
    connect(normal_, &QCheckBox::toggled, this,
            [this](bool on) { run([this, on] { definition_.setNormal(on); }); });
    connect(findButton, &QPushButton::clicked, this,
            [this] { run([this] { definition_.find(); }); });
    connect(operateButton, &QPushButton::clicked, this,
            [this] { run([this] { definition_.operate(); }); });
    connect(compareButton, &QPushButton::clicked, this,
            [this] { run([this] { definition_.compare(); }); });
    connect(arithmetic_, &QPushButton::clicked, this,
            [this] { chooseOperator(true, arithmetic_); });
    connect(comparison_, &QPushButton::clicked, this,
            [this] { chooseOperator(false, comparison_); });
    connect(show, &QPushButton::clicked, this, [this] {
        definition_.showInView();
        if (parentWidget() != nullptr) {
            parentWidget()->activateWindow();
            parentWidget()->setFocus();
        }
    });
    connect(add, &QPushButton::clicked, this, [this] { run([this] { definition_.add(); }); });
    connect(exit, &QPushButton::clicked, this, &QDialog::hide);
    connect(level_, &QSpinBox::valueChanged, this, [this] { showLevelImage(); });
    showLevelImage();
}

QMenu* CDefineDatamarkDialog::operatorMenu(bool arithmetic) {
    auto* menu = new QMenu();
    menu->setObjectName(arithmetic ? QStringLiteral("Arithmetic") : QStringLiteral("Logic"));
    auto* group = new QActionGroup(menu);
    const auto add = [&](const OperatorEntry& entry) {
        QAction* item = menu->addAction(QString::fromUtf8(entry.text));
        item->setData(entry.code);
        item->setCheckable(true);
        item->setActionGroup(group);
        item->setChecked(entry.code == (arithmetic ? markop::Add : markop::Equal));
        if (entry.separatorAfter) {
            menu->addSeparator();
        }
    };
    if (arithmetic) {
        for (const OperatorEntry& entry : kArithmetic) {
            add(entry);
        }
    } else {
        for (const OperatorEntry& entry : kLogic) {
            add(entry);
        }
    }
    return menu;
}

void CDefineDatamarkDialog::chooseOperator(bool arithmetic, QPushButton* button) {
    QMenu* menu = arithmetic ? arithmeticMenu_.get() : comparisonMenu_.get();
    QAction* chosen = menu->exec(button->mapToGlobal(QPoint(button->width(), 0)));
    if (chosen == nullptr) {
        return;
    }
    const int code = chosen->data().toInt();
    (arithmetic ? definition_.arithmeticOperator : definition_.compareOperator) = code;
    chosen->setChecked(true);
    button->setText(chosen->text());
}

void CDefineDatamarkDialog::fillFromView(CHexEditBox* box) {
    const std::vector<std::uint8_t> bytes = view_.selectedBytes(1024);
    if (!bytes.empty()) {
        box->setHexText(advancedText(bytes));
    }
}

void CDefineDatamarkDialog::pull() {
    definition_.normal = normal_->isChecked();
    definition_.findString = find_->hexText();
    definition_.operateString = operate_->hexText();
    definition_.compareString = compare_->hexText();
    definition_.name = name_->text().toStdString();
    definition_.comment = comment_->toPlainText().toStdString();
    definition_.level = level_->value();
    definition_.associations = associations_->entries();
}

void CDefineDatamarkDialog::push() {
    const bool advanced = !definition_.normal;
    const bool properties = definition_.propertiesEnabled();
    find_->setHexText(definition_.findString);
    findResult_->setHexText(definition_.findResult);
    operate_->setHexText(definition_.operateString);
    operateResult_->setHexText(definition_.operateResult);
    compare_->setHexText(definition_.compareString);
    name_->setText(QString::fromStdString(definition_.name));
    for (QWidget* control : std::initializer_list<QWidget*>{
             find_, operate_, compare_, arithmetic_, comparison_, button(QStringLiteral("F")),
             button(QStringLiteral("<find")), button(QStringLiteral("<operate")),
             button(QStringLiteral("<compare"))}) {
        control->setEnabled(advanced);
    }
    button(QStringLiteral("="))->setEnabled(advanced && definition_.operateEnabled());
    button(QStringLiteral("?"))->setEnabled(advanced && definition_.compareEnabled());
    for (QWidget* control : std::initializer_list<QWidget*>{name_, comment_, level_, levelImage_,
                                                            button(QStringLiteral("add"))}) {
        control->setEnabled(properties);
    }
    associations_->setEditable(properties);
}

void CDefineDatamarkDialog::run(const std::function<void()>& step) {
    pull();
    step();
    push();
}

void CDefineDatamarkDialog::showLevelImage() {
    levelImage_->setPixmap(levelIcon(level_->value()).pixmap(16, 16));
}

QPushButton* CDefineDatamarkDialog::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void CDefineDatamarkDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    level_->setRange(1, std::max(levels_.count(), 1));
    if (onShownChanged) {
        onShownChanged(true);
    }
}

void CDefineDatamarkDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (onShownChanged) {
        onShownChanged(false);
    }
}
