#include "app/CSearchBar.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "marks/MarkCommandIds.h"
#include "search/SearchCommandIds.h"
#include "settings/CSettings.h"

CSearchBar::CSearchBar(CSettings& settings, const std::function<QAction*(int)>& commandOf,
                       std::function<void(const std::string&)> enter, QWidget* parent)
    : QToolBar(QStringLiteral("Search toolbar"), parent),
      settings_(settings),
      enter_(std::move(enter)),
      find_(new QComboBox(this)),
      replace_(new QComboBox(this)),
      findHistory_(SearchHistory::load(settings, settings::section::SearchInfo, "Search")),
      replaceHistory_(SearchHistory::load(settings, settings::section::ReplaceInfo, "Replace")) {
    setObjectName(QStringLiteral("Search toolbar"));
    find_->setEditable(true);
    find_->setInsertPolicy(QComboBox::NoInsert);
    find_->setFixedWidth(180);
    find_->setToolTip(QStringLiteral("Activate the Find tool"));
    find_->lineEdit()->setMaxLength(static_cast<int>(SearchHistory::kMaxLength));
    // The combo box hands its keys to its edit field directly, so both are watched.
    find_->installEventFilter(this);
    find_->lineEdit()->installEventFilter(this);
    replace_->setVisible(false);
    addAction(commandOf(cmd::SearchToggleHex));
    // The bar's own "Find..." button, shown only while the box is not.
    QAction* find = commandOf(cmd::SearchFind);
    findButton_ = addAction(find->icon(), find->iconText(), find, &QAction::trigger);
    findButton_->setToolTip(find->toolTip());
    findBoxAction_ = addWidget(find_);
    addSeparator();
    for (const int id : {cmd::SearchFindNext, cmd::SearchFindPrevious, cmd::SearchReplace}) {
        addAction(commandOf(id));
    }
    addSeparator();
    addAction(commandOf(cmd::SearchBarSpare));
    addSeparator();
    for (const int id : {cmd::SearchToggleLinemark, cmd::SearchNextLinemark,
                         cmd::SearchPreviousLinemark, cmd::SearchClearAllLinemarks}) {
        addAction(commandOf(id));
    }
    showHistory();
    orientationChanged(orientation());
    connect(this, &QToolBar::orientationChanged, this,
            [this](Qt::Orientation orientation) { orientationChanged(orientation); });
}

CSearchBar::~CSearchBar() {
    findHistory_.save(settings_, settings::section::SearchInfo, "Search", findText());
    replaceHistory_.save(
        settings_, settings::section::ReplaceInfo, "Replace",
        replaceHistory_.entries().empty() ? std::string() : replaceHistory_.entries().front());
}

std::string CSearchBar::findText() const {
    return find_->currentText().toStdString();
}

void CSearchBar::showHistory() {
    const QString text = find_->currentText();
    find_->clear();
    for (const std::string& entry : findHistory_.entries()) {
        find_->addItem(QString::fromStdString(entry));
    }
    replace_->clear();
    for (const std::string& entry : replaceHistory_.entries()) {
        replace_->addItem(QString::fromStdString(entry));
    }
    if (!text.isEmpty()) {
        find_->setEditText(text);
    } else if (find_->count() > 0) {
        find_->setCurrentIndex(0);
    }
}

void CSearchBar::orientationChanged(Qt::Orientation orientation) {
    // Lying down the bar holds the box in place of "Find..."; standing up
    // the button comes back and the box (keeping its text) is hidden.
    const bool horizontal = orientation == Qt::Horizontal;
    findBoxAction_->setVisible(horizontal);
    findButton_->setVisible(!horizontal);
}

void CSearchBar::pressEnter() {
    const std::string text = findText();
    findHistory_.addToTop(text, SearchHistory::kBoxLimit);
    showHistory();
    if (find_->count() > 0) {
        find_->setCurrentIndex(0);
    }
    enter_(text);
}

bool CSearchBar::eventFilter(QObject* watched, QEvent* event) {
    const bool keyEvent =
        event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if ((watched == find_ || watched == find_->lineEdit()) && keyEvent) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (event->type() == QEvent::ShortcutOverride) {
            // The box's editing keys are the box's, not the frame's commands.
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
                key->matches(QKeySequence::Cut) || key->key() == Qt::Key_Delete) {
                event->accept();
                return true;
            }
            // The function keys stay the frame's (F3 finds from the box too).
            if (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F35) {
                event->ignore();
                return true;
            }
        } else if (event->type() == QEvent::KeyPress &&
                   (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (!key->isAutoRepeat()) {
                pressEnter();
            }
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}
