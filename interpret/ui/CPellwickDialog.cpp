#include "interpret/ui/CPellwickDialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "calc/ui/CHexEditBox.h"
#include "interpret/InterpreterStrings.h"
#include "interpret/ui/InterpretationList.h"
#include "platform/StringTable.h"
#include "platform/qt/DialogUnits.h"

namespace {

constexpr const char* kCaption = "Hexadecimal Data Interpreter";

}  // namespace

CPellwickDialog::CPellwickDialog(const platform::StringTable& strings,
                                 platform::Clipboard& clipboard, platform::MessageService& messages,
                                 QWidget* parent)
    : QDialog(parent),
      strings_(strings),
      buttons_(InterpreterProgram::Pellwick, strings,
               [this](InterpreterButton which) { pressed(which); }) {
    setObjectName(QStringLiteral("102"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildControls(clipboard, messages);
    buildMenuBar();
    refreshButtons();
    readBox();
    box_->setFocus();
}

CPellwickDialog::~CPellwickDialog() = default;

void CPellwickDialog::buildControls(platform::Clipboard& clipboard,
                                    platform::MessageService& messages) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* client = new QWidget(this);
    layout->addWidget(client);
    const DialogUnits units(fontMetrics());
    client->setFixedSize(units.size(238, 131));

    const std::pair<InterpreterButton, QRect> places[] = {
        {InterpreterButton::Close, units.rect(5, 7, 12, 12)},
        {InterpreterButton::ByteOrder, units.rect(5, 25, 12, 12)},
        {InterpreterButton::NumberSystem, units.rect(5, 40, 12, 12)},
        {InterpreterButton::LockDataType, units.rect(5, 55, 12, 12)},
    };
    const std::map<InterpreterButton, const char*> ids = {
        {InterpreterButton::Close, "1143"},
        {InterpreterButton::ByteOrder, "1134"},
        {InterpreterButton::NumberSystem, "1141"},
        {InterpreterButton::LockDataType, "1135"},
    };
    for (const auto& [which, place] : places) {
        buttons_.add(client, which, place)->setObjectName(QString::fromLatin1(ids.at(which)));
    }

    box_ = new CHexEditBox(HexEditProgram::Pellwick, clipboard, messages, '*', client);
    box_->setObjectName(QStringLiteral("1145"));
    box_->setSingleLine(true);
    box_->setGeometry(units.rect(21, 7, 210, 14));
    box_->setToolTip(QString::fromStdString(strings_.text(pellwicktext::kBytesArea)));
    connect(box_, &QPlainTextEdit::textChanged, this, [this] { readBox(); });

    list_ = new InterpretationList(strings_, true, client);
    list_->setObjectName(QStringLiteral("1142"));
    list_->setGeometry(units.rect(21, 22, 210, 101));
    list_->setToolTip(QString::fromStdString(strings_.text(pellwicktext::kValueArea)));
    list_->setInitialColumnWidths();

    // Enter presses this hidden default button: Update.
    updateButton_ = new QPushButton(client);
    updateButton_->setObjectName(QStringLiteral("1146"));
    updateButton_->setGeometry(units.rect(5, 111, 12, 12));
    updateButton_->setDefault(true);
    updateButton_->hide();
    connect(updateButton_, &QPushButton::clicked, this, [this] { readBox(); });
}

void CPellwickDialog::buildMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("129"));
    layout()->setMenuBar(bar);
    for (const PellwickMenu& menu : pellwickMenuBar()) {
        QMenu* entries = bar->addMenu(QString::fromLatin1(menu.title));
        for (const MenuItem& item : menu.items) {
            if (item.id == 0) {
                entries->addSeparator();
                continue;
            }
            QAction* command = entries->addAction(QString::fromLatin1(item.text));
            command->setData(item.id);
            const int id = item.id;
            connect(command, &QAction::triggered, this, [this, id] { runCommand(id); });
            actions_[id] = command;
        }
        connect(entries, &QMenu::aboutToShow, this, [this] { updateMenus(); });
    }
    updateMenus();
    setFixedSize(sizeHint());
}

QAction* CPellwickDialog::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

QToolButton* CPellwickDialog::button(InterpreterButton which) const {
    return buttons_.button(which);
}

void CPellwickDialog::pressed(InterpreterButton which) {
    if (which == InterpreterButton::Close) {
        reject();
        return;
    }
    if (which == InterpreterButton::LockPosition) {
        return;  // Pellwick's window stays where it is put
    }
    pressStateButton(which, values_, toggles_);
    if (which == InterpreterButton::LockDataType) {
        list_->lockDataType(toggles_.lockDataType);
    }
    readBox();
    refreshButtons();
}

void CPellwickDialog::keyPressEvent(QKeyEvent* event) {
    // Qt's dialogs press only a visible default button; this one is hidden.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        updateButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPellwickDialog::updateMenus() {
    for (const auto& [id, command] : actions_) {
        if (const auto state = pellwickViewState(id, values_, toggles_)) {
            command->setEnabled(state->enabled);
            command->setCheckable(state->checked || id != pellwickcmd::About);
            command->setChecked(state->checked);
        } else {
            command->setEnabled(box_->isCommandEnabled(id));
        }
    }
}

void CPellwickDialog::runCommand(int id) {
    updateMenus();  // a command runs only while it is enabled
    if (!actions_.at(id)->isEnabled()) {
        return;
    }
    switch (id) {
        case pellwickcmd::LittleEndian:
        case pellwickcmd::BigEndian:
            pressed(InterpreterButton::ByteOrder);
            break;
        case pellwickcmd::Hexadecimal:
        case pellwickcmd::Decimal:
            pressed(InterpreterButton::NumberSystem);
            break;
        case pellwickcmd::LockDataType:
            pressed(InterpreterButton::LockDataType);
            break;
        case pellwickcmd::About:
            showAbout();
            break;
        default:
            box_->runCommand(id);
            break;
    }
    updateMenus();
}

void CPellwickDialog::readBox() {
    const QString text = box_->toPlainText();
    const int start = text.isEmpty() ? 0 : box_->textCursor().selectionStart();
    readTypedBytes(values_, text.toStdString(), static_cast<std::size_t>(start));
    list_->showValues(
        interpretation::renderAll(values_, interpretation::CharacterRows::TwoByteText));
}

void CPellwickDialog::refreshButtons() {
    buttons_.refresh(values_, toggles_, true);  // Pellwick's tips are always on
}

void CPellwickDialog::showAbout() {
    QDialog about(this);
    about.setObjectName(QStringLiteral("100"));
    about.setWindowTitle(QStringLiteral("About Pellwick"));
    auto* layout = new QVBoxLayout(&about);
    auto* icon = new QLabel(&about);
    icon->setPixmap(windowIcon().pixmap(32, 32));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("Pellwick Version 1.1"), &about), 0,
                      Qt::AlignHCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    layout->addWidget(buttons);
    about.exec();
}
