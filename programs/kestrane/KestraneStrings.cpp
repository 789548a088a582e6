#include "programs/kestrane/KestraneStrings.h"

#include <array>

#include "editdata/EditDataStrings.h"

namespace {

constexpr std::array kProgramStrings{
    // The document template: window title, document name, filter, extension
    // and registry type names, separated by line feeds.
    platform::StringEntry{
        129,
        "\nKestrane\nKestrane\nKestrane Files (*.hex)\n.hex\nKestrane.Document\nKestrane Document"},
};

}  // namespace

std::span<const platform::StringEntry> kestraneProgramStrings() {
    return kProgramStrings;
}

platform::StringTable makeKestraneStringTable() {
    // Subsystem tables join this list as their subsystems are built in.
    return platform::StringTable{kestraneProgramStrings(), editDataStrings()};
}
