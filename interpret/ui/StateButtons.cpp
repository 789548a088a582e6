#include "interpret/ui/StateButtons.h"

#include <QToolButton>

#include "interpret/ui/InterpreterImages.h"
#include "platform/StringTable.h"

StateButtons::StateButtons(InterpreterProgram program, const platform::StringTable& strings,
                           std::function<void(InterpreterButton)> pressed)
    : program_(program), strings_(strings), pressed_(std::move(pressed)) {}

QToolButton* StateButtons::add(QWidget* parent, InterpreterButton which, const QRect& place) {
    auto* button = new QToolButton(parent);
    // Flat: the background until pressed, then the platform's button frame.
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(16, 16));
    button->setGeometry(
        place.adjusted(0, 0, std::max(0, 18 - place.width()), std::max(0, 18 - place.height())));
    QObject::connect(button, &QToolButton::clicked, button, [this, which] { pressed_(which); });
    buttons_[static_cast<std::size_t>(which)] = button;
    return button;
}

QToolButton* StateButtons::button(InterpreterButton which) const {
    return buttons_[static_cast<std::size_t>(which)];
}

void StateButtons::refresh(const InterpretationState& values, const InterpreterToggles& toggles,
                           bool tipsShown) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i] == nullptr) {
            continue;
        }
        const auto which = static_cast<InterpreterButton>(i);
        buttons_[i]->setIcon(interpreterButtonIcon(buttonImageOffset(which, values, toggles)));
        const int tip = buttonTip(program_, which, values, toggles);
        buttons_[i]->setToolTip(tipsShown ? QString::fromStdString(strings_.text(tip)) : QString());
    }
}
