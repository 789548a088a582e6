#include "app/OptionsPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/ShellExtensionOption.h"
#include "display/ui/QtGraphics.h"
#include "platform/MessageService.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

QLineEdit* numberEdit(const NumberField& field, QWidget* parent) {
    return new QLineEdit(QString::fromStdString(field.text), parent);
}

QCheckBox* checkBox(const char* text, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setChecked(checked);
    return box;
}

std::string currentFolder() {
    std::error_code error;
    return std::filesystem::current_path(error).string();
}

// "(Note: data unit is byte)" in the note colour.
QLabel* unitNote(const CSettings& settings, QWidget* parent) {
    auto* note = new QLabel(QStringLiteral("(Note: data unit is byte)"), parent);
    QPalette colours = note->palette();
    colours.setColor(
        QPalette::WindowText,
        toQColor(static_cast<ColorRef>(settings.get(settings::appearance::DialogNoteColor))));
    note->setPalette(colours);
    return note;
}

}  // namespace

// ------------------------------------------------------------ the common part

void OptionsPageBase::markChanged() {
    if (loading_) {
        return;
    }
    changed_ = true;
    if (onChanged) {
        onChanged();
    }
}

void OptionsPageBase::watch(QCheckBox* box) {
    connect(box, &QCheckBox::toggled, this, [this] { markChanged(); });
}

void OptionsPageBase::watch(QLineEdit* edit) {
    connect(edit, &QLineEdit::textEdited, this, [this] { markChanged(); });
}

void OptionsPageBase::watch(QComboBox* box) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });
}

template <std::size_t N>
bool OptionsPageBase::checkFields(std::array<NumberField, N>& fields,
                                  const std::array<QLineEdit*, N>& edits) {
    for (std::size_t i = 0; i < N; ++i) {
        fields[i].text = edits[i]->text().toStdString();
    }
    if (const auto problem = firstBadField(fields)) {
        messages_.showText(problem->message, {platform::MessageIcon::Exclamation});
        edits[problem->index]->setFocus();
        edits[problem->index]->selectAll();
        return false;
    }
    return true;
}

// ------------------------------------------------------------------ General

GeneralPage::GeneralPage(CSettings& settings, platform::MessageService& messages, QWidget* parent)
    : OptionsPageBase(messages, parent),
      settings_(settings),
      page_(GeneralPageOptions::load(settings, currentFolder())),
      workFolder_(new QLineEdit(this)),
      tempFolder_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("General"));
    switches_ = {checkBox("Allow Multiple Instances", page_.multipleInstances, this),
                 checkBox("Clear Clipboard When Exit", page_.autoReleaseClipboard, this),
                 checkBox("Ignore Floppy Drives", page_.ignoreFloppyDrives, this),
                 checkBox("Monitor File Changes", page_.monitorFileChanges, this)};
    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : switches_) {
        layout->addWidget(box);
        watch(box);
    }
    const auto folderGroup = [this, layout](const char* title, const char* button, QLineEdit* edit,
                                            std::array<QLabel*, 2>& facts, bool work) {
        auto* group = new QGroupBox(QString::fromLatin1(title), this);
        auto* grid = new QVBoxLayout(group);
        edit->setReadOnly(true);
        grid->addWidget(edit);
        auto* browse = new QPushButton(QString::fromLatin1(button), group);
        connect(browse, &QPushButton::clicked, this, [this, work] { this->browse(work); });
        auto* row = new QHBoxLayout;
        facts = {new QLabel(group), new QLabel(group)};
        row->addWidget(facts[0]);
        row->addWidget(facts[1]);
        row->addStretch();
        row->addWidget(browse);
        grid->addLayout(row);
        layout->addWidget(group);
    };
    folderGroup("Work Directory", "Browse Work Directory...", workFolder_, workFacts_, true);
    folderGroup("Temp Directory", "Browse Temp Directory...", tempFolder_, tempFacts_, false);
    layout->addStretch();
    workFolder_->setText(QString::fromStdString(page_.workFolder));
    // An empty temporary folder shows where temporary files go meanwhile.
    tempFolder_->setText(QString::fromStdString(page_.tempFolder.empty() ? settings.tempDirectory()
                                                                         : page_.tempFolder));
    showFacts(true);
    showFacts(false);
    loading_ = false;
    if (page_.changedOnLoad) {
        markChanged();
    }
}

