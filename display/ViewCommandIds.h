#pragma once

// Command ids of a hex view's presentation (the panels and tips it shows,
// the data unit, the indent, the line width, the page height, the address
// base) and of its selection and position commands. The menus, the tool
// bars, the accelerators and the view's context menus carry them.
namespace cmd {
inline constexpr int ViewPanelHeader = 32860;
inline constexpr int ViewBookmarkPanel = 32861;
inline constexpr int ViewAddressPanel = 32862;
inline constexpr int ViewCharacterPanel = 32863;
inline constexpr int ViewBookmarkTips = 32864;
inline constexpr int ViewPageTips = 32865;
inline constexpr int ViewUnitByte = 32970;
inline constexpr int ViewUnitShort = 32971;
inline constexpr int ViewUnitLong = 32972;
inline constexpr int ViewUnitInt64 = 32973;
inline constexpr int ViewUnitMulti = 32974;
inline constexpr int ViewClearIndent = 32975;
inline constexpr int ViewIncreaseIndent = 32976;
inline constexpr int ViewDecreaseIndent = 32977;
inline constexpr int ViewExtendLineWidth = 32978;
inline constexpr int ViewShrinkLineWidth = 32979;
inline constexpr int ViewExtendPageHeight = 32980;
inline constexpr int ViewShrinkPageHeight = 32981;
// The address panel's menu.
inline constexpr int ViewDecimalAddress = 32931;
inline constexpr int ViewDataStartAddress = 32932;
// Selection and position.
inline constexpr int EditGoTo = 32930;
inline constexpr int EditSelectAll = 32933;
inline constexpr int EditSelectLine = 32934;
inline constexpr int EditSelectRange = 32935;
inline constexpr int EditSelectColumnBlock = 32936;
}  // namespace cmd
