#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "app/EditFilePageOptions.h"
#include "app/GeneralPageOptions.h"

class CSettings;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace platform {
class MessageService;
}

// What every options page of the frame's own does: it loads when made, is
// changed once the user changes a control, checks its numeric fields (the
// range message, the field focused) and writes when applied.
class OptionsPageBase : public QWidget {
  public:
    OptionsPageBase(platform::MessageService& messages, QWidget* parent)
        : QWidget(parent), messages_(messages) {}
    bool isChanged() const { return changed_; }
    // Told whenever the page becomes changed.
    std::function<void()> onChanged;

  protected:
    void markChanged();
    // Watches a control for the user's changes.
    void watch(QCheckBox* box);
    void watch(QLineEdit* edit);
    void watch(QComboBox* box);
    // The fields' texts into `fields`; false (message shown, field focused)
    // for the first that is out of range.
    template <std::size_t N>
    bool checkFields(std::array<NumberField, N>& fields, const std::array<QLineEdit*, N>& edits);
    void clearChanged() { changed_ = false; }

    platform::MessageService& messages_;
    bool loading_ = true;

  private:
    bool changed_ = false;
};

// "General" (207): the four switches and the work and temporary folders,
// each with its file system and free space.
class GeneralPage : public OptionsPageBase {
  public:
    GeneralPage(CSettings& settings, platform::MessageService& messages, QWidget* parent = nullptr);
    bool validate() { return true; }
    bool apply();
    // Takes a folder as the browse button does (refused when not usable).
    bool chooseFolder(bool work, const std::string& folder);
    QLineEdit* workFolderEdit() const { return workFolder_; }
    QLineEdit* tempFolderEdit() const { return tempFolder_; }
    QLabel* workFacts(int line) const { return workFacts_[static_cast<std::size_t>(line)]; }

  private:
    void showFacts(bool work);
    void browse(bool work);
    CSettings& settings_;
    GeneralPageOptions page_;
    std::array<QCheckBox*, 4> switches_{};
    QLineEdit* workFolder_;
    QLineEdit* tempFolder_;
    std::array<QLabel*, 2> workFacts_{};
    std::array<QLabel*, 2> tempFacts_{};
};

// "File" (202): opening, the recent files, the direct edit size and the
// "Create New File" group.
class FilePage : public OptionsPageBase {
  public:
    // `programFolder` holds the extension module and its registration tool.
    FilePage(CSettings& settings, platform::MessageService& messages,
             const std::string& programFolder, QWidget* parent = nullptr);
    bool validate();
    bool apply();
    QLineEdit* field(int index) const { return edits_[static_cast<std::size_t>(index)]; }
    QComboBox* addressType() const { return addressType_; }
    QCheckBox* contextMenuBox() const { return contextMenu_; }

  private:
    // Runs the registration tool; false (the box put back) when it failed.
    bool applyContextMenu();
    CSettings& settings_;
    FilePageOptions page_;
    std::string programFolder_;
    QCheckBox* contextMenu_;
    bool contextMenuRegistered_ = false;
    std::array<QCheckBox*, 5> switches_{};
    std::array<QLineEdit*, 4> edits_{};
    QComboBox* addressType_;
};

// "Edit" (199): progress, undo, copy and overwrite limits, and the Modify
// Data settings.
class EditPage : public OptionsPageBase {
  public:
    EditPage(CSettings& settings, platform::MessageService& messages, QWidget* parent = nullptr);
    bool validate();
    bool apply();
    QLineEdit* field(int index) const { return edits_[static_cast<std::size_t>(index)]; }
    QComboBox* writeType() const { return writeType_; }

  private:
    CSettings& settings_;
    EditPageOptions page_;
    std::array<QCheckBox*, 4> switches_{};
    std::array<QLineEdit*, 5> edits_{};
    QComboBox* writeType_;
};
