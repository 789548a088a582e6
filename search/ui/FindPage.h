#pragma once

#include <QWidget>

#include "search/FindPageOptions.h"

class CSettings;
class QCheckBox;
class QLineEdit;

namespace platform {
class MessageService;
}

// The "Find" options page: recycling, background search, the longest
// occurrence and the threshold, the hex wildcard and the three close
// options. It loads the keys when made and writes them all when applied
// after a change. Usable on its own until the options sheet hosts it.
class FindPage : public QWidget {
  public:
    FindPage(CSettings& settings, platform::MessageService& messages, QWidget* parent = nullptr);

    bool isChanged() const { return changed_; }
    // Checks the numbers and writes every key; false (with the range
    // message shown) when a number is out of range. Nothing is written
    // while nothing changed.
    bool apply();

    QLineEdit* maxFindBytesEdit() const { return maxFindBytes_; }
    QLineEdit* thresholdEdit() const { return threshold_; }
    QLineEdit* wildcardEdit() const { return wildcard_; }
    QCheckBox* recyclingBox() const { return recycling_; }

  private:
    CSettings& settings_;
    platform::MessageService& messages_;
    bool changed_ = false;
    QCheckBox* recycling_;
    QCheckBox* async_;
    QLineEdit* maxFindBytes_;
    QLineEdit* threshold_;
    QCheckBox* allowWildcard_;
    QLineEdit* wildcard_;
    QCheckBox* closeAfterFind_;
    QCheckBox* closeAfterReplace_;
    QCheckBox* closeAfterReplaceAll_;
};
