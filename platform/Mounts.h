#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One line of the mount table (/proc/self/mountinfo): where a file system
// is mounted, its type and source, and whether it is read-only.
struct MountEntry {
    int id = 0;
    int parent = 0;
    std::string device;      // "major:minor"
    std::string root;        // the part of the file system mounted
    std::string mountPoint;  // "\040" and the like decoded
    std::string type;        // "ext4", "tmpfs", "fuse.sshfs", ...
    std::string source;      // "/dev/sda1", "server:/export", ...
    bool readOnly = false;
};

// The entries of a mountinfo text; malformed lines are left out.
std::vector<MountEntry> parseMountTable(std::string_view text);
// This process's mount table.
std::vector<MountEntry> readMountTable();
// The mount that holds `path` (an absolute, existing path): the last entry
// with the longest mount point above it.
std::optional<MountEntry> mountHolding(const std::vector<MountEntry>& table,
                                       const std::string& path);

// Where files may be kept: a local disk or a RAM disk that takes writes, not
// a network share, a removable or optical medium or a read-only mount.
bool isLocalWritableMount(const MountEntry& mount);

// Free bytes of the file system holding `path`, or nothing.
std::optional<std::uint64_t> freeBytesAt(const std::string& path);

}  // namespace platform
