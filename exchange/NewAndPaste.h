#pragma once

#include <cstdint>
#include <optional>

#include "exchange/ClipboardExchange.h"

class CSettings;

namespace platform {
class Clipboard;
class MessageService;
}  // namespace platform

// String ids of the new-file rules.
namespace newfilestrings {
inline constexpr int kSizeTooLarge = 1024;
inline constexpr int kSizeNotPositive = 1030;
}  // namespace newfilestrings

// "Newdoc Ofs Type" as stored, held to the three address types.
StartAddressType storedAddressType(const CSettings& settings);

// What New And Paste asks the user, through its dialogs; nothing for Cancel.
class NewAndPasteQuestions {
  public:
    struct PasteAnswer {
        StartAddressType addressType = StartAddressType::Default;
        bool clipboardSize = true;  // "Use Clipboard Data Size"
    };
    struct SizeAnswer {
        std::uint64_t size = 0;
        std::uint8_t fill = 0;
    };
    virtual ~NewAndPasteQuestions() = default;
    // "Create New File And Paste Data".
    virtual std::optional<PasteAnswer> askPaste() = 0;
    // "Create New File", when the clipboard's size is not used.
    virtual std::optional<SizeAnswer> askSize() = 0;
};

// The new document New And Paste makes: its size and fill, and the data
// start address it shows.
struct NewDocumentPlan {
    std::uint64_t size = 0;
    std::uint8_t fill = 0;
    std::uint32_t dataStartAddress = 0;
};

// The steps of New And Paste up to the new document: the clipboard's item
// (an item without bytes is refused with 1030), the questions unless
// "Newdoc Dir Create" is set, a size of 0 refused with 1030. Nothing when
// there is nothing to make or the user cancels.
std::optional<NewDocumentPlan> planNewAndPaste(const platform::Clipboard& clipboard,
                                               const CSettings& settings,
                                               NewAndPasteQuestions& questions,
                                               platform::MessageService& messages);
