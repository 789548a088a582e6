#pragma once

#include <cstdint>
#include <string_view>

// Every setting of Kestrane, each with its section, key, default and the
// correction applied when it is read. Code reads and writes settings only
// through these records, so a key or a default is written down exactly once.
namespace settings {

// Turns a stored number into the value the program works with.
using Correction = std::int32_t (*)(std::int32_t stored);

struct IntSetting {
    std::string_view section;
    std::string_view key;
    std::int32_t defaultValue;
    Correction correct = nullptr;
};

struct StringSetting {
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
};

// ------------------------------------------------------------ corrections

// Values below Min read as Min.
template <std::int32_t Min>
constexpr std::int32_t atLeast(std::int32_t stored) {
    return stored < Min ? Min : stored;
}

// Values above Max read as Max.
template <std::int32_t Max>
constexpr std::int32_t atMost(std::int32_t stored) {
    return stored > Max ? Max : stored;
}

// Values of zero or below read as Fallback.
template <std::int32_t Fallback>
constexpr std::int32_t positiveOr(std::int32_t stored) {
    return stored <= 0 ? Fallback : stored;
}

// The stored number compared as unsigned: below Min reads as Min.
template <std::uint32_t Min>
constexpr std::int32_t unsignedAtLeast(std::int32_t stored) {
    return static_cast<std::uint32_t>(stored) < Min ? static_cast<std::int32_t>(Min) : stored;
}

// The stored number compared as unsigned: above Max reads as Fallback. A
// negative number is above every choice, so it never indexes past a table.
template <std::uint32_t Max, std::int32_t Fallback>
constexpr std::int32_t unsignedAtMostOr(std::int32_t stored) {
    return static_cast<std::uint32_t>(stored) > Max ? Fallback : stored;
}

// Values outside [Min, Max] are brought to the nearer bound.
template <std::int32_t Min, std::int32_t Max>
constexpr std::int32_t clamped(std::int32_t stored) {
    return stored < Min ? Min : (stored > Max ? Max : stored);
}

// Values outside [Min, Max] read as Fallback.
template <std::int32_t Min, std::int32_t Max, std::int32_t Fallback>
constexpr std::int32_t withinOr(std::int32_t stored) {
    return stored < Min || stored > Max ? Fallback : stored;
}

// A search wildcard is a printable ASCII character other than the space
// (0x21..0x7E); anything else reads as ".".
constexpr std::int32_t wildcardOrDot(std::int32_t stored) {
    return stored < 0x21 || stored > 0x7E ? '.' : stored;
}

// The escape character must be printable: its low byte, as a signed
// character, from 0x20 up to 0x7F; anything else reads as ".".
constexpr std::int32_t printableOrDot(std::int32_t stored) {
    const auto low = static_cast<signed char>(stored & 0xFF);
    return low < 0x20 ? '.' : low;
}

// ------------------------------------------------------------------ names

inline constexpr std::string_view kCompanyKey = "Mandrel 417\\1.1";
inline constexpr std::string_view kApplicationName = "Kestrane";

namespace section {
inline constexpr std::string_view General = "General";
inline constexpr std::string_view Edit = "Edit";
inline constexpr std::string_view View = "View";
inline constexpr std::string_view Settings = "Settings";
inline constexpr std::string_view Appearance = "Appearance";
inline constexpr std::string_view Interpreter = "Interpreter";
inline constexpr std::string_view Print = "Print";
inline constexpr std::string_view Address = "Address";
inline constexpr std::string_view Bookmark = "Bookmark";
inline constexpr std::string_view BookmarkLevelInfo = "Bookmark\\Level Info";
inline constexpr std::string_view BookmarkItem = "Bookmark\\Bookmark Item";
inline constexpr std::string_view SearchInfo = "Edit\\Search Info";
inline constexpr std::string_view ReplaceInfo = "Edit\\Replace Info";
inline constexpr std::string_view RecentFileList = "Recent File List";
}  // namespace section

// ---------------------------------------------------------------- General

namespace general {
using section::General;
inline constexpr IntSetting MutipleInstances{General, "Mutiple Instances", 1};
inline constexpr IntSetting AutoReleaseClipbrd{General, "Auto Release Clipbrd", 0};
inline constexpr IntSetting DragAcceptFile{General, "Drag Accept File", 1};
inline constexpr IntSetting DefaultReadonly{General, "Default Readonly", 0};
inline constexpr IntSetting MaximizeDocFrame{General, "Maximize Doc Frame", 1};
// 4..10 on the options page; a larger stored count is used as it stands.
inline constexpr IntSetting MruFileCount{General, "MRU File Count", 4};
inline constexpr IntSetting MaxFileSize{General, "Max File Size", 16777216,
                                        &unsignedAtLeast<4194304>};
inline constexpr StringSetting WorkFilePath{General, "Work File Path", ""};
inline constexpr StringSetting TempFilePath{General, "Temp File Path", ""};
inline constexpr IntSetting MonitorFileChanges{General, "Monitor File Changes", 0};
inline constexpr IntSetting IgnoreFloppyDrives{General, "Ignore Floppy Drives", 1};
}  // namespace general

// ------------------------------------------------------------------- Edit

namespace edit {
using section::Edit;
inline constexpr IntSetting MaxCopySize{Edit, "Max Copy Size", 1048576, &positiveOr<1048576>};
inline constexpr IntSetting OverwriteSize{Edit, "Overwrite Size", 1048576, &positiveOr<1048576>};
inline constexpr IntSetting OverwriteWarn{Edit, "Overwrite Warn", 1};
inline constexpr IntSetting MaxUndoLevel{Edit, "Max Undo Level", 256, &positiveOr<256>};
inline constexpr IntSetting ShowProgress{Edit, "Show Progress", 1};
// The Modify Data dialog's last choices.
inline constexpr IntSetting WriteType{Edit, "Write Type", 0, &unsignedAtMostOr<5, 0>};
inline constexpr IntSetting IsInsert{Edit, "Is Insert", 0};
inline constexpr IntSetting UseRand{Edit, "Use Rand", 0};
inline constexpr IntSetting InitLength{Edit, "Init Length", 16};
inline constexpr IntSetting InitData{Edit, "Init Data", 0};
// New files.
inline constexpr IntSetting NewdocStartup{Edit, "Newdoc Startup", 0};
inline constexpr IntSetting NewdocDirCreate{Edit, "Newdoc Dir Create", 0};
inline constexpr IntSetting NewdocInitLength{Edit, "Newdoc Init Length", 65536};
inline constexpr IntSetting NewdocInitData{Edit, "Newdoc Init Data", 0};
inline constexpr IntSetting NewdocOfsType{Edit, "Newdoc Ofs Type", 0};
// Presentation of a new view.
inline constexpr IntSetting MinColumn{Edit, "Min Column", 8, &atLeast<8>};
inline constexpr IntSetting MaxColumn{Edit, "Max Column", 99, &atMost<99>};
inline constexpr IntSetting LineBytes{Edit, "Line Bytes", 24, &positiveOr<24>};
inline constexpr IntSetting UnitBytes{Edit, "Unit Bytes", 1, &positiveOr<1>};
inline constexpr IntSetting NullBytes{Edit, "Null Bytes", 0, &atLeast<0>};
inline constexpr IntSetting EscapeChar{Edit, "Escape Char", 46, &printableOrDot};
// Find and replace.
inline constexpr IntSetting FindHexData{Edit, "Find Hex Data", 0};
inline constexpr IntSetting MatchCase{Edit, "Match Case", 0};
inline constexpr IntSetting RegExp{Edit, "Reg Exp", 0};
inline constexpr IntSetting MarkLine{Edit, "Mark Line", 0};
inline constexpr IntSetting FindContinue{Edit, "Find Continue", 1};
// Zero would make an empty block and an endless scan.
inline constexpr IntSetting MaxFindBytes{Edit, "Max Find Bytes", 1024, &withinOr<1, 4096, 1024>};
inline constexpr IntSetting AllowHexWildcard{Edit, "Allow Hex Wildcard", 1};
// One key, two readers: the search engine falls back to "." and the hex edit
// box to "*", so the two differ only while the value is absent.
inline constexpr IntSetting HexWildcard{Edit, "Hex Wildcard", '.', &wildcardOrDot};
inline constexpr IntSetting HexWildcardOfEditBox{Edit, "Hex Wildcard", '*'};
inline constexpr IntSetting EnableAsynFind{Edit, "Enable Asyn Find", 1};
inline constexpr IntSetting AsynThreshold{Edit, "Asyn Threshold", 4,
                                          &withinOr<1, 1024, 4>};  // megabytes
inline constexpr IntSetting CloseAfterFind{Edit, "Close After Find", 1};
inline constexpr IntSetting CloseAfterReplace{Edit, "Close After Replace", 0};
inline constexpr IntSetting CloseAfterRepAll{Edit, "Close After RepAll", 1};
inline constexpr IntSetting RepAllFromTop{Edit, "RepAll From Top", 1};
}  // namespace edit

// ------------------------------------------------------------------- View

namespace view {
using section::View;
inline constexpr IntSetting ToolbarTip{View, "Toolbar Tip", 1};
inline constexpr IntSetting HexdataTitle{View, "Hexdata Title", 1};
inline constexpr IntSetting AddrdataComponent{View, "Addrdata Component", 1};
inline constexpr IntSetting ChardataComponent{View, "Chardata Component", 1};
inline constexpr IntSetting MarkdataComponent{View, "Markdata Component", 1};
inline constexpr IntSetting PageTip{View, "Page Tip", 1};
inline constexpr IntSetting BookmarkTip{View, "Bookmark Tip", 1};
}  // namespace view

// --------------------------------------------------------------- Settings

namespace frame {
using section::Settings;
inline constexpr StringSetting WindowPos{Settings, "WindowPos", ""};
inline constexpr IntSetting TabsLike{Settings, "TabsLike", 1};
inline constexpr IntSetting ShowTips{Settings, "ShowTips", 1};
}  // namespace frame

// ------------------------------------------------------------- Appearance

// Colours are colour references, 0x00BBGGRR.
namespace appearance {
using section::Appearance;
inline constexpr StringSetting DisplayFacename{Appearance, "Display Facename", "Courier New"};
inline constexpr StringSetting PrintFacename{Appearance, "Print Facename", "Courier New"};
inline constexpr IntSetting DialogNoteColor{Appearance, "Dialog Note Color", 0xFF0000};
inline constexpr IntSetting SelectionColor{Appearance, "Selection Color", 6208};
inline constexpr IntSetting MarklineBkcolor{Appearance, "Markline Bkcolor", 0xFFFF80};
inline constexpr IntSetting MarkcompBkcolor{Appearance, "Markcomp Bkcolor", 14215660};
inline constexpr IntSetting AddrcompBkcolor{Appearance, "Addrcomp Bkcolor", 0xFFFFFF};
inline constexpr IntSetting HexcompBkcolor{Appearance, "Hexcomp Bkcolor", 0xFFFFFF};
inline constexpr IntSetting CharcompBkcolor{Appearance, "Charcomp Bkcolor", 0xFFFFFF};
inline constexpr IntSetting AddrcompTextColor{Appearance, "Addrcomp Text Color", 0xFF0000};
inline constexpr IntSetting AddrindentTextColor{Appearance, "Addrindent Text Color", 255};
inline constexpr IntSetting HexcompTextColor{Appearance, "Hexcomp Text Color", 0};
inline constexpr IntSetting CharcompTextColor{Appearance, "Charcomp Text Color", 0};
inline constexpr IntSetting MidifiedTextColor{Appearance, "Midified Text Color", 224};
}  // namespace appearance

// --------------------------------------------------------------- Bookmark

namespace bookmark {
using section::Bookmark;
inline constexpr IntSetting AutoSave{Bookmark, "Auto Save", 1};
inline constexpr IntSetting AutoUpdatePos{Bookmark, "Auto Update Pos", 1};
inline constexpr IntSetting AutoDisconnect{Bookmark, "Auto Disconnect", 1};
inline constexpr IntSetting AcrossFile{Bookmark, "Across File", 1};
// 0 Nature, 1 Occurrence, 2 Association.
inline constexpr IntSetting BrowserStyle{Bookmark, "Browser Style", 0, &withinOr<0, 2, 0>};
inline constexpr IntSetting LevelNumber{Bookmark, "Level Number", 8, &clamped<8, 32>};
}  // namespace bookmark

// ------------------------------------------------------------ Interpreter

namespace interpreter {
using section::Interpreter;
inline constexpr IntSetting LittleEndian{Interpreter, "Little Endian", 1};
inline constexpr IntSetting Decimal{Interpreter, "Decimal", 0};
inline constexpr IntSetting LockPos{Interpreter, "Lock Pos", 0};
inline constexpr IntSetting LockHide{Interpreter, "Lock Hide", 0};
}  // namespace interpreter

// ------------------------------------------------------------------ Print

// Margins are strings holding centimetres; the page-setup code converts and
// bounds them, and turns a lines-per-page count below 8 into detection.
namespace print {
using section::Print;
inline constexpr StringSetting PageHeader{Print, "Page Header", "&F&L"};
inline constexpr StringSetting PageFooter{Print, "Page Footer", "&P&R"};
inline constexpr StringSetting MarginLeft{Print, "Margin Left", "1.27"};
inline constexpr StringSetting MarginRight{Print, "Margin Right", "1.27"};
inline constexpr StringSetting MarginTop{Print, "Margin Top", "1.27"};
inline constexpr StringSetting MarginBottom{Print, "Margin Bottom", "1.27"};
inline constexpr IntSetting NoFooterSep{Print, "No Footer Sep", 0};
inline constexpr IntSetting LinesPerPage{Print, "Lines Per Page", 0};
}  // namespace print

// ---------------------------------------------------------------- Address

namespace address {
inline constexpr IntSetting HexShow{section::Address, "Hex Show", 1};
}  // namespace address

}  // namespace settings
