#include "platform/qt/QtMessageService.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok:
            return QMessageBox::Ok;
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
        case MessageAnswer::Retry:
            return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// A box closed without a button (Escape where no Cancel exists, the window
// manager's close) answers as the safest button it offers.
MessageAnswer closedAnswer(MessageButtons buttons) {
    if (offers(buttons, MessageAnswer::Cancel)) {
        return MessageAnswer::Cancel;
    }
    if (offers(buttons, MessageAnswer::No)) {
        return MessageAnswer::No;
    }
    return MessageAnswer::Ok;
}

}  // namespace

QtMessageService::QtMessageService(const StringTable& strings, std::string caption,
                                   std::function<QWidget*()> parent)
    : MessageService(strings, std::move(caption)), parent_(std::move(parent)) {}

MessageAnswer QtMessageService::present(const MessageRequest& request) {
    bool unused = false;
    return presentWithCheckBox(request, unused);
}

MessageAnswer QtMessageService::presentWithCheckBox(const MessageRequest& request, bool& checked) {
    QWidget* parent = parent_ ? parent_() : QApplication::activeWindow();
    QMessageBox box(toQt(request.style.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), toQt(request.style.buttons), parent);
    box.setTextFormat(Qt::PlainText);
    const MessageAnswer defaultAnswer =
        request.style.defaultAnswer.value_or(firstAnswer(request.style.buttons));
    box.setDefaultButton(toQt(defaultAnswer));
    if (offers(request.style.buttons, MessageAnswer::Cancel)) {
        box.setEscapeButton(QMessageBox::Cancel);
    } else if (offers(request.style.buttons, MessageAnswer::No)) {
        box.setEscapeButton(QMessageBox::No);
    }
    QCheckBox* check = nullptr;
    if (!request.checkBox.empty()) {
        check = new QCheckBox(QString::fromStdString(request.checkBox), &box);
        check->setChecked(checked);
        box.setCheckBox(check);
    }
    box.exec();
    if (check != nullptr) {
        checked = check->isChecked();
    }
    QAbstractButton* clicked = box.clickedButton();
    switch (clicked != nullptr ? box.standardButton(clicked) : QMessageBox::NoButton) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Retry:
            return MessageAnswer::Retry;
        default:
            return closedAnswer(request.style.buttons);
    }
}

}  // namespace platform
