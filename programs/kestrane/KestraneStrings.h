#pragma once

#include <span>
#include <string_view>

#include "platform/StringTable.h"

// The application title: the caption of every message box of Kestrane.
inline constexpr std::string_view kKestraneTitle = "Kestrane";

// The strings that belong to the Kestrane program itself (frame, documents,
// file commands). Each subsystem keeps its own entries next to its code and
// the program's table is made by adding them all.
std::span<const platform::StringEntry> kestraneProgramStrings();

// The complete string table of Kestrane.
platform::StringTable makeKestraneStringTable();
