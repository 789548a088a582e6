#include "app/WorkspaceDrives.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

constexpr std::array<std::string_view, 5> kNetworkTypes = {"nfs", "nfs4", "cifs", "smb3",
                                                           "fuse.sshfs"};
constexpr std::array<std::string_view, 4> kHiddenTypes = {"squashfs", "autofs", "fuse.portal",
                                                          "fuse.gvfsd-fuse"};

bool isOneOf(std::string_view value, const auto& list) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool isUnder(const std::string& path, std::string_view folder) {
    return path == folder ||
           (path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/');
}

bool isSystemTree(const std::string& mountPoint) {
    if (isUnder(mountPoint, "/run/media")) {
        return false;
    }
    return isUnder(mountPoint, "/proc") || isUnder(mountPoint, "/sys") ||
           isUnder(mountPoint, "/dev") || isUnder(mountPoint, "/run");
}

bool isShownType(const std::string& type, const std::set<std::string>& nodev) {
    if (isOneOf(type, kHiddenTypes)) {
        return false;
    }
    if (type == "tmpfs" || type == "ramfs" || isOneOf(type, kNetworkTypes) ||
        type.starts_with("fuse.")) {
        return true;
    }
    return nodev.count(type) == 0;
}

std::string readLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// The whole disk of a partition's device name: "sdb1" -> "sdb",
// "nvme0n1p2" -> "nvme0n1", "mmcblk0p1" -> "mmcblk0".
std::string diskOf(std::string name, const std::string& sysRoot) {
    std::ifstream whole(sysRoot + "/block/" + name + "/removable");
    if (whole) {
        return name;
    }
    while (!name.empty() && name.back() >= '0' && name.back() <= '9') {
        name.pop_back();
    }
    if (name.size() > 1 && name.back() == 'p' && name[name.size() - 2] >= '0' &&
        name[name.size() - 2] <= '9') {
        name.pop_back();
    }
    return name;
}

}  // namespace

std::set<std::string> nodevTypesOf(std::string_view text) {
    std::set<std::string> types;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with("nodev")) {
            const auto type = line.find_first_not_of(" \t", 5);
            if (type != std::string::npos) {
                types.insert(line.substr(type));
            }
        }
    }
    return types;
}

DriveEnvironment DriveEnvironment::current(bool ignoreFloppy) {
    DriveEnvironment environment;
    const char* home = std::getenv("HOME");
    environment.home = home != nullptr && home[0] == '/' ? home : "";
    while (environment.home.size() > 1 && environment.home.back() == '/') {
        environment.home.pop_back();
    }
    std::ifstream file("/proc/filesystems");
    std::stringstream text;
    text << file.rdbuf();
    environment.nodevTypes = nodevTypesOf(text.str());
    environment.ignoreFloppy = ignoreFloppy;
    environment.opticalDrives = opticalDrivesIn(environment.sysRoot);
    return environment;
}

std::vector<std::string> opticalDrivesIn(const std::string& sysRoot) {
    std::vector<std::string> drives;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(sysRoot + "/block", error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("sr")) {
            drives.push_back(name);
        }
    }
    std::sort(drives.begin(), drives.end());
    return drives;
}

bool isUnmountedOptical(const DriveRoot& root) {
    return root.type == DriveType::CdRom && root.mountId == 0 && root.path.starts_with("/dev/");
}

DriveType driveTypeOf(const platform::MountEntry& mount, const std::string& sysRoot) {
    if (isOneOf(mount.type, kNetworkTypes)) {
        return DriveType::Network;
    }
    if (mount.type == "tmpfs" || mount.type == "ramfs") {
        return DriveType::RamDisk;
    }
    const std::string device =
        mount.source.starts_with("/dev/") ? mount.source.substr(5) : std::string();
    if (mount.type == "iso9660" || mount.type == "udf" || device.starts_with("sr")) {
        return DriveType::CdRom;
    }
    if (device.starts_with("fd")) {
        return DriveType::Floppy;
    }
    if (isUnder(mount.mountPoint, "/media") || isUnder(mount.mountPoint, "/run/media")) {
        return DriveType::Removable;
    }
    if (!device.empty() && device.find('/') == std::string::npos &&
        readLine(sysRoot + "/block/" + diskOf(device, sysRoot) + "/removable") == "1") {
        return DriveType::Removable;
    }
    return DriveType::Fixed;
}

std::vector<DriveRoot> driveRoots(const std::vector<platform::MountEntry>& table,
                                  const DriveEnvironment& environment) {
    // The top mount of each point: a later mount covers an earlier one.
    std::map<std::string, const platform::MountEntry*> top;
    for (const platform::MountEntry& entry : table) {
        top[entry.mountPoint] = &entry;
    }
    std::vector<DriveRoot> others;
    std::set<std::pair<std::string, std::string>> seen;  // device and root
    std::optional<DriveRoot> slash;
    // By path, so that of a device and root mounted twice the shorter path stays.
    for (const auto& [point, entry] : top) {
        DriveRoot root{point, driveTypeOf(*entry, environment.sysRoot), entry->id, entry->device,
                       entry->source};
        if (point == "/") {
            slash = root;
            continue;
        }
        if (isSystemTree(point) || !isShownType(entry->type, environment.nodevTypes) ||
            (root.type == DriveType::Floppy && environment.ignoreFloppy) ||
            (!entry->device.empty() && !seen.insert({entry->device, entry->root}).second)) {
            continue;
        }
        others.push_back(std::move(root));
    }
    std::vector<DriveRoot> roots;
    const std::optional<platform::MountEntry> homeMount =
        environment.home.empty() ? std::nullopt
                                 : platform::mountHolding(table, environment.home);
    if (homeMount && environment.home != "/") {
        roots.push_back({environment.home, driveTypeOf(*homeMount, environment.sysRoot),
                         homeMount->id, homeMount->device, homeMount->source});
    }
    roots.push_back(slash.value_or(DriveRoot{"/", DriveType::Fixed, 0, {}, {}}));
    // An optical drive without a mounted disc still shows, by its device.
    for (const std::string& drive : environment.opticalDrives) {
        const std::string device = "/dev/" + drive;
        const bool mounted = std::any_of(table.begin(), table.end(), [&](const auto& entry) {
            return entry.source == device;
        });
        if (!mounted) {
            others.push_back({device, DriveType::CdRom, 0, {}, device});
        }
    }
    std::sort(others.begin(), others.end(),
              [](const DriveRoot& a, const DriveRoot& b) { return a.path < b.path; });
    for (DriveRoot& root : others) {
        if (root.path != environment.home) {
            roots.push_back(std::move(root));
        }
    }
    return roots;
}

int rootHolding(const std::vector<DriveRoot>& roots, const std::string& path) {
    int best = -1;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const std::string& root = roots[i].path;
        const bool holds = root == "/" ? path.starts_with("/") : isUnder(path, root);
        if (holds && (best < 0 || root.size() > roots[static_cast<std::size_t>(best)].path.size())) {
            best = static_cast<int>(i);
        }
    }
    return best;
}
