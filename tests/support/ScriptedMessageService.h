#pragma once

#include <deque>
#include <vector>

#include "platform/MessageService.h"

namespace testsupport {

// A message service for tests: records every message (string id and final
// text) and answers with the answers queued by the test, in order. With no
// answer queued it answers the message's default button, as a user pressing
// Enter would.
class ScriptedMessageService : public platform::MessageService {
  public:
    explicit ScriptedMessageService(const platform::StringTable& strings,
                                    std::string caption = "Kestrane")
        : MessageService(strings, std::move(caption)) {}

    void answer(platform::MessageAnswer answer) { answers_.push_back(answer); }
    // How the next message with a check box leaves it (unchanged without one).
    void tick(bool checked) { checks_.push_back(checked); }

    const std::vector<platform::MessageRequest>& shown() const { return shown_; }
    // The string ids of the messages shown so far, in order.
    std::vector<int> shownIds() const;
    // Answers queued but never used: a test that expected a question which
    // never came sees them here.
    std::size_t unusedAnswers() const { return answers_.size(); }

  protected:
    platform::MessageAnswer present(const platform::MessageRequest& request) override;
    platform::MessageAnswer presentWithCheckBox(const platform::MessageRequest& request,
                                                bool& checked) override;

  private:
    std::deque<platform::MessageAnswer> answers_;
    std::deque<bool> checks_;
    std::vector<platform::MessageRequest> shown_;
};

}  // namespace testsupport
