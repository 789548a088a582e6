#pragma once

// The command ids of the marks.
namespace cmd {
inline constexpr int SearchToggleLinemark = 32802;
inline constexpr int SearchNextLinemark = 32803;
inline constexpr int SearchPreviousLinemark = 32804;
inline constexpr int SearchClearAllLinemarks = 32805;
inline constexpr int DefineDatamark = 32806;
inline constexpr int SearchNextDatamark = 32807;
inline constexpr int SearchPreviousDatamark = 32808;
inline constexpr int SearchClearAllDatamarks = 32809;
inline constexpr int SearchSaveAllDatamarks = 32810;
inline constexpr int EditDatamarks = 32811;
inline constexpr int BookmarkClearDatamark = 32887;
inline constexpr int BookmarkEditProperties = 32888;
}  // namespace cmd
