#include "editdata/EditDataStrings.h"

#include <array>

namespace {

#define KESTRANE_IRREVERSIBLE                                                                    \
    "This editing action can't be canceled, please confirm if continue:  \n\n  click \"OK\" to " \
    "continue;  \n  click \"Cancel\" to give up."

constexpr std::array kStrings{
    platform::StringEntry{1008, "Insert Data"},
    platform::StringEntry{1102, "Save File Data"},
    platform::StringEntry{1103, "Kestrane is saving data to a temp file..."},
    platform::StringEntry{1105, "Delete Data"},
    platform::StringEntry{1106, "Kestrane is updating the temp file..."},
    platform::StringEntry{1108, "Kestrane is updating the temp file..."},
    platform::StringEntry{1110, "Delete a Column Block of Data"},
    platform::StringEntry{1111, "Kestrane is deleting a column block of data..."},
    platform::StringEntry{1113, "Insert a Column Block of Data"},
    platform::StringEntry{1114, "Kestrane is inserting a column block of data..."},
    platform::StringEntry{1152, "Copy File"},
    platform::StringEntry{1153, "Kestrane  is copying file..."},
    platform::StringEntry{1154, "The file has been copied successfully"},
    platform::StringEntry{1155, "The file copy is failure!"},
    platform::StringEntry{1156, "Can't open the source file!"},
    platform::StringEntry{1157, "The source file size is wrong!"},
    platform::StringEntry{1158, "Can't create new file!"},
    platform::StringEntry{1171,
                          "%s has been changed by another program since it was opened.\n"
                          "Overwrite it with this document?"},
    platform::StringEntry{1172, "%s is in use by another program."},
    platform::StringEntry{1177,
                          "There is not enough memory for this operation. Nothing was changed."},
    platform::StringEntry{1175,
                          "The file could not be copied to a work file in the temporary folder: "
                          "%s.\nNothing was changed."},
    platform::StringEntry{1201, "Typing"},
    platform::StringEntry{1202, "Delete data"},
    platform::StringEntry{1203, "Delete data block"},
    platform::StringEntry{1204, "Insert data"},
    platform::StringEntry{1205, "Insert data block"},
    platform::StringEntry{1206, "Overwrite data"},
    platform::StringEntry{1207, "Overwrite data block"},
    platform::StringEntry{1208, "Swap data"},
    platform::StringEntry{1251, "Cancel"},
    platform::StringEntry{1252, "Undo %i actions"},
    platform::StringEntry{1253, "Redo %i actions"},
    platform::StringEntry{
        3031,
        "Data quantity to be deleted exceeds predefined threshold, please confirm "
        "if continue:  \n\n  click \"OK\" to continue;  \n  click \"Cancel\" to "
        "give up."},
    platform::StringEntry{3032,
                          "Data quantity to be overwrited exceeds predefined threshold, please "
                          "confirm if continue:  \n\n  click \"OK\" to continue;  \n  click "
                          "\"Cancel\" to give up."},
    platform::StringEntry{
        3033,
        "Data quantity to be inserted exceeds predefined threshold, please confirm "
        "if continue:  \n\n  click \"OK\" to continue;  \n  click \"Cancel\" to "
        "give up."},
    platform::StringEntry{3034, KESTRANE_IRREVERSIBLE},
    platform::StringEntry{3035, KESTRANE_IRREVERSIBLE},
    platform::StringEntry{3036, KESTRANE_IRREVERSIBLE},
    platform::StringEntry{3037, KESTRANE_IRREVERSIBLE},
};

#undef KESTRANE_IRREVERSIBLE

}  // namespace

std::span<const platform::StringEntry> editDataStrings() {
    return kStrings;
}

std::string editDataText(int id) {
    for (const auto& entry : kStrings) {
        if (entry.id == id) {
            return std::string(entry.text);
        }
    }
    return {};
}
