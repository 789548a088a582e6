#include "calc/ui/CCalculatorDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "calc/CalculatorKeys.h"
#include "calc/ui/CHexEditBox.h"
#include "platform/StringTable.h"
#include "platform/qt/DialogUnits.h"

namespace {

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor colourOf(std::uint32_t colourRef) {
    return {static_cast<int>(colourRef & 0xff), static_cast<int>((colourRef >> 8) & 0xff),
            static_cast<int>((colourRef >> 16) & 0xff)};
}

int boxId(CalculatorBox which) {
    switch (which) {
        case CalculatorBox::First:
            return calckey::FirstOperand;
        case CalculatorBox::Second:
            return calckey::SecondOperand;
        case CalculatorBox::Result:
            break;
    }
    return calckey::Result;
}

}  // namespace

CCalculatorDialog::CCalculatorDialog(const platform::StringTable& strings,
                                     platform::Clipboard& clipboard,
                                     platform::MessageService& messages, QWidget* parent)
    : QDialog(parent), strings_(strings), calculator_(*this, messages, &runner_) {
    setWindowTitle(qtext(kCalculatorCaption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls(clipboard, messages);
    buildMenuBar();
    showToolTips(true);
    boxes_[CalculatorBox::Result]->setFocus();
}

CCalculatorDialog::~CCalculatorDialog() = default;

void CCalculatorDialog::buildControls(platform::Clipboard& clipboard,
                                      platform::MessageService& messages) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* client = new QWidget(this);
    layout->addWidget(client);
    const DialogUnits units(fontMetrics());
    client->setFixedSize(units.size(250, 246));

    const std::pair<CalculatorBox, int> boxTops[] = {
        {CalculatorBox::First, 7}, {CalculatorBox::Second, 47}, {CalculatorBox::Result, 87}};
    for (const auto& [which, top] : boxTops) {
        auto* box = new CHexEditBox(HexEditProgram::Tamsorel, clipboard, messages, '*', client);
        box->setObjectName(QString::number(boxId(which)));
        box->setGeometry(units.rect(7, top, 236, 36));
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setReadOnly(which != CalculatorBox::First);
        box->installEventFilter(this);
        boxes_[which] = box;
    }
    CHexEditBox* result = boxes_[CalculatorBox::Result];
    result->setCursorWidth(0);
    result->setFocusPolicy(Qt::StrongFocus);

    const auto display = [&](int id, int top) {
        auto* button = new QPushButton(client);
        button->setObjectName(QString::number(id));
        button->setGeometry(units.rect(7, top, 28, kCalculatorKeyHeight));
        button->setFlat(true);
        button->setEnabled(false);
        return button;
    };
    operatorDisplay_ = display(calckey::OperatorDisplay, 133);
    memoryIndicator_ = display(calckey::MemoryIndicator, 155);

    for (const CalculatorKey& entry : calculatorKeys()) {
        auto* button = new QPushButton(qtext(entry.caption), client);
        button->setObjectName(QString::number(entry.id));
        button->setGeometry(units.rect(entry.x, entry.y, entry.width, kCalculatorKeyHeight));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, colourOf(keyCaptionColour(entry.colour)));
        button->setPalette(palette);
        const int id = entry.id;
        connect(button, &QPushButton::clicked, this, [this, id] { calculator_.press(id); });
        keys_[id] = button;
    }
    setFixedSize(sizeHint());
}

QAction* CCalculatorDialog::addCommand(QMenu& menu, int id, const char* text) {
    QAction* command = menu.addAction(QString::fromUtf8(text));
    command->setData(id);
    connect(command, &QAction::triggered, this, [this, id] { runCommand(id); });
    actions_[id] = command;
    return command;
}

void CCalculatorDialog::buildMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("130"));
    layout()->setMenuBar(bar);
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    addCommand(*edit, calckey::PasteHexText, "Paste &Hex Text");
    addCommand(*edit, calckey::Paste, "&Paste");
    addCommand(*edit, calckey::CopyOperationResult, "&Copy Operation Result");
    connect(edit, &QMenu::aboutToShow, this, [this] { updateEditMenu(); });
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    addCommand(*view, calckey::AlwaysTopmost, "Always Top&most")->setCheckable(true);
    QAction* tips = addCommand(*view, calckey::ShowTooltips, "Show &Tooltips");
    tips->setCheckable(true);
    tips->setChecked(true);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    addCommand(*help, calckey::About, "&About Tamsorel...");
    setFixedSize(sizeHint());
}

void CCalculatorDialog::updateEditMenu() {
    CHexEditBox* active = boxes_[calculator_.activeBox()];
    actions_[calckey::PasteHexText]->setEnabled(active->isCommandEnabled(calckey::PasteHexText));
    actions_[calckey::Paste]->setEnabled(active->isCommandEnabled(calckey::PasteHexText));
    actions_[calckey::CopyOperationResult]->setEnabled(
        !boxes_[CalculatorBox::Result]->hexText().empty());
}

