#pragma once

#include <QWidget>

#include "interpret/InterpreterSettings.h"

class CSettings;
class QCheckBox;
class QRadioButton;

// The "Interpretation" options page (220): byte order, number system,
// "Auto Show Window" and "Lock Window Position". It writes the stored values
// only; the running window keeps its own state until it goes. Usable on its
// own until the options sheet hosts it.
class InterpretationPage : public QWidget {
  public:
    // The context-help topic of each control, kept on it as "helpTopic".
    static constexpr int kAutoShowTopic = 1100;
    static constexpr int kLockPositionTopic = 1101;
    static constexpr int kDecimalTopic = 1102;
    static constexpr int kHexadecimalTopic = 1103;
    static constexpr int kBigEndianTopic = 1104;
    static constexpr int kLittleEndianTopic = 1105;

    explicit InterpretationPage(CSettings& settings, QWidget* parent = nullptr);

    // Reads the stored values into the controls.
    void load();
    bool isChanged() const { return changed_; }
    // Writes the values when the page changed; false when they could not be written.
    bool apply();

    QRadioButton* littleEndianButton() const { return little_; }
    QRadioButton* bigEndianButton() const { return big_; }
    QRadioButton* hexadecimalButton() const { return hexadecimal_; }
    QRadioButton* decimalButton() const { return decimal_; }
    QCheckBox* autoShowBox() const { return autoShow_; }
    QCheckBox* lockPositionBox() const { return lockPosition_; }

  private:
    InterpretationPageOptions collect() const;

    CSettings& settings_;
    bool changed_ = false;
    bool loading_ = false;
    QRadioButton* little_;
    QRadioButton* big_;
    QRadioButton* hexadecimal_;
    QRadioButton* decimal_;
    QCheckBox* autoShow_;
    QCheckBox* lockPosition_;
};
