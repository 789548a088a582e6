#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QPushButton;
class QTimer;

// "Insert Disk": asks for a disk in a removable or optical drive and looks
// again every few seconds (timer 100, 4000 ms), closing with success by
// itself once a volume is there. While it waits, OK is hidden and the
// pointer is the wait cursor except over Cancel.
class CInsertDiskDialog : public QDialog {
  public:
    static constexpr int kTimerId = 100;
    static constexpr int kInterval = 4000;

    // `drive`: the drive's name as the message gives it; `present`: whether
    // a volume is in the drive now.
    CInsertDiskDialog(const std::string& drive, bool optical, std::function<bool()> present,
                      QWidget* parent = nullptr, int intervalMs = kInterval);

    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  private:
    std::function<bool()> present_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QTimer* timer_;
};
