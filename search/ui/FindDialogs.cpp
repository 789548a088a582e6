#include "search/ui/FindDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstring>

#include "platform/MessageService.h"
#include "platform/TempFile.h"
#include "settings/CSettings.h"

namespace {

constexpr int kMaxText = 1024;

const char* const kNote =
    "Hex bytes: Two characters per byte and either may use wildcard, and each byte should be "
    "separated from another with a space: Example: CE 4* A* **  or CE 49 AB BF.";

// The regular-expression insertion menu "Find": text and caret position.
struct Insertion {
    int id;
    const char* entry;
    const char* text;
    int caret;
};
constexpr Insertion kInsertions[] = {
    {32899, "Any Character", "?", 1},
    {32900, "Character in Range", "[]", 1},
    {32901, "Character Not in Range", "[^]", 2},
    {32902, "0 or More Matches", "*", 1},
};

QComboBox* historyBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setMaxLength(kMaxText);
    box->setMinimumWidth(260);
    return box;
}

std::vector<std::string> itemsOf(const QComboBox* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) {
        items.push_back(box->itemText(i).toStdString());
    }
    return items;
}

void fill(QComboBox* box, const SearchHistory& history, const std::string& text) {
    box->clear();
    for (const std::string& entry : history.entries()) {
        box->addItem(QString::fromStdString(entry));
    }
    box->setEditText(QString::fromStdString(text));
}

// Puts `text` at the top of the box's list, as the history does.
void addToTop(QComboBox* box, const std::string& text) {
    SearchHistory list;
    list.setEntries(itemsOf(box));
    list.addToTop(text);
    fill(box, list, text);
}

}  // namespace

FindDialogBase::FindDialogBase(FindContext context, const QString& title, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(title);
}

void FindDialogBase::buildFindControls(const QString& findLabel) {
    find_ = historyBox(this);
    ascii_ = new QCheckBox(QStringLiteral("&ASCII Text"), this);
    matchCase_ = new QCheckBox(QStringLiteral("Match &Case"), this);
    regex_ = new QCheckBox(QStringLiteral("Regular &Expression (only valid in find text)"), this);
    insert_ = new QPushButton(QStringLiteral(">"), this);
    insert_->setFixedWidth(28);
    note_ = new QLabel(QString::fromLatin1(kNote), this);
    note_->setWordWrap(true);
    // "Dialog Note Color" is a colour reference: 0x00BBGGRR.
    const auto color =
        static_cast<std::uint32_t>(context_.settings.get(settings::appearance::DialogNoteColor));
    note_->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);")
                             .arg(color & 0xFF)
                             .arg((color >> 8) & 0xFF)
                             .arg((color >> 16) & 0xFF));
    auto* label = new QLabel(findLabel, this);
    label->setBuddy(find_);
    auto* grid = new QGridLayout();
    grid->addWidget(label, 0, 0);
    grid->addWidget(find_, 0, 1);
    grid->addWidget(insert_, 0, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    connect(ascii_, &QCheckBox::toggled, this, [this] { updateModeControls(); });
    connect(regex_, &QCheckBox::toggled, this, [this] { updateModeControls(); });
    connect(insert_, &QPushButton::clicked, this, [this] {
        QMenu menu(this);
        for (const Insertion& insertion : kInsertions) {
            QAction* entry = menu.addAction(QString::fromLatin1(insertion.entry));
            connect(entry, &QAction::triggered, this, [this, insertion] {
                QLineEdit* edit = find_->lineEdit();
                edit->insert(QString::fromLatin1(insertion.text));
                edit->setCursorPosition(edit->cursorPosition() -
                                        static_cast<int>(std::strlen(insertion.text)) +
                                        insertion.caret);
                edit->setFocus();
            });
        }
        menu.exec(insert_->mapToGlobal(QPoint(insert_->width(), 0)));
    });
}

void FindDialogBase::fillFindBox(const std::string& text) {
    fill(find_, context_.findHistory, text);
}

std::string FindDialogBase::findBoxText() const {
    return find_->currentText().toStdString();
}

void FindDialogBase::addToFindHistory(const std::string& text) {
    addToTop(find_, text);
}

void FindDialogBase::readModes(FindOptions& options) const {
    options.asciiText = ascii_->isChecked();
    options.matchCase = matchCase_->isChecked();
    options.regex = regex_->isChecked();
}

