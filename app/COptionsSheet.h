#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QPushButton;
class QTabWidget;

// "Application Options": the pages in their order, OK, Cancel, Apply and
// Help. A page joins by one registration: its widget and what the sheet
// asks of it. Leaving a page (another tab, OK, Apply) checks it; a page
// that refuses stays current and nothing is written. OK and Apply write
// only the pages the user changed; Apply is enabled while one is changed.
class COptionsSheet : public QDialog {
  public:
    struct Page {
        QWidget* widget = nullptr;
        QString title;
        std::function<bool()> changed;
        // Shows the first bad field's message and focuses it; false then.
        std::function<bool()> validate;
        // Writes the page; false when it could not be written.
        std::function<bool()> apply;
    };

    explicit COptionsSheet(QWidget* parent = nullptr);
    void addPage(Page page);

    QTabWidget* tabs() const { return tabs_; }
    QPushButton* applyButton() const { return apply_; }
    QPushButton* helpButton() const { return help_; }
    // What Help does for the current page (its index); without it Help is off.
    void setHelp(std::function<void(int page)> help);
    // Every page's change: Apply follows.
    void pageChanged();
    // Apply: checks the current page, writes the changed ones.
    bool applyChanges();
    // OK: Apply, and the sheet closes when nothing refused.
    void accept() override;

  private:
    QTabWidget* tabs_;
    QPushButton* apply_;
    QPushButton* help_;
    std::vector<Page> pages_;
    int current_ = 0;
    bool switching_ = false;
};
