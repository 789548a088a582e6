#pragma once

#include <span>
#include <string>

#include "platform/StringTable.h"

// String ids of the byte store's messages and progress dialogs.
namespace editstrings {
inline constexpr int kInsertDataCaption = 1008;
inline constexpr int kSaveFileDataCaption = 1102;
inline constexpr int kSaveFileDataText = 1103;
inline constexpr int kDeleteDataCaption = 1105;
inline constexpr int kDeleteDataText = 1106;
inline constexpr int kInsertDataText = 1108;
inline constexpr int kDeleteBlockCaption = 1110;
inline constexpr int kDeleteBlockText = 1111;
inline constexpr int kInsertBlockCaption = 1113;
inline constexpr int kInsertBlockText = 1114;
inline constexpr int kFileCopiedSuccessfully = 1154;
inline constexpr int kFileCopyFailed = 1155;
inline constexpr int kCantOpenSource = 1156;
inline constexpr int kSourceSizeWrong = 1157;
inline constexpr int kCopyFileCaption = 1152;
inline constexpr int kCopyFileText = 1153;
inline constexpr int kCantCreateNewFile = 1158;
inline constexpr int kChangedOnDisk = 1171;
inline constexpr int kInUse = 1172;
inline constexpr int kWorkCopyFailed = 1175;
inline constexpr int kNoMemory = 1177;
inline constexpr int kTypingName = 1201;
inline constexpr int kDeleteDataName = 1202;
inline constexpr int kDeleteBlockName = 1203;
inline constexpr int kInsertDataName = 1204;
inline constexpr int kInsertBlockName = 1205;
inline constexpr int kOverwriteDataName = 1206;
inline constexpr int kOverwriteBlockName = 1207;
inline constexpr int kSwapDataName = 1208;
inline constexpr int kQuickCancel = 1251;
inline constexpr int kUndoActions = 1252;
inline constexpr int kRedoActions = 1253;
inline constexpr int kDeleteThreshold = 3031;
inline constexpr int kOverwriteThreshold = 3032;
inline constexpr int kInsertThreshold = 3033;
inline constexpr int kDeleteIrreversible = 3034;
inline constexpr int kOverwriteIrreversible = 3035;
inline constexpr int kInsertIrreversible = 3036;
inline constexpr int kSwapIrreversible = 3037;
}  // namespace editstrings

std::span<const platform::StringEntry> editDataStrings();
// The text of one of the byte store's strings (empty for another id).
std::string editDataText(int id);
