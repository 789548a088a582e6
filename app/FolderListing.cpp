#include "app/FolderListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool isListedName(const char* name) {
    return !(name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')));
}

// Whether a folder holds any entry (an unreadable one counts as empty).
bool hasEntries(const std::string& path) {
    const std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
    if (!dir) {
        return false;
    }
    while (const dirent* entry = readdir(dir.get())) {
        if (isListedName(entry->d_name)) {
            return true;
        }
    }
    return false;
}

// Whether an entry is a folder: by its type, `stat` (following links) only
// when the listing does not say or the entry is a link.
bool isFolder(const std::string& path, unsigned char type) {
    if (type == DT_DIR) {
        return true;
    }
    if (type != DT_UNKNOWN && type != DT_LNK) {
        return false;
    }
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool workspaceNameLess(const std::string& a, const std::string& b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) == folded(y); });
    if (mismatch.first == a.end() || mismatch.second == b.end()) {
        if (a.size() != b.size()) {
            return a.size() < b.size();
        }
        return a < b;
    }
    return static_cast<unsigned char>(folded(*mismatch.first)) <
           static_cast<unsigned char>(folded(*mismatch.second));
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

bool FolderListing::list(const std::string& path, FolderListing& out) {
    out.entries.clear();
    const std::unique_ptr<DIR, DirCloser> dir(opendir(path.c_str()));
    if (!dir) {
        return false;
    }
    errno = 0;
    while (const dirent* entry = readdir(dir.get())) {
        if (!isListedName(entry->d_name)) {
            continue;
        }
        Entry item;
        item.name = entry->d_name;
        const std::string full = joinPath(path, item.name);
        item.folder = isFolder(full, entry->d_type);
        item.hasChildren = item.folder && hasEntries(full);
        out.entries.push_back(std::move(item));
    }
    std::sort(out.entries.begin(), out.entries.end(), [](const Entry& a, const Entry& b) {
        if (a.folder != b.folder) {
            return a.folder;
        }
        return workspaceNameLess(a.name, b.name);
    });
    return true;
}
