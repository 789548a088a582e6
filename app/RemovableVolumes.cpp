#include "app/RemovableVolumes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

std::string uuidOf(const std::string& device, const std::string& folder) {
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) {
        return {};
    }
    for (const auto& link : fs::directory_iterator(folder, error)) {
        std::error_code linkError;
        if (fs::canonical(link.path(), linkError) == target && !linkError) {
            return link.path().filename().string();
        }
    }
    return {};
}

bool discPresent(const std::string& drive, const std::string& sysRoot) {
    std::ifstream size(sysRoot + "/block/" + drive + "/size");
    unsigned long long sectors = 0;
    return static_cast<bool>(size >> sectors) && sectors > 0;
}

}  // namespace

std::optional<std::string> volumeSerial(const DriveRoot& root,
                                        const std::vector<platform::MountEntry>& table,
                                        const VolumeSources& sources) {
    if (isUnmountedOptical(root)) {
        const std::string drive = root.path.substr(5);
        return discPresent(drive, sources.sysRoot) ? std::optional<std::string>("disc")
                                                   : std::nullopt;
    }
    const auto mount = std::find_if(table.begin(), table.end(), [&](const auto& entry) {
        return entry.id == root.mountId && entry.mountPoint == root.path;
    });
    if (mount == table.end()) {
        return std::nullopt;
    }
    const std::string uuid =
        mount->source.starts_with("/") ? uuidOf(mount->source, sources.uuidFolder) : "";
    return uuid.empty() ? mount->device + "#" + std::to_string(mount->id) : uuid;
}

VolumeCheck checkVolume(const std::optional<std::string>& remembered,
                        const std::optional<std::string>& current, bool expanding) {
    if (!current) {
        return expanding ? VolumeCheck::AskForVolume : VolumeCheck::Reset;
    }
    if (remembered && *remembered != *current) {
        return VolumeCheck::Reset;
    }
    return VolumeCheck::List;
}
