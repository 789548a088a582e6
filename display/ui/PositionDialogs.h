#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <vector>

#include "display/PositionInput.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace platform {
class MessageService;
}

// "Hexadecimal" / "Decimal" / "Octal" radio buttons that rewrite a set of
// edits in the newly chosen base.
class NumberBaseButtons {
  public:
    NumberBaseButtons(QWidget* parent, std::vector<QLineEdit*> edits);
    QWidget* widget() const { return box_; }
    NumberBase base() const { return base_; }
    QRadioButton* button(NumberBase base) const;
    void choose(NumberBase base);

  private:
    QWidget* box_;
    std::array<QRadioButton*, 3> buttons_{};
    std::vector<QLineEdit*> edits_;
    NumberBase base_ = NumberBase::Hexadecimal;
};

// "Set Range": a start and an end address, each with its presets.
class SetRangeDialog : public QDialog {
  public:
    struct Presets {
        std::int64_t beginning = 0;  // data start address
        std::int64_t end = 0;        // data start address + data size
        std::int64_t current = 0;    // data start address + caret offset
    };
    SetRangeDialog(std::int64_t start, std::int64_t end, const Presets& presets,
                   std::int64_t dataStart, std::uint64_t dataSize,
                   platform::MessageService& messages, QWidget* parent = nullptr);

    void accept() override;
    std::int64_t start() const { return start_; }
    std::int64_t end() const { return end_; }
    QLineEdit* startEdit() const;
    QLineEdit* endEdit() const;
    QComboBox* startPresets() const { return startField_; }
    NumberBaseButtons& bases() { return *bases_; }

  private:
    QComboBox* makeField(std::int64_t value);

    Presets presets_;
    std::int64_t dataStart_;
    std::uint64_t dataSize_;
    platform::MessageService& messages_;
    QComboBox* startField_;
    QComboBox* endField_;
    std::unique_ptr<NumberBaseButtons> bases_;
    std::int64_t start_ = 0;
    std::int64_t end_ = 0;
};

// "Set Column Block": first and last row and unit column, in decimal.
class SetColumnBlockDialog : public QDialog {
  public:
    struct Block {
        std::int64_t firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    };
    SetColumnBlockDialog(const Block& initial, std::uint64_t lines, int unitsPerLine,
                         platform::MessageService& messages, QWidget* parent = nullptr);

    void accept() override;
    const Block& block() const { return block_; }
    // First Row, Last Row, First Col., Last Col.
    QLineEdit* edit(int index) const { return edits_[static_cast<std::size_t>(index)]; }

  private:
    std::uint64_t lines_;
    int unitsPerLine_;
    platform::MessageService& messages_;
    std::array<QLineEdit*, 4> edits_{};
    Block block_;
};

// "Specify Position": one address between the caller's minimum and maximum.
class SpecifyPositionDialog : public QDialog {
  public:
    SpecifyPositionDialog(const QString& caption, std::int64_t minimum, std::int64_t maximum,
                          std::int64_t initial, platform::MessageService& messages,
                          QWidget* parent = nullptr);

    void accept() override;
    std::int64_t value() const { return value_; }
    QLineEdit* edit() const { return edit_; }
    NumberBaseButtons& bases() { return *bases_; }

  private:
    std::int64_t minimum_;
    std::int64_t maximum_;
    platform::MessageService& messages_;
    QLineEdit* edit_;
    std::unique_ptr<NumberBaseButtons> bases_;
    std::int64_t value_ = 0;
};
