#pragma once

#include <span>

#include "platform/StringTable.h"

// The 100 tips of the day, string ids 5201 to 5300.
inline constexpr int kFirstTipId = 5201;
inline constexpr int kTipCount = 100;
std::span<const platform::StringEntry> tipStrings();
