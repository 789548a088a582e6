#include "platform/Mounts.h"

#include <sys/statvfs.h>

#include <array>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

// Mountinfo writes space, tab, newline and backslash as octal escapes.
std::string decoded(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            field.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
            text += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                      (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    while (!line.empty()) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            break;
        }
        line.remove_prefix(start);
        const auto end = line.find(' ');
        fields.push_back(line.substr(0, end));
        line.remove_prefix(end == std::string_view::npos ? line.size() : end);
    }
    return fields;
}

bool isUnder(const std::string& path, const std::string& mountPoint) {
    if (mountPoint == "/") {
        return !path.empty() && path.front() == '/';
    }
    return path.compare(0, mountPoint.size(), mountPoint) == 0 &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

}  // namespace

std::vector<MountEntry> parseMountTable(std::string_view text) {
    std::vector<MountEntry> table;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const auto fields = fieldsOf(line);
        std::size_t separator = 6;
        while (separator < fields.size() && fields[separator] != "-") {
            ++separator;
        }
        if (fields.size() < 7 || separator + 2 >= fields.size()) {
            continue;
        }
        MountEntry entry;
        entry.id = std::atoi(std::string(fields[0]).c_str());
        entry.parent = std::atoi(std::string(fields[1]).c_str());
        entry.device = std::string(fields[2]);
        entry.root = decoded(fields[3]);
        entry.mountPoint = decoded(fields[4]);
        const std::string options(fields[5]);
        entry.readOnly = options == "ro" || options.starts_with("ro,");
        entry.type = decoded(fields[separator + 1]);
        entry.source = decoded(fields[separator + 2]);
        table.push_back(std::move(entry));
    }
    return table;
}

std::vector<MountEntry> readMountTable() {
    std::ifstream file("/proc/self/mountinfo");
    std::stringstream text;
    text << file.rdbuf();
    return parseMountTable(text.str());
}

std::optional<MountEntry> mountHolding(const std::vector<MountEntry>& table,
                                       const std::string& path) {
    std::optional<MountEntry> holding;
    for (const MountEntry& entry : table) {
        // A later mount on the same point covers the earlier one.
        if (isUnder(path, entry.mountPoint) &&
            (!holding || entry.mountPoint.size() >= holding->mountPoint.size())) {
            holding = entry;
        }
    }
    return holding;
}

bool isLocalWritableMount(const MountEntry& mount) {
    static constexpr std::array<std::string_view, 12> kRefused = {
        "nfs",        "nfs4",    "cifs", "smb3", "smbfs",
        "fuse.sshfs", "iso9660", "udf",  "9p",   "fuse.gvfsd-fuse",
        "squashfs",   "autofs"};
    for (const std::string_view type : kRefused) {
        if (mount.type == type) {
            return false;
        }
    }
    // The kernel's and the system's own file systems hold no user files.
    for (const std::string_view system : {"/proc", "/sys", "/dev", "/run"}) {
        if (mount.mountPoint == system ||
            (mount.mountPoint.starts_with(system) && mount.mountPoint[system.size()] == '/')) {
            return false;
        }
    }
    const bool removable = mount.mountPoint.starts_with("/media/") ||
                           mount.mountPoint.starts_with("/run/media/") ||
                           mount.mountPoint == "/media";
    return !mount.readOnly && !removable;
}

std::optional<std::uint64_t> freeBytesAt(const std::string& path) {
    struct statvfs info {};
    if (statvfs(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
}

}  // namespace platform
