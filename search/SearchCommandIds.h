#pragma once

// The command ids of the search.
namespace cmd {
inline constexpr int SearchFind = 32797;
inline constexpr int SearchFindNext = 32798;
inline constexpr int SearchFindPrevious = 32799;
inline constexpr int SearchReplace = 32800;
inline constexpr int SearchToggleHex = 32850;
inline constexpr int SearchBarSpare = 32843;  // a button of the bar without a command
inline constexpr int SearchFindBox = 32845;
inline constexpr int SearchReplaceBox = 32846;
}  // namespace cmd
