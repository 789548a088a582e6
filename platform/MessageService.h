#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/StringTable.h"

namespace platform {

enum class MessageIcon { None, Information, Question, Exclamation, Stop };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

// How a message is shown. Without a default answer the first button is the default.
struct MessageStyle {
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    std::optional<MessageAnswer> defaultAnswer;

    constexpr MessageStyle() = default;
    constexpr MessageStyle(MessageIcon icon, MessageButtons buttons = MessageButtons::Ok,
                           std::optional<MessageAnswer> defaultAnswer = std::nullopt)
        : icon(icon), buttons(buttons), defaultAnswer(defaultAnswer) {}
};

// One message as it reaches the screen.
struct MessageRequest {
    int stringId = 0;  // 0 for a text that is not a string resource
    std::string text;
    std::string caption;
    MessageStyle style;
    std::string checkBox;  // the label of a check box under the text, or none
};

// The first button of a button set: the answer of a message that is closed
// without a choice being possible, and the default default.
MessageAnswer firstAnswer(MessageButtons buttons);
// Whether `answer` is one of the buttons of `buttons`.
bool offers(MessageButtons buttons, MessageAnswer answer);

// Every message of a program goes through here: the text comes from the
// program's string table, the caption is the application title. Implementations
// decide only how the request is presented.
class MessageService {
  public:
    MessageService(const StringTable& strings, std::string caption)
        : strings_(strings), caption_(std::move(caption)) {}
    virtual ~MessageService() = default;
    MessageService(const MessageService&) = delete;
    MessageService& operator=(const MessageService&) = delete;

    // Shows string `id`, its printf conversions filled with `args`.
    MessageAnswer show(int id, MessageStyle style, std::initializer_list<FormatArg> args = {});
    // Shows a text that has no string id of its own.
    MessageAnswer showText(std::string_view text, MessageStyle style);
    // Shows string `id` with a check box labelled `checkBox`; `checked` holds
    // the box's state as the message closes (it starts as passed in).
    MessageAnswer showWithCheckBox(int id, MessageStyle style, std::string_view checkBox,
                                   bool& checked);

    const StringTable& strings() const { return strings_; }
    const std::string& caption() const { return caption_; }

  protected:
    virtual MessageAnswer present(const MessageRequest& request) = 0;
    // A message with a check box; where it is not shown the box keeps its state.
    virtual MessageAnswer presentWithCheckBox(const MessageRequest& request, bool& checked) {
        (void)checked;
        return present(request);
    }

  private:
    const StringTable& strings_;
    std::string caption_;
};

}  // namespace platform
