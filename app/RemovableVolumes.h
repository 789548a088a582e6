#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/WorkspaceDrives.h"
#include "platform/Mounts.h"

// Where the volume facts of removable and optical drives come from.
struct VolumeSources {
    std::string sysRoot = "/sys";
    std::string uuidFolder = "/dev/disk/by-uuid";
};

// The serial of the volume in a removable or optical drive: its file
// system's UUID, else its device number and mount ID; for an optical drive
// with nothing mounted, "disc" while a disc is in it. Nothing when the
// drive holds no volume (its mount is gone, or no disc).
std::optional<std::string> volumeSerial(const DriveRoot& root,
                                        const std::vector<platform::MountEntry>& table,
                                        const VolumeSources& sources = {});

// What to do before a folder of a removable or optical drive is listed,
// from the serial remembered for the drive and the one read now.
enum class VolumeCheck {
    List,         // the same volume (or the first one seen): list
    Reset,        // another volume, or none: collapse, empty, expandable again
    AskForVolume  // none while the user expands the drive: "Insert Disk"
};
VolumeCheck checkVolume(const std::optional<std::string>& remembered,
                        const std::optional<std::string>& current, bool expanding);