void GeneralPage::showFacts(bool work) {
    const FolderFacts facts = folderFacts((work ? workFolder_ : tempFolder_)->text().toStdString());
    std::array<QLabel*, 2>& labels = work ? workFacts_ : tempFacts_;
    labels[0]->setText(QString::fromStdString(facts.fileSystemText));
    labels[1]->setText(QString::fromStdString(facts.freeSpaceText));
}

bool GeneralPage::chooseFolder(bool work, const std::string& folder) {
    if (!folderFacts(folder).usable) {
        return false;
    }
    (work ? page_.workFolder : page_.tempFolder) = folder;
    (work ? workFolder_ : tempFolder_)->setText(QString::fromStdString(folder));
    showFacts(work);
    markChanged();
    return true;
}

void GeneralPage::browse(bool work) {
    QFileDialog dialog(this,
                       work ? QStringLiteral("Choose File Save Directory")
                            : QStringLiteral("Choose Temp File Directory"),
                       (work ? workFolder_ : tempFolder_)->text());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // Only a writable folder on a local disk may be chosen.
    connect(&dialog, &QFileDialog::currentChanged, &dialog, [&dialog](const QString& path) {
        const bool usable = folderFacts(path.toStdString()).usable;
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->isDefault()) {
                button->setEnabled(usable);
            }
        }
    });
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        chooseFolder(work, dialog.selectedFiles().front().toStdString());
    }
}

bool GeneralPage::apply() {
    page_.multipleInstances = switches_[0]->isChecked();
    page_.autoReleaseClipboard = switches_[1]->isChecked();
    page_.ignoreFloppyDrives = switches_[2]->isChecked();
    page_.monitorFileChanges = switches_[3]->isChecked();
    page_.store(settings_);
    clearChanged();
    return true;
}

// --------------------------------------------------------------------- File

FilePage::FilePage(CSettings& settings, platform::MessageService& messages,
                   const std::string& programFolder, QWidget* parent)
    : OptionsPageBase(messages, parent),
      settings_(settings),
      page_(FilePageOptions::load(settings)),
      programFolder_(programFolder),
      contextMenu_(new QCheckBox(QStringLiteral("Display Context Menu Item"), this)),
      addressType_(new QComboBox(this)) {
    // Checked while the extension is registered; only with the module beside us.
    contextMenuRegistered_ = shellextension::isRegistered(settings.registry());
    contextMenu_->setChecked(contextMenuRegistered_);
    contextMenu_->setEnabled(
        std::filesystem::exists(programFolder_ + "/" + shellextension::kModuleName));
    setWindowTitle(QStringLiteral("File"));
    switches_ = {checkBox("Enable Drag-Drop", page_.dragDrop, this),
                 checkBox("Maximize Document Frame", page_.maximizeFrame, this),
                 checkBox("Open As Readonly", page_.openReadOnly, this),
                 checkBox("Create At Startup", page_.createAtStartup, this),
                 checkBox("Create Directly", page_.createDirectly, this)};
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i] = numberEdit(page_.fields[i], this);
        watch(edits_[i]);
    }
    addressType_->addItems({QStringLiteral("Default Address"), QStringLiteral("Display Address"),
                            QStringLiteral("Data Address")});
    addressType_->setCurrentIndex(page_.addressType);
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < 3; ++i) {
        layout->addWidget(switches_[i]);
    }
    auto* numbers = new QFormLayout;
    numbers->addRow(QStringLiteral("Number of MRFs on File Menu"), edits_[0]);
    numbers->addRow(QStringLiteral("Maximal Direct Edit Size(KB)"), edits_[1]);
    layout->addLayout(numbers);
    layout->addWidget(contextMenu_);
    watch(contextMenu_);
    auto* group = new QGroupBox(QStringLiteral("Create New File"), this);
    auto* create = new QFormLayout(group);
    create->addRow(switches_[3]);
    create->addRow(switches_[4]);
    create->addRow(QStringLiteral("Initial Byte"), edits_[3]);
    create->addRow(QStringLiteral("Data Length"), edits_[2]);
    create->addRow(QStringLiteral("Address Type"), addressType_);
    layout->addWidget(group);
    layout->addStretch();
    for (QCheckBox* box : switches_) {
        watch(box);
    }
    watch(addressType_);
    loading_ = false;
}

bool FilePage::validate() {
    return checkFields(page_.fields, edits_);
}

