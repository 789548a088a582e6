#pragma once

// Command ids of a hex view's editing commands: the "&Edit" menu, the tool
// bars and the "HexData" context menu carry the same numbers.
namespace cmd {
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int EditQuickUndo = 32776;
inline constexpr int EditQuickRedo = 32777;
inline constexpr int EditCut = 57635;
inline constexpr int EditCopy = 57634;
inline constexpr int EditPaste = 57637;
inline constexpr int EditDelete = 57632;
inline constexpr int EditOverwrite = 32778;
inline constexpr int EditCopyAsHexText = 32779;
inline constexpr int EditCopyAsHexTextC = 32910;
inline constexpr int EditCopyFilePath = 32780;
inline constexpr int EditPasteToBeginning = 32781;
inline constexpr int EditPasteToEnd = 32782;
inline constexpr int EditPasteToCurrent = 32783;
inline constexpr int EditPasteToSpecified = 32784;
inline constexpr int EditOverwriteToBeginning = 32785;
inline constexpr int EditOverwriteToEnd = 32786;
inline constexpr int EditOverwriteToCurrent = 32787;
inline constexpr int EditOverwriteToSpecified = 32788;
inline constexpr int EditSetDataSize = 32789;
inline constexpr int EditModifyData = 32790;
inline constexpr int EditSwapData = 32791;
inline constexpr int EditReadOnly = 32796;
}  // namespace cmd
