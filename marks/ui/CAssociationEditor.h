#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "marks/AssociationList.h"

class QAbstractSpinBox;
class QListWidget;
class QPushButton;

namespace platform {
class MessageService;
}

// The association list of the datamark dialogs with its order spin,
// "Associate ..." and "Disconnect ".
class CAssociationEditor : public QWidget {
  public:
    // `choose` runs the association chooser and gives the chosen string.
    CAssociationEditor(platform::MessageService& messages,
                       std::function<std::optional<std::string>()> choose, QWidget* parent);

    void setEntries(const std::vector<std::string>& entries);
    const std::vector<std::string>& entries() const { return list_.entries(); }
    // The list and "Associate ..." follow the dialog's enabling.
    void setEditable(bool editable);

    QListWidget* listWidget() const { return view_; }
    QPushButton* associateButton() const { return associate_; }
    QPushButton* disconnectButton() const { return disconnect_; }
    QAbstractSpinBox* orderSpin() const { return order_; }
    // One place up (-1) or down (+1), as the spin's arrows do.
    void moveSelected(int direction);

  private:
    void refill(int selected);
    void updateButtons();

    platform::MessageService& messages_;
    std::function<std::optional<std::string>()> choose_;
    AssociationList list_;
    QListWidget* view_ = nullptr;
    QAbstractSpinBox* order_ = nullptr;
    QPushButton* associate_ = nullptr;
    QPushButton* disconnect_ = nullptr;
    bool editable_ = true;
};

// "Datamark Association" (194): the chooser over `groups`; the association
// string of the chosen datamark, or nothing.
std::optional<std::string> chooseAssociation(QWidget* parent,
                                             const std::vector<ChooserGroup>& groups,
                                             const std::string& rootTitle,
                                             const std::string& ownPath);
