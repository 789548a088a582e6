#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "display/CHexPanel.h"
#include "framework/CommandTarget.h"
#include "platform/StringTable.h"

class CSettings;

namespace platform {
class MessageService;
}

namespace edittext {
inline constexpr int kInsertionPoint = 1002;  // "Choose Insertion Point"
inline constexpr int kOverwritePoint = 1003;  // "Choose Overwrite Point"
inline constexpr int kSetDataSize = 1010;     // "Set Data Size"
inline constexpr int kExpandTooLarge = 1011;
inline constexpr int kCannotExpand = 1012;
inline constexpr int kOverwriteNoRoom = 1050;
}  // namespace edittext
std::span<const platform::StringEntry> editCommandStrings();

// The editing commands of a view by command id: whether each is enabled
// now, and running those that need no dialog, with the messages they show.
// The commands with a dialog run through the entry points that take the
// dialog's answer.
class EditCommands : public CommandTarget {
  public:
    // `pasteAvailable`: whether the clipboard holds something to paste, when
    // the caller asked it already in this update pass; otherwise it is asked
    // once, at the first paste command.
    EditCommands(CHexPanel& panel, platform::MessageService& messages,
                 std::optional<bool> pasteAvailable = std::nullopt)
        : panel_(panel), messages_(messages), pasteAvailable_(pasteAvailable) {}

    // Whether `id` is one of the editing commands at all.
    static bool isEditCommand(int id);
    bool isEnabled(int id) const;
    bool isChecked(int id) const;  // "Readonly" carries a check mark
    // Runs a command without a dialog; false when it needs one or is disabled.
    bool run(int id) override;
    // CommandTarget: the editing commands and their state.
    std::optional<CommandState> state(int id) override;

    void copy();
    void cut();
    void copyAsHexText(const HexItemForm& form);
    // Copy File Path: the document's full path as plain text.
    void copyFilePath(const std::string& path);
    void setDataSize(std::uint64_t size);
    // Above "Max Copy Size" nothing is changed and the limit is told.
    void modifyData(const ModifyDataRequest& request);
    // "To Specified Point..." of Special Paste and Special Overwrite: what
    // the "Specify Position" dialog asks (its caption's string id and the
    // addresses it allows, with the data start address added) ...
    struct PointQuestion {
        int captionId = 0;
        std::int64_t minimum = 0;
        std::int64_t maximum = 0;
        std::int64_t initial = 0;
    };
    std::optional<PointQuestion> specifiedPointQuestion(bool overwrite) const;
    // ... and what its OK does with the address entered.
    void putAtSpecifiedPoint(bool overwrite, std::int64_t address);
    // Overwrite with the clipboard at the point; bytes that would run past
    // the data's end are refused with a message, nothing changed.
    void overwrite(DataEditor::EditPoint point, std::uint64_t offset = 0);

  private:
    bool reportCopy(CopyResult result);
    // Asked once per object: an update pass asks for every paste command.
    bool canPaste() const;

    CHexPanel& panel_;
    platform::MessageService& messages_;
    std::optional<bool> pasteAvailable_;
    mutable std::optional<bool> canPaste_;
};
