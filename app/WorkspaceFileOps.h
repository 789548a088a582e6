#pragma once

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
