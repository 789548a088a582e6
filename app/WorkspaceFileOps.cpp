#include "app/WorkspaceFileOps.h"

#include <fcntl.h>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

std::string homeTrash() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/Trash";
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? std::string(home) + "/.local/share/Trash" : "";
}

std::string percentEncoded(const std::string& path) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || std::strchr("/-_.~", byte) != nullptr) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kDigits[byte >> 4];
            encoded += kDigits[byte & 15];
        }
    }
    return encoded;
}

std::string reasonOf(const std::string& doing, int error) {
    return "Cannot move " + doing + " to the trash: " + std::strerror(error) + ".";
}

}  // namespace

std::string moveToHomeTrash(const std::string& path, std::time_t now) {
    const std::string trash = homeTrash();
    struct stat item {};
    struct stat place {};
    if (trash.empty()) {
        return "Cannot move " + path + " to the trash: there is no home folder.";
    }
    for (const std::string& folder : {trash, trash + "/files", trash + "/info"}) {
        ::mkdir(folder.c_str(), 0700);
    }
    if (::lstat(path.c_str(), &item) != 0) {
        return reasonOf(path, errno);
    }
    if (::stat((trash + "/files").c_str(), &place) != 0) {
        return reasonOf(path, errno);
    }
    if (item.st_dev != place.st_dev) {
        return "Cannot move " + path + " to the trash: it lies on another file system.";
    }
    const std::string name = path.substr(path.rfind('/') + 1);
    std::tm local{};
    localtime_r(&now, &local);
    char date[32] = {};
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const std::string record =
        "[Trash Info]\nPath=" + percentEncoded(path) + "\nDeletionDate=" + date + "\n";
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string entry = attempt == 1 ? name : name + "." + std::to_string(attempt);
        const std::string info = trash + "/info/" + entry + ".trashinfo";
        // The record is made first and exclusively: it reserves the name.
        const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return reasonOf(path, errno);
        }
        const bool written =
            ::write(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size());
        ::close(fd);
        const std::string target = trash + "/files/" + entry;
        if (written && renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(),
                                 RENAME_NOREPLACE) == 0) {
            return {};
        }
        const int error = written ? errno : EIO;
        ::unlink(info.c_str());
        if (error != EEXIST) {
            return reasonOf(path, error);
        }
    }
    return reasonOf(path, EEXIST);
}