void FindDialogBase::showModes(const FindOptions& options) {
    ascii_->setChecked(options.asciiText);
    matchCase_->setChecked(options.matchCase);
    regex_->setChecked(options.regex);
    updateModeControls();
}

void FindDialogBase::updateModeControls() {
    matchCase_->setEnabled(ascii_->isChecked());
    regex_->setEnabled(ascii_->isChecked());
    insert_->setEnabled(ascii_->isChecked() && regex_->isChecked());
}

void FindDialogBase::returnFindHistory() {
    context_.findHistory.takeFromDialog(itemsOf(find_));
}

// ------------------------------------------------------------ Find

FindDialog::FindDialog(FindTool& tool, FindContext context, QWidget* parent)
    : FindDialogBase(context, QStringLiteral("Find"), parent), tool_(tool) {
    buildFindControls(QStringLiteral("Fi&nd What: "));
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* down = new QRadioButton(QStringLiteral("&Down"), direction);
    up_ = new QRadioButton(QStringLiteral("&Up"), direction);
    down->setChecked(true);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(down);
    directions->addWidget(up_);
    markLines_ = new QCheckBox(QStringLiteral("&Mark All Lines"), this);
    auto* findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    findNext->setDefault(true);
    auto* options = new QGridLayout();
    options->addWidget(ascii_, 0, 0);
    options->addWidget(direction, 0, 1, 2, 1);
    options->addWidget(matchCase_, 1, 0);
    options->addWidget(regex_, 2, 0);
    options->addWidget(markLines_, 3, 0);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(findNext);
    buttons->addWidget(cancel);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(options);
    layout->addWidget(note_);
    layout->addLayout(buttons);
    connect(findNext, &QPushButton::clicked, this, [this] { this->findNext(); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        readModes(tool_.options);
        tool_.options.up = up_->isChecked();
        tool_.options.markLines = markLines_->isChecked();
        reject();
    });
}

void FindDialog::present(const std::string& boxText, SearchView& view) {
    view_ = &view;
    tool_.options.load(context_.settings, true);
    tool_.engine().setSettings(SearchSettings::forFind(context_.settings));
    showModes(tool_.options);
    up_->setChecked(tool_.options.up);
    markLines_->setChecked(tool_.options.markLines);
    fillFindBox(boxText);
    find_->setFocus();
    exec();
    tool_.options.store(context_.settings, true);
    returnFindHistory();
    view_ = nullptr;
}

void FindDialog::findNext() {
    readModes(tool_.options);
    tool_.options.up = up_->isChecked();
    tool_.options.markLines = markLines_->isChecked();
    const std::string text = findBoxText();
    if (text.empty() || view_ == nullptr) {
        return;
    }
    const platform::MessageStyle information(platform::MessageIcon::Information);
    const int result =
        tool_.findNext(text, true, *view_, context_.settings.get(settings::edit::FindContinue) != 0,
                       context_.runner, context_.messages.strings());
    if (result == FindTool::InvalidHex) {
        context_.messages.show(searchtext::kInvalidHexFind, information);
        return;
    }
    addToFindHistory(text);
    if (result == FindTool::Found) {
        if (context_.settings.get(settings::edit::CloseAfterFind) != 0) {
            accept();
        }
        return;
    }
    context_.messages.show(searchtext::kNotFound, information, {text});
}

// ------------------------------------------------------------ Replace

