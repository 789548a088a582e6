#pragma once

#include <QObject>
#include <functional>
#include <string>

class HelpSet;
class QWidget;

// The help page of a dialog of the program: the subject it belongs to;
// "" for a dialog without one.
std::string dialogTopic(const QWidget& dialog);

// Gives every dialog of the program its context help when it first shows:
// What's This on its controls with topics and F1 on its subject's page.
class DialogHelpFilter : public QObject {
  public:
    DialogHelpFilter(std::function<const HelpSet*()> help,
                     std::function<void(const std::string& page)> open, QObject* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<const HelpSet*()> help_;
    std::function<void(const std::string&)> open_;
};
