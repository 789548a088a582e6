#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QLineEdit;

// "Quick open": a folder and a file name typed in (or picked with
// "Browser..."), opened as "folder/name", read-only when asked.
class CQuickOpenDialog : public QDialog {
  public:
    explicit CQuickOpenDialog(const std::string& folder, QWidget* parent = nullptr);

    std::string path() const;
    bool readOnly() const;
    QLineEdit* folderEdit() const { return folder_; }
    QLineEdit* nameEdit() const { return name_; }
    QCheckBox* readOnlyBox() const { return readOnly_; }

  private:
    QLineEdit* folder_;
    QLineEdit* name_;
    QCheckBox* readOnly_;
};