ReplaceDialog::ReplaceDialog(ReplaceTool& tool, FindContext context, QWidget* parent)
    : FindDialogBase(context, QStringLiteral("Replace"), parent), tool_(tool) {
    buildFindControls(QStringLiteral("Find What: "));
    replace_ = historyBox(this);
    auto* replaceLabel = new QLabel(QStringLiteral("Replace With: "), this);
    replaceLabel->setBuddy(replace_);
    auto* grid = static_cast<QGridLayout*>(this->layout()->itemAt(0)->layout());
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(replace_, 1, 1);
    auto* range = new QGroupBox(QStringLiteral("Replace In"), this);
    whole_ = new QRadioButton(QStringLiteral("&Whole file"), range);
    selection_ = new QRadioButton(QStringLiteral("&Selection"), range);
    whole_->setChecked(true);
    auto* ranges = new QVBoxLayout(range);
    ranges->addWidget(whole_);
    ranges->addWidget(selection_);
    fromTop_ = new QCheckBox(QStringLiteral("Replace All is From &Top"), this);
    findNextButton_ = new QPushButton(QStringLiteral("&Find Next"), this);
    replaceButton_ = new QPushButton(QStringLiteral("&Replace"), this);
    auto* replaceAll = new QPushButton(QStringLiteral("Replace &All"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    findNextButton_->setDefault(true);
    auto* options = new QGridLayout();
    options->addWidget(ascii_, 0, 0);
    options->addWidget(range, 0, 1, 3, 1);
    options->addWidget(matchCase_, 1, 0);
    options->addWidget(regex_, 2, 0);
    options->addWidget(fromTop_, 3, 0);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    for (QPushButton* button : {findNextButton_, replaceButton_, replaceAll, cancel}) {
        buttons->addWidget(button);
    }
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(options);
    layout->addWidget(note_);
    layout->addLayout(buttons);
    connect(whole_, &QRadioButton::toggled, this, [this] { updateRangeControls(); });
    connect(findNextButton_, &QPushButton::clicked, this, [this] { findNext(); });
    connect(replaceButton_, &QPushButton::clicked, this, [this] { replace(); });
    connect(replaceAll, &QPushButton::clicked, this, [this] { this->replaceAll(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void ReplaceDialog::present(const std::string& boxText, SearchView& view) {
    view_ = &view;
    tool_.options().load(context_.settings, false);
    tool_.engine().setSettings(SearchSettings::forReplace(context_.settings));
    tool_.fromTop = context_.settings.get(settings::edit::RepAllFromTop) != 0;
    showModes(tool_.options());
    fromTop_->setChecked(tool_.fromTop);
    // "&Selection" needs a range: a column block is not one.
    const bool range = view.rangeSelection().has_value();
    selection_->setEnabled(range);
    if (!range) {
        whole_->setChecked(true);
    }
    fillFindBox(boxText);
    const std::string replaceText = replace_->currentText().toStdString();
    fill(replace_, context_.replaceHistory, replaceText);
    updateRangeControls();
    find_->setFocus();
    exec();
    takeControls();
    tool_.options().store(context_.settings, false);
    context_.settings.write(settings::edit::RepAllFromTop, tool_.fromTop ? 1 : 0);
    returnFindHistory();
    context_.replaceHistory.takeFromDialog(itemsOf(replace_));
    view_ = nullptr;
}

void ReplaceDialog::updateRangeControls() {
    const bool inSelection = selection_->isChecked();
    fromTop_->setEnabled(!inSelection);
    findNextButton_->setEnabled(!inSelection);
    replaceButton_->setEnabled(!inSelection);
}

void ReplaceDialog::takeControls() {
    readModes(tool_.options());
    tool_.inSelection = selection_->isChecked();
    tool_.fromTop = fromTop_->isChecked();
}

void ReplaceDialog::findNext() {
    takeControls();
    const std::string text = findBoxText();
    if (text.empty() || view_ == nullptr) {
        return;
    }
    const platform::MessageStyle information(platform::MessageIcon::Information);
    const int result =
        tool_.findNext(text, *view_, context_.settings.get(settings::edit::FindContinue) != 0,
                       context_.runner, context_.messages.strings());
    if (result == FindTool::InvalidHex) {
        context_.messages.show(searchtext::kInvalidHexFind, information);
        return;
    }
    addToFindHistory(text);
    if (result != FindTool::Found) {
        context_.messages.show(searchtext::kNotFoundInReplace, information, {text});
    }
}

void ReplaceDialog::replace() {
    takeControls();
    if (view_ == nullptr) {
        return;
    }
    const std::string text = replace_->currentText().toStdString();
    if (tool_.replace(text, *view_, context_.messages)) {
        addToTop(replace_, text);
        if (context_.settings.get(settings::edit::CloseAfterReplace) != 0) {
            accept();
        }
    }
}

void ReplaceDialog::replaceAll() {
    takeControls();
    if (view_ == nullptr) {
        return;
    }
    const std::string findText = findBoxText();
    const std::string replaceText = replace_->currentText().toStdString();
    CSettings& settings = context_.settings;
    const ReplaceTool::Outcome outcome =
        tool_.replaceAll(findText, replaceText, *view_, context_.messages, context_.runner,
                         [&settings] { return settings.createTempFile("~HEXDATA"); });
    addToFindHistory(findText);
    addToTop(replace_, replaceText);
    if (outcome.applied && settings.get(settings::edit::CloseAfterRepAll) != 0) {
        accept();
    }
}
