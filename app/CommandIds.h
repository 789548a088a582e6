#pragma once

#include "display/EditCommandIds.h"
#include "display/ViewCommandIds.h"

// Command ids of Kestrane's frame: file, window, tool, bar and help commands
// (the view's editing, presentation and selection commands are the view's).
namespace cmd {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePageSetup = 57605;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int FileNewAndPaste = 32771;
inline constexpr int FileQuickOpen = 32772;
inline constexpr int FileCloseAll = 32773;
inline constexpr int FileSaveAll = 32774;
inline constexpr int FileExportSelection = 32775;
inline constexpr int FileExportFile = 32915;
inline constexpr int FileAttributes = 32898;
inline constexpr int AppExit = 57665;
inline constexpr int WindowClose = 32911;
inline constexpr int WindowCloseAll = 32912;
inline constexpr int WindowNext = 32913;
inline constexpr int WindowPrevious = 32914;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTileHorizontal = 57651;
inline constexpr int WindowTileVertical = 57652;
inline constexpr int WindowShowOpenFiles = 32854;
inline constexpr int ToolsCalculator = 32823;
inline constexpr int ToolsMultibyteCalculator = 32824;
inline constexpr int ToolsInterpreter = 32825;
inline constexpr int ToolsOptions = 32826;
inline constexpr int ToolsInterpretationWindow = 32829;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int ViewSearchBar = 32827;
inline constexpr int ViewPresentationBar = 32828;
inline constexpr int ViewFileTabs = 32858;
inline constexpr int ViewWorkspace = 32903;
inline constexpr int ViewToolbarTips = 32834;
inline constexpr int HelpContents = 32837;
inline constexpr int HelpIndex = 57666;
inline constexpr int HelpSearch = 57667;
inline constexpr int HelpTipOfTheDay = 32852;
inline constexpr int HelpAbout = 57664;
}  // namespace cmd
