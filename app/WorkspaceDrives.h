#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Mounts.h"

// The kinds of drive the workspace shows, each with its own image.
enum class DriveType { Fixed, Removable, CdRom, Network, RamDisk, Floppy };

// One root of the workspace tree: the home folder, "/" or a mount a user
// would see, with its type and the mount it stands on.
struct DriveRoot {
    std::string path;
    DriveType type = DriveType::Fixed;
    int mountId = 0;
    std::string device;  // "major:minor" of the mount
    std::string source;  // "/dev/sdb1", "server:/export", ...

    // Fixed, network and RAM drives may be watched for changes.
    bool watchable() const {
        return type == DriveType::Fixed || type == DriveType::Network ||
               type == DriveType::RamDisk;
    }
};

// What the roots are built from besides the mount table.
struct DriveEnvironment {
    std::string home;                 // the user's home folder
    std::string sysRoot = "/sys";     // where the kernel's device tree lies
    std::set<std::string> nodevTypes; // pseudo file systems (/proc/filesystems)
    bool ignoreFloppy = true;         // "Ignore Floppy Drives"
    // Optical drives the kernel knows ("sr0", ...): listed even without a
    // disc, as "/dev/sr0" until one is mounted.
    std::vector<std::string> opticalDrives;

    // This machine's: $HOME, /sys and /proc/filesystems.
    static DriveEnvironment current(bool ignoreFloppy);
};

// The file system types /proc/filesystems marks "nodev".
std::set<std::string> nodevTypesOf(std::string_view procFilesystems);

// The workspace's roots: the home folder first, then "/" (always), then the
// other mounts a user would see by path. System trees (/proc, /sys, /dev,
// /run except /run/media), pseudo file systems (but tmpfs, ramfs, network
// shares and FUSE user mounts), squashfs, autofs and the desktop's own FUSE
// mounts are left out; of several mounts on one point the top one counts,
// and a device and root mounted twice is shown once.
std::vector<DriveRoot> driveRoots(const std::vector<platform::MountEntry>& table,
                                  const DriveEnvironment& environment);

// The optical drives under `sysRoot`/block.
std::vector<std::string> opticalDrivesIn(const std::string& sysRoot);

// Whether a root stands for an optical drive with nothing mounted from it.
bool isUnmountedOptical(const DriveRoot& root);

// The type of the drive behind a mount.
DriveType driveTypeOf(const platform::MountEntry& mount, const std::string& sysRoot);

// The root that holds `path`: the longest root path above it (home beats
// "/"), or -1.
int rootHolding(const std::vector<DriveRoot>& roots, const std::string& path);
