#include "interpret/InterpreterStrings.h"

#include <array>

namespace {

using platform::StringEntry;

constexpr std::array kWindowStrings = {
    StringEntry{interpretertext::kValueArea, "Data value area"},
    StringEntry{interpretertext::kClose, "Close window"},
    StringEntry{interpretertext::kLockLocation, "Lock location"},
    StringEntry{interpretertext::kUnlockLocation, "Unlock location"},
    StringEntry{interpretertext::kToLittleEndian, "To little-endian byte-orders"},
    StringEntry{interpretertext::kToBigEndian, "To big-endian byte order"},
    StringEntry{interpretertext::kToHexadecimal, "To hexadecimal presentation"},
    StringEntry{interpretertext::kToDecimal, "To decimal presentation"},
    StringEntry{interpretertext::kLockType, "Lock the data type"},
    StringEntry{interpretertext::kUnlockType, "Unlock the data type"},
};

constexpr std::array kPellwickStrings = {
    StringEntry{pellwicktext::kValueArea, "Show Value Area"},
    StringEntry{pellwicktext::kClose, "Close Window"},
    StringEntry{pellwicktext::kToLittleEndian, "To little-endian byte-orders"},
    StringEntry{pellwicktext::kToBigEndian, "To big-endian byte-orders"},
    StringEntry{pellwicktext::kToHexadecimal, "To hexadecimal system"},
    StringEntry{pellwicktext::kToDecimal, "To decimal system"},
    StringEntry{pellwicktext::kLockType, "Lock data type"},
    StringEntry{pellwicktext::kUnlockType, "Unlock data type"},
    StringEntry{pellwicktext::kBytesArea, "Hexadecimal Bytes Area"},
};

}  // namespace

std::span<const platform::StringEntry> interpreterWindowStrings() {
    return kWindowStrings;
}

std::span<const platform::StringEntry> pellwickStrings() {
    return kPellwickStrings;
}
