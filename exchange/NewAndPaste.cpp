#include "exchange/NewAndPaste.h"

#include <algorithm>

#include "platform/MessageService.h"
#include "settings/CSettings.h"

StartAddressType storedAddressType(const CSettings& settings) {
    const int stored = settings.get(settings::edit::NewdocOfsType);
    return stored >= 0 && stored <= 2 ? static_cast<StartAddressType>(stored)
                                      : StartAddressType::Default;
}

std::optional<NewDocumentPlan> planNewAndPaste(const platform::Clipboard& clipboard,
                                               const CSettings& settings,
                                               NewAndPasteQuestions& questions,
                                               platform::MessageService& messages) {
    const std::optional<ClipboardItem> item = peekClipboardItem(clipboard);
    if (!item) {
        return std::nullopt;
    }
    const auto refuse = [&messages] {
        messages.show(newfilestrings::kSizeNotPositive, {platform::MessageIcon::Exclamation});
        return std::nullopt;
    };
    if (item->size == 0) {
        // A block of no columns (or rows) holds no byte to paste, whatever
        // size its rows would make.
        return refuse();
    }
    StartAddressType type = storedAddressType(settings);
    const int blockWidth =
        std::max(static_cast<int>(std::min<std::uint32_t>(item->columns, 0x7fffffff)),
                 settings.get(settings::edit::MinColumn));
    NewDocumentPlan plan;
    plan.size = documentSizeFor(*item, blockWidth);
    if (settings.get(settings::edit::NewdocDirCreate) == 0) {
        const auto answer = questions.askPaste();
        if (!answer) {
            return std::nullopt;
        }
        type = answer->addressType;
        if (!answer->clipboardSize) {
            const auto sized = questions.askSize();
            if (!sized) {
                return std::nullopt;
            }
            plan.size = sized->size;
            plan.fill = sized->fill;
        }
    }
    if (plan.size == 0) {
        return refuse();
    }
    plan.dataStartAddress = startAddressFor(*item, type);
    return plan;
}
