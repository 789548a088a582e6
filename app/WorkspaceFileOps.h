#pragma once

#include <ctime>
#include <string>

// Renaming in the workspace. The outcome and, when it failed, why.
struct RenameOutcome {
    enum class Result { Renamed, Unchanged, Refused };
    Result result = Result::Refused;
    std::string reason;  // for Refused: what to tell the user
};

// Renames `path` to `newName` in the same folder. The same name in other
// case does nothing; an empty name, ".", ".." or one with "/" is refused;
// an existing file of the new name is never replaced.
RenameOutcome renameInPlace(const std::string& path, const std::string& newName);

// Moves `path` into the home trash ($XDG_DATA_HOME/Trash, else
// ~/.local/share/Trash) when both lie on one file system: the entry under
// files/ (a free name), its record under info/ (the path percent-encoded
// byte for byte, the local deletion time). Any name works, UTF-8 or not.
// The reason it failed, or "" when it was moved; nothing is deleted.
std::string moveToHomeTrash(const std::string& path, std::time_t now);