void CCalculatorDialog::runCommand(int id) {
    switch (id) {
        case calckey::PasteHexText:
        case calckey::Paste:
            updateEditMenu();  // a shortcut-less trigger still obeys the enabling
            if (actions_[id]->isEnabled()) {
                boxes_[calculator_.activeBox()]->runCommand(id);
            }
            break;
        case calckey::CopyOperationResult:
            boxes_[CalculatorBox::Result]->run(HexEditCommand::Copy);
            break;
        case calckey::AlwaysTopmost:
            setTopmost(actions_[id]->isChecked());
            break;
        case calckey::ShowTooltips:
            showToolTips(actions_[id]->isChecked());
            break;
        case calckey::About:
            showAbout();
            break;
        default:
            break;
    }
}

void CCalculatorDialog::setTopmost(bool topmost) {
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    show();  // changing a window flag hides the window
}

void CCalculatorDialog::showToolTips(bool shown) {
    toolTipsShown_ = shown;
    const auto tip = [&](QWidget* widget, int id) {
        widget->setToolTip(shown ? QString::fromStdString(strings_.text(id)) : QString());
    };
    for (const auto& [which, box] : boxes_) {
        tip(box, boxId(which));
    }
    for (const auto& [id, button] : keys_) {
        tip(button, id);
    }
    tip(operatorDisplay_, calckey::OperatorDisplay);
    tip(memoryIndicator_, calckey::MemoryIndicator);
}

void CCalculatorDialog::showAbout() {
    QDialog about(this);
    about.setObjectName(QStringLiteral("100"));
    about.setWindowTitle(qtext(kAboutCaption));
    auto* layout = new QVBoxLayout(&about);
    auto* icon = new QLabel(&about);
    icon->setPixmap(windowIcon().pixmap(32, 32));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(qtext(kCalculatorCaption), &about), 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(qtext(kAboutVersion), &about), 0, Qt::AlignHCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    about.exec();
}

int CCalculatorDialog::keyOfPress(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::AltModifier) {
        return 0;  // the menu bar's access keys
    }
    if (modifiers & Qt::ControlModifier) {
        switch (event.key()) {
            case Qt::Key_L:
                return calckey::MemoryClear;
            case Qt::Key_R:
                return calckey::MemoryRecall;
            case Qt::Key_M:
                return calckey::MemoryStore;
            default:
                return 0;
        }
    }
    switch (event.key()) {
        case Qt::Key_Backspace:
            return calckey::Backspace;
        case Qt::Key_Delete:
            return calckey::ClearEntry;
        case Qt::Key_Escape:
            return calckey::Reset;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return calckey::Execute;
        default:
            break;
    }
    if (modifiers & Qt::KeypadModifier) {
        switch (event.key()) {
            case Qt::Key_Slash:
                return calckey::Divide;
            case Qt::Key_Asterisk:
                return calckey::Multiply;
            case Qt::Key_Minus:
                return calckey::Subtract;
            case Qt::Key_Plus:
                return calckey::Add;
            default:
                break;
        }
    }
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).unicode() < 0x80) {
        return keyOfTypedCharacter(static_cast<char>(text.at(0).unicode())).value_or(0);
    }
    return 0;
}

// Typing in any box goes to the calculator; a box that takes the focus hands
// it on to the result box.
bool CCalculatorDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched != boxes_[CalculatorBox::Result]) {
        boxes_[CalculatorBox::Result]->setFocus();
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* press = static_cast<QKeyEvent*>(event);
        if (const int id = keyOfPress(*press); id != 0) {
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                calculator_.press(id);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CCalculatorDialog::keyPressEvent(QKeyEvent* event) {
    if (const int id = keyOfPress(*event); id != 0) {
        calculator_.press(id);  // Esc resets rather than closing the window
        return;
    }
    QDialog::keyPressEvent(event);
}

CHexEditBox* CCalculatorDialog::box(CalculatorBox which) const {
    return boxes_.at(which);
}

QPushButton* CCalculatorDialog::key(int id) const {
    const auto found = keys_.find(id);
    return found == keys_.end() ? nullptr : found->second;
}

QAction* CCalculatorDialog::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

std::string CCalculatorDialog::boxText(CalculatorBox which) const {
    return boxes_.at(which)->hexText();
}

void CCalculatorDialog::setBoxText(CalculatorBox which, const std::string& text) {
    CHexEditBox* target = boxes_.at(which);
    target->setHexText(text);
    target->moveCursor(QTextCursor::End);
}

void CCalculatorDialog::setBoxWritable(CalculatorBox which, bool writable) {
    boxes_.at(which)->setReadOnly(!writable);
}

void CCalculatorDialog::showOperator(std::string_view caption) {
    operatorDisplay_->setText(qtext(caption));
}

void CCalculatorDialog::showMemoryIndicator(std::string_view text) {
    memoryIndicator_->setText(qtext(text));
}
