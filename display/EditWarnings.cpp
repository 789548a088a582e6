#include "display/EditWarnings.h"

#include "platform/MessageService.h"
#include "settings/CSettings.h"

bool EditWarnings::confirmThreshold(std::uint64_t amount, int stringId) {
    const auto threshold = static_cast<std::uint64_t>(settings_.get(settings::edit::OverwriteSize));
    if (settings_.get(settings::edit::OverwriteWarn) == 0 || amount < threshold) {
        return true;
    }
    return confirmIrreversible(stringId);
}

bool EditWarnings::confirmIrreversible(int stringId) {
    if (settings_.get(settings::edit::OverwriteWarn) == 0) {
        return true;
    }
    bool noLongerWarn = false;
    const platform::MessageAnswer answer = messages_.showWithCheckBox(
        stringId, {platform::MessageIcon::Exclamation, platform::MessageButtons::OkCancel},
        "No Longer Warning", noLongerWarn);
    if (noLongerWarn) {
        settings_.write(settings::edit::OverwriteWarn, 0);
    }
    return answer == platform::MessageAnswer::Ok;
}
