#pragma once

#include <QDialog>
#include <string>

class QLabel;

// The properties of a file: the file manager's own properties window when
// one answers on the session bus, else this small dialog of ours.
class CFilePropertiesDialog : public QDialog {
  public:
    explicit CFilePropertiesDialog(const std::string& path, QWidget* parent = nullptr);
    QString text(int row) const;

  private:
    std::vector<QLabel*> values_;
};

// Asks the desktop's file manager to show `path`'s properties; false when
// none answers.
bool showPropertiesInFileManager(const std::string& path);
// The file manager's properties, or the dialog where no file manager answers.
void showFileProperties(const std::string& path, QWidget* parent);

// The permission bits as "rwxr-x---".
std::string permissionText(unsigned mode);
