#include "tests/support/ScriptedMessageService.h"

#include <gtest/gtest.h>

namespace testsupport {

std::vector<int> ScriptedMessageService::shownIds() const {
    std::vector<int> ids;
    for (const auto& request : shown_) {
        ids.push_back(request.stringId);
    }
    return ids;
}

platform::MessageAnswer ScriptedMessageService::present(const platform::MessageRequest& request) {
    shown_.push_back(request);
    const auto fallback =
        request.style.defaultAnswer.value_or(platform::firstAnswer(request.style.buttons));
    if (answers_.empty()) {
        return fallback;
    }
    const auto answer = answers_.front();
    answers_.pop_front();
    EXPECT_TRUE(platform::offers(request.style.buttons, answer))
        << "the scripted answer is not a button of message " << request.stringId << ": "
        << request.text;
    return answer;
}

platform::MessageAnswer ScriptedMessageService::presentWithCheckBox(
    const platform::MessageRequest& request, bool& checked) {
    if (!checks_.empty()) {
        checked = checks_.front();
        checks_.pop_front();
    }
    return present(request);
}

}  // namespace testsupport
