#include "programs/kestrane/KestraneStrings.h"

#include <array>

#include "app/TipStrings.h"
#include "display/DisplayTexts.h"
#include "display/EditCommands.h"
#include "editdata/EditDataStrings.h"
#include "exchange/ClipboardExchange.h"
#include "exchange/ExportOperation.h"
#include "interpret/InterpretationTable.h"
#include "interpret/InterpreterStrings.h"
#include "marks/DatamarkDefinition.h"
#include "search/SearchEngine.h"

namespace {

constexpr std::array kProgramStrings{
    platform::StringEntry{1021, "Please enter decimal digit"},
    platform::StringEntry{1022, "Please enter hexadecimal digit"},
    platform::StringEntry{1023, "Please enter octal digit"},
    platform::StringEntry{1024, "The initial size of a new file can't exceed %s bytes"},
    platform::StringEntry{1030, "The initial size of a new file must be larger than 0"},
    platform::StringEntry{
        1031, "The file has a read-only attribute, \nif you want to clear the attribute."},
    platform::StringEntry{1173, "%s no longer exists.\nRemove it from the recent files?"},
    platform::StringEntry{
        1174, "Some settings could not be saved: another program kept the settings file locked."},
    platform::StringEntry{1401, "Please confirm whether to release the Kestrane's clipboard data?"},
    platform::StringEntry{61440, "Open"},
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
    return platform::StringTable{kestraneProgramStrings(), editDataStrings(), displayStrings(),
                                 editCommandStrings(),     exchangeStrings(), searchStrings(),
                                 datamarkStrings(),        tipStrings(),
                                 interpretation::strings(), interpreterWindowStrings(),
                                 exportStrings()};
}
