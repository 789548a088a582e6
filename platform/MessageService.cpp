#include "platform/MessageService.h"

namespace platform {

MessageAnswer firstAnswer(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
        case MessageButtons::OkCancel:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Yes;
        case MessageButtons::RetryCancel:
            return MessageAnswer::Retry;
    }
    return MessageAnswer::Ok;
}

bool offers(MessageButtons buttons, MessageAnswer answer) {
    switch (buttons) {
        case MessageButtons::Ok:
            return answer == MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No ||
                   answer == MessageAnswer::Cancel;
        case MessageButtons::RetryCancel:
            return answer == MessageAnswer::Retry || answer == MessageAnswer::Cancel;
    }
    return false;
}

MessageAnswer MessageService::show(int id, MessageStyle style,
                                   std::initializer_list<FormatArg> args) {
    return present({id, strings_.format(id, args), caption_, style, {}});
}

MessageAnswer MessageService::showText(std::string_view text, MessageStyle style) {
    return present({0, std::string(text), caption_, style, {}});
}

MessageAnswer MessageService::showWithCheckBox(int id, MessageStyle style,
                                               std::string_view checkBox, bool& checked) {
    MessageRequest request{id, strings_.text(id), caption_, style, std::string(checkBox)};
    return presentWithCheckBox(request, checked);
}

}  // namespace platform
