#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "display/PageSetup.h"

class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace platform {
class MessageService;
}

// "Page Setup" (222): header and footer templates with their ">" code
// menus, the footer's break line, the margins and the lines per page with
// "Auto Detect". OK checks the fields and takes them; Cancel keeps the
// previous values.
class CPageSetupDialog : public QDialog {
  public:
    // `detect` gives the lines per page for the setup as it is now, or
    // nothing without a printer.
    CPageSetupDialog(PageSetup setup, platform::MessageService& messages,
                     std::function<std::optional<int>(const PageSetup&)> detect,
                     QWidget* parent = nullptr);

    const PageSetup& setup() const { return setup_; }
    QLineEdit* headerEdit() const { return header_; }
    QLineEdit* footerEdit() const { return footer_; }
    QLineEdit* marginEdit(int index) const { return margins_[static_cast<std::size_t>(index)]; }
    QLineEdit* linesEdit() const { return lines_; }
    QPushButton* codeButton(bool footer) const { return footer ? footerCodes_ : headerCodes_; }
    QPushButton* autoDetectButton() const { return autoDetect_; }
    // The ">" menu of one template, as it opens.
    std::unique_ptr<QMenu> codeMenu(QLineEdit* target);

    void accept() override;

  private:
    PageSetup collect() const;
    void detectLines();

    PageSetup setup_;
    platform::MessageService& messages_;
    std::function<std::optional<int>(const PageSetup&)> detect_;
    QLineEdit* header_;
    QLineEdit* footer_;
    QPushButton* headerCodes_;
    QPushButton* footerCodes_;
    QCheckBox* noSeparator_;
    std::array<QLineEdit*, 4> margins_{};
    QPushButton* autoDetect_;
    QLineEdit* lines_;
};
