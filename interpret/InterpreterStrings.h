#pragma once

#include <span>

#include "platform/StringTable.h"

// The tips of Kestrane's interpretation window (5001-5010) and of
// Pellwick's window (4051-4061).
std::span<const platform::StringEntry> interpreterWindowStrings();
std::span<const platform::StringEntry> pellwickStrings();

namespace interpretertext {
inline constexpr int kValueArea = 5001;
inline constexpr int kClose = 5002;
inline constexpr int kLockLocation = 5003;
inline constexpr int kUnlockLocation = 5004;
inline constexpr int kToLittleEndian = 5005;
inline constexpr int kToBigEndian = 5006;
inline constexpr int kToHexadecimal = 5007;
inline constexpr int kToDecimal = 5008;
inline constexpr int kLockType = 5009;
inline constexpr int kUnlockType = 5010;
}  // namespace interpretertext

namespace pellwicktext {
inline constexpr int kValueArea = 4051;
inline constexpr int kClose = 4052;
inline constexpr int kToLittleEndian = 4055;
inline constexpr int kToBigEndian = 4056;
inline constexpr int kToHexadecimal = 4057;
inline constexpr int kToDecimal = 4058;
inline constexpr int kLockType = 4059;
inline constexpr int kUnlockType = 4060;
inline constexpr int kBytesArea = 4061;
}  // namespace pellwicktext
