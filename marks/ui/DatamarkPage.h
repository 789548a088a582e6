#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "marks/DatamarkPageOptions.h"

class QCheckBox;
class QRadioButton;
class QTableWidget;

namespace platform {
class MessageService;
}

// The "Datamark" options page (196): the navigation order, the four
// switches and the level list (names edited in place, a double-click
// toggling Show and Hide). It loads when made and writes everything when
// applied after a change. Usable on its own until the options sheet hosts it.
class DatamarkPage : public QWidget {
  public:
    DatamarkPage(const CSettings& settings, const DatamarkLevels& levels, DatamarkStore& store,
                 platform::MessageService& messages, QWidget* parent = nullptr);

    bool isChanged() const { return changed_; }
    // Writes the page when it changed; false (reported) when the store
    // could not be written. `onApplied` then rebuilds the level table.
    bool apply();
    std::function<void()> onApplied;

    QTableWidget* levelList() const { return list_; }
    QCheckBox* autoSaveBox() const { return switches_[0]; }
    QRadioButton* orderButton(int style) const { return order_[static_cast<std::size_t>(style)]; }

  private:
    void fillLevels();
    void toggleShow(int row);
    void collect();

    DatamarkStore& store_;
    platform::MessageService& messages_;
    DatamarkPageOptions page_;
    bool changed_ = false;
    bool filling_ = false;
    std::array<QRadioButton*, 3> order_{};
    std::array<QCheckBox*, 4> switches_{};
    QTableWidget* list_ = nullptr;
};
