#pragma once

#include <functional>

#include "platform/MessageService.h"

class QWidget;

namespace platform {

// Messages as modal message boxes over the program's active window. Texts are
// shown as plain text, so a file name is never read as markup.
class QtMessageService : public MessageService {
  public:
    // `parent` gives the window the box is modal to; by default the active window.
    QtMessageService(const StringTable& strings, std::string caption,
                     std::function<QWidget*()> parent = {});

  protected:
    MessageAnswer present(const MessageRequest& request) override;
    MessageAnswer presentWithCheckBox(const MessageRequest& request, bool& checked) override;

  private:
    std::function<QWidget*()> parent_;
};

}  // namespace platform
