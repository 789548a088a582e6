#pragma once

#include <QDialog>

#include "app/TipSelector.h"

class CSettings;
class QCheckBox;
class QLabel;

namespace platform {
class StringTable;
}

// "Tip of the Day": "Did you know..." and one tip, "Next Tip", and "Show
// tips at startup" ("Settings"/"ShowTips", written when the dialog closes).
class CTipDialog : public QDialog {
  public:
    // `selector` keeps which tips this run has shown.
    CTipDialog(CSettings& settings, const platform::StringTable& strings, TipSelector& selector,
               QWidget* parent = nullptr);

    void showNextTip();
    QLabel* tipLabel() const { return tip_; }
    QCheckBox* showAtStartup() const { return startup_; }
    void done(int result) override;

  private:
    CSettings& settings_;
    const platform::StringTable& strings_;
    TipSelector& selector_;
    unsigned seed_;
    QLabel* tip_;
    QCheckBox* startup_;
};
