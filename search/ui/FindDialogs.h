#pragma once

#include <QDialog>
#include <string>

#include "search/FindTool.h"
#include "search/ReplaceTool.h"
#include "search/SearchHistory.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class CSettings;

namespace platform {
class MessageService;
class ProgressRunner;
}  // namespace platform

// What both dialogs need from the program.
struct FindContext {
    CSettings& settings;
    platform::MessageService& messages;
    platform::ProgressRunner* runner;
    SearchHistory& findHistory;
    SearchHistory& replaceHistory;
};

// The controls the Find and Replace dialogs share: the find box with its
// history, the three mode boxes, the ">" insertion menu and the note.
class FindDialogBase : public QDialog {
  public:
    FindDialogBase(FindContext context, const QString& title, QWidget* parent);

  protected:
    void buildFindControls(const QString& findLabel);
    void fillFindBox(const std::string& text);
    std::string findBoxText() const;
    void addToFindHistory(const std::string& text);
    void readModes(FindOptions& options) const;
    void showModes(const FindOptions& options);
    void updateModeControls();
    // The dialog's list back to the tool bar's history.
    void returnFindHistory();

    FindContext context_;
    QComboBox* find_ = nullptr;
    QCheckBox* ascii_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* regex_ = nullptr;
    QPushButton* insert_ = nullptr;
    QLabel* note_ = nullptr;
};

// The Find dialog of one view, kept between showings with its tool.
class FindDialog : public FindDialogBase {
  public:
    FindDialog(FindTool& tool, FindContext context, QWidget* parent);
    // Shows the dialog modally with the find box's text, searching `view`.
    void present(const std::string& boxText, SearchView& view);

  private:
    void findNext();

    FindTool& tool_;
    SearchView* view_ = nullptr;
    QRadioButton* up_ = nullptr;
    QCheckBox* markLines_ = nullptr;
};

// The Replace dialog of one view.
class ReplaceDialog : public FindDialogBase {
  public:
    ReplaceDialog(ReplaceTool& tool, FindContext context, QWidget* parent);
    void present(const std::string& boxText, SearchView& view);

  private:
    void updateRangeControls();
    void takeControls();
    void findNext();
    void replace();
    void replaceAll();

    ReplaceTool& tool_;
    SearchView* view_ = nullptr;
    QComboBox* replace_ = nullptr;
    QRadioButton* whole_ = nullptr;
    QRadioButton* selection_ = nullptr;
    QCheckBox* fromTop_ = nullptr;
    QPushButton* findNextButton_ = nullptr;
    QPushButton* replaceButton_ = nullptr;
};
