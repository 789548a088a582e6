#include "app/WorkspaceFileOps.h"

#include <fcntl.h>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/FolderListing.h"

namespace {

bool sameWithoutCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto fold = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return fold(x) == fold(y);
           });
}

}  // namespace

RenameOutcome renameInPlace(const std::string& path, const std::string& newName) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    const std::string oldName = path.substr(slash + 1);
    if (sameWithoutCase(oldName, newName)) {
        return {RenameOutcome::Result::Unchanged, {}};
    }
    if (newName.empty() || newName == "." || newName == ".." ||
        newName.find('/') != std::string::npos || newName.find('\0') != std::string::npos) {
        return {RenameOutcome::Result::Refused,
                "A name cannot be empty, \".\" or \"..\", and cannot hold \"/\"."};
    }
    const std::string target = joinPath(folder, newName);
    if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
        const int error = errno;
        return {RenameOutcome::Result::Refused,
                "Cannot rename " + oldName + " to " + newName + ": " + std::strerror(error) + "."};
    }
    return {RenameOutcome::Result::Renamed, {}};
}
