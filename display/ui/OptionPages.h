#pragma once

#include <QDialog>
#include <QWidget>
#include <string>
#include <vector>

#include "display/PresentationOptions.h"

class CSettings;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace platform {
class MessageService;
}

// The "Presentation" options page: line width limits, escape character and
// address base; the three "Hexdata Panel" fields show the stored values and
// stay disabled. Usable on its own until the options sheet hosts it.
class PresentationPage : public QWidget {
  public:
    PresentationPage(CSettings& settings, platform::MessageService& messages,
                     QWidget* parent = nullptr);

    // Checks the fields: false (with the range message shown) when one is
    // out of range.
    bool validate();
    // Checks the fields and writes them; false when a field is out of range.
    bool apply();

    QLineEdit* lineWidthEdit() const { return lineWidth_; }
    QLineEdit* indentEdit() const { return indent_; }
    QLineEdit* unitEdit() const { return unit_; }
    QLineEdit* minWidthEdit() const { return minWidth_; }
    QLineEdit* maxWidthEdit() const { return maxWidth_; }
    QLineEdit* escapeEdit() const { return escape_; }
    QRadioButton* hexButton() const { return hex_; }
    QRadioButton* decimalButton() const { return decimal_; }

  private:
    CSettings& settings_;
    platform::MessageService& messages_;
    QLineEdit* lineWidth_;
    QLineEdit* indent_;
    QLineEdit* unit_;
    QLineEdit* minWidth_;
    QLineEdit* maxWidth_;
    QLineEdit* escape_;
    QRadioButton* hex_;
    QRadioButton* decimal_;
};

// The "Appearance" options page: display and printing fonts, the background
// and foreground colours with "Choose Color", and "Set As Defaults".
class AppearancePage : public QWidget {
  public:
    explicit AppearancePage(CSettings& settings, QWidget* parent = nullptr);

    void apply();
    void setDefaults();
    // Sets the colour of the entry selected in one list (as Choose Color does).
    void setSelectedColor(bool background, ColorRef color);

    QComboBox* displayFont() const { return displayFont_; }
    QComboBox* printFont() const { return printFont_; }
    QListWidget* backgrounds() const { return backgrounds_; }
    QListWidget* foregrounds() const { return foregrounds_; }
    const AppearanceOptions& options() const { return options_; }

  private:
    void chooseColor(bool background);
    void showColors();
    std::vector<std::string> listedFaces() const;

    CSettings& settings_;
    AppearanceOptions options_;
    QComboBox* displayFont_;
    QComboBox* printFont_;
    QListWidget* backgrounds_;
    QListWidget* foregrounds_;
};

// "Set Data Unit": the current line length and unit, and the new unit.
class SetDataUnitDialog : public QDialog {
  public:
    SetDataUnitDialog(int lineWidth, int unit, platform::MessageService& messages,
                      QWidget* parent = nullptr);

    int newUnit() const { return newUnit_; }
    QLineEdit* unitEdit() const { return edit_; }
    void accept() override;

  private:
    int lineWidth_;
    int newUnit_;
    platform::MessageService& messages_;
    QLineEdit* edit_;
};