bool FilePage::apply() {
    if (!validate()) {
        return false;
    }
    page_.dragDrop = switches_[0]->isChecked();
    page_.maximizeFrame = switches_[1]->isChecked();
    page_.openReadOnly = switches_[2]->isChecked();
    page_.createAtStartup = switches_[3]->isChecked();
    page_.createDirectly = switches_[4]->isChecked();
    page_.addressType = addressType_->currentIndex();
    page_.store(settings_);
    const bool registered = applyContextMenu();
    clearChanged();
    return registered;
}

bool FilePage::applyContextMenu() {
    const bool wanted = contextMenu_->isChecked();
    if (wanted == contextMenuRegistered_) {
        return true;
    }
    const std::string module = programFolder_ + "/" + shellextension::kModuleName;
    QStringList arguments;
    for (const std::string& argument : shellextension::toolArguments(wanted, module)) {
        arguments << QString::fromStdString(argument);
    }
    // An argument list, no shell; the tool gets ten seconds.
    QProcess tool;
    tool.start(QString::fromStdString(programFolder_ + "/" + shellextension::kToolName), arguments);
    const bool done = tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
                      tool.exitCode() == 0;
    if (!done) {
        tool.kill();
        tool.waitForFinished(1000);
        const bool wasLoading = loading_;
        loading_ = true;
        contextMenu_->setChecked(contextMenuRegistered_);
        loading_ = wasLoading;
        return false;
    }
    contextMenuRegistered_ = wanted;
    return true;
}

// --------------------------------------------------------------------- Edit

EditPage::EditPage(CSettings& settings, platform::MessageService& messages, QWidget* parent)
    : OptionsPageBase(messages, parent),
      settings_(settings),
      page_(EditPageOptions::load(settings)),
      writeType_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Edit"));
    switches_ = {checkBox("Always Show Progress", page_.showProgress, this),
                 checkBox("Overwrite Warning Threshold: ", page_.overwriteWarn, this),
                 checkBox("Insert is Default", page_.isInsert, this),
                 checkBox("Use Rand Number", page_.useRand, this)};
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i] = numberEdit(page_.fields[i], this);
        watch(edits_[i]);
    }
    writeType_->addItems(
        {QStringLiteral("Write bytes to source"), QStringLiteral("Add bytes to source"),
         QStringLiteral("And bytes with source data"), QStringLiteral("Or bytes with source data"),
         QStringLiteral("Xor bytes with source data"), QStringLiteral("Not source data")});
    writeType_->setCurrentIndex(page_.writeType);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(switches_[0]);
    auto* limits = new QFormLayout;
    limits->addRow(QStringLiteral("Maximal Undo Actions Level: "), edits_[0]);
    auto* copy = new QHBoxLayout;
    copy->addWidget(edits_[1]);
    copy->addWidget(unitNote(settings, this));
    limits->addRow(QStringLiteral("Maximal Data Copy Amount: "), copy);
    auto* overwrite = new QHBoxLayout;
    overwrite->addWidget(edits_[2]);
    overwrite->addWidget(unitNote(settings, this));
    limits->addRow(switches_[1], overwrite);
    layout->addLayout(limits);
    auto* group = new QGroupBox(QStringLiteral("Modify Data Settings"), this);
    auto* modify = new QFormLayout(group);
    modify->addRow(switches_[2]);
    modify->addRow(switches_[3]);
    modify->addRow(QStringLiteral("Data Length: "), edits_[3]);
    modify->addRow(QStringLiteral("Initial Byte: "), edits_[4]);
    modify->addRow(QStringLiteral("Overwrite Operation: "), writeType_);
    layout->addWidget(group);
    layout->addStretch();
    for (QCheckBox* box : switches_) {
        watch(box);
    }
    watch(writeType_);
    loading_ = false;
    if (page_.changedOnLoad) {
        markChanged();
    }
}

bool EditPage::validate() {
    return checkFields(page_.fields, edits_);
}

bool EditPage::apply() {
    if (!validate()) {
        return false;
    }
    page_.showProgress = switches_[0]->isChecked();
    page_.overwriteWarn = switches_[1]->isChecked();
    page_.isInsert = switches_[2]->isChecked();
    page_.useRand = switches_[3]->isChecked();
    page_.writeType = writeType_->currentIndex();
    page_.store(settings_);
    clearChanged();
    return true;
}
