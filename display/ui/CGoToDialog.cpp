#include "display/ui/CGoToDialog.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "display/CHexPanel.h"
#include "display/PositionInput.h"
#include "platform/MessageService.h"
#include "platform/PrintfFormat.h"
#include "platform/qt/DialogWidth.h"

CGoToDialog::CGoToDialog(CHexPanel& panel, platform::MessageService& messages, QWidget* parent)
    : QDialog(parent),
      panel_(panel),
      messages_(messages),
      kinds_(new QComboBox(this)),
      title_(new QLabel(this)),
      edit_(new QLineEdit(this)),
      marks_(new QComboBox(this)),
      note_(new QLabel(this)),
      pin_(new QToolButton(this)),
      go_(new QPushButton(QStringLiteral("&Go To"), this)),
      fresh_(new QPushButton(QStringLiteral("&Fresh"), this)) {
    setWindowTitle(QStringLiteral("Go To"));
    setModal(false);
    kinds_->addItems({QStringLiteral("Position"), QStringLiteral("Line"),
                      QStringLiteral("Linemark"), QStringLiteral("Datamark")});
    pin_->setText(QStringLiteral("L"));
    pin_->setCheckable(true);
    note_->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    go_->setDefault(true);

    auto* top = new QHBoxLayout();
    top->addWidget(new QLabel(QStringLiteral("Go To What: "), this));
    top->addWidget(kinds_, 1);
    top->addWidget(pin_);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(fresh_);
    buttons->addStretch(1);
    buttons->addWidget(go_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(title_);
    layout->addWidget(edit_);
    layout->addWidget(marks_);
    layout->addWidget(note_);
    layout->addLayout(buttons);

    connect(kinds_, &QComboBox::currentIndexChanged, this,
            [this](int index) { chooseKind(static_cast<Kind>(index)); });
    connect(go_, &QPushButton::clicked, this, [this] { goTo(); });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(fresh_, &QPushButton::clicked, this, [this] {
        others_.reset();
        fillMarks();
        refreshTexts();
    });
    chooseKind(Position);
    widenToTitle(*this);
}

void CGoToDialog::present() {
    fillMarks();
    refreshTexts();
    show();
    raise();
    activateWindow();
    edit_->setFocus();
}

void CGoToDialog::chooseKind(Kind kind) {
    if (kinds_->currentIndex() != kind) {
        kinds_->setCurrentIndex(kind);  // comes back here through the signal
        return;
    }
    const bool typed = kind == Position || kind == Line;
    edit_->setVisible(typed);
    marks_->setVisible(!typed);
    fresh_->setVisible(kind == Datamark);
    fillMarks();
    refreshTexts();
}

void CGoToDialog::refreshTexts() {
    const ViewState& state = panel_.state();
    const auto lines = static_cast<std::int64_t>(state.lineCount());
    const std::int64_t start = state.presentation.dataStartAddress();
    const auto last = start + static_cast<std::int64_t>(state.dataSize) - 1;
    switch (kinds_->currentIndex()) {
        case Position:
            title_->setText(QStringLiteral("Enter Data Position: "));
            note_->setText(QString::fromStdString(platform::formatPrintf(
                "Enter hexadecimal position in the edit box, range is [%lx, %lx]",
                {start, std::max(start, last)})));
            break;
        case Line:
            title_->setText(QStringLiteral("Enter Line Number: "));
            note_->setText(QString::fromStdString(
                platform::formatPrintf("Enter line number in the edit box, maximal line is  %i",
                                       {std::max<std::int64_t>(0, lines - 1)})));
            break;
        case Linemark:
            title_->setText(QStringLiteral("Choose a Linemark: "));
            note_->setText(QStringLiteral("Choose a linemark and jump to the new location"));
            break;
        default:
            title_->setText(QStringLiteral("Choose a Datamark: "));
            note_->setText(QStringLiteral("Choose a datamark and jump to the new location"));
            break;
    }
    go_->setEnabled(state.attached && (edit_->isVisibleTo(this) || marks_->count() > 0));
}

void CGoToDialog::fillMarks() {
    const int previous = marks_->currentIndex();
    marks_->clear();
    if (kinds_->currentIndex() == Linemark) {
        for (const std::uint64_t line : panel_.linemarks()) {
            marks_->addItem(QString::fromStdString(
                platform::formatPrintf("%08i", {static_cast<std::int64_t>(line)})));
        }
    }
    if (kinds_->currentIndex() == Datamark) {
        if (!others_) {
            others_ = otherDatamarks ? otherDatamarks() : std::vector<std::string>{};
        }
        for (const std::string& entry : *others_) {
            marks_->addItem(QString::fromStdString(entry));
        }
        // This file's datamarks go in at the top: they show in reverse list order.
        for (const CBmitemObj& datamark : panel_.datamarks().list().items()) {
            marks_->insertItem(0, QString::fromStdString("#" + datamark.name));
        }
    }
    marks_->setEnabled(marks_->count() > 0);
    if (previous >= 0 && previous < marks_->count()) {
        marks_->setCurrentIndex(previous);
    }
}

bool CGoToDialog::refuse(const std::string& problem) {
    if (problem.empty()) {
        return false;
    }
    // The dialog stays up, pinned or not, while its message shows.
    showingMessage_ = true;
    messages_.showText(problem, {platform::MessageIcon::Information});
    showingMessage_ = false;
    return true;
}

bool CGoToDialog::goTo() {
    const ViewState& state = panel_.state();
    if (!state.attached) {
        return false;
    }
    const std::int64_t start = state.presentation.dataStartAddress();
    const std::string typed = edit_->text().toStdString();
    switch (kinds_->currentIndex()) {
        case Position: {
            const auto value = parseNumber(typed, NumberBase::Hexadecimal);
            if (refuse(checkGoToPosition(value, start, state.dataSize))) {
                return false;
            }
            panel_.jumpToOffset(static_cast<std::uint64_t>(*value - start));
            break;
        }
        case Line:
        case Linemark: {
            const std::string text =
                kinds_->currentIndex() == Line ? typed : marks_->currentText().toStdString();
            const auto line = parseNumber(text, NumberBase::Decimal);
            if (refuse(checkGoToLine(line, state.lineCount()))) {
                return false;
            }
            panel_.jumpToLine(static_cast<std::uint64_t>(*line));
            break;
        }
        case Datamark: {
            const std::string entry = marks_->currentText().toStdString();
            if (entry.empty()) {
                return false;
            }
            if (entry.front() == '#') {
                if (!panel_.goToDatamarkByName(std::string_view(entry).substr(1))) {
                    return false;
                }
            } else if (openAndGoTo) {
                if (!pin_->isChecked()) {
                    hide();
                }
                openAndGoTo(entry);  // another view takes the caret there
                return true;
            }
            break;
        }
        default:
            return false;
    }
    if (afterJump) {
        afterJump();
    }
    if (!pin_->isChecked()) {
        hide();
    }
    return true;
}

void CGoToDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() &&
        !pin_->isChecked() && !showingMessage_) {
        hide();
    }
}
