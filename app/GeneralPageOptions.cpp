#include "app/GeneralPageOptions.h"

#include <unistd.h>

#include <filesystem>

#include "platform/Mounts.h"
#include "platform/PrintfFormat.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

GeneralPageOptions GeneralPageOptions::load(const CSettings& settings,
                                            const std::string& currentFolder) {
    using namespace settings::general;
    GeneralPageOptions page;
    page.multipleInstances = settings.get(MutipleInstances) != 0;
    page.autoReleaseClipboard = settings.get(AutoReleaseClipbrd) != 0;
    page.ignoreFloppyDrives = settings.get(IgnoreFloppyDrives) != 0;
    page.monitorFileChanges = settings.get(MonitorFileChanges) != 0;
    page.workFolder = settings.get(WorkFilePath);
    std::error_code error;
    if (page.workFolder.empty() || !std::filesystem::is_directory(page.workFolder, error)) {
        page.workFolder = currentFolder;
        page.changedOnLoad = true;
    }
    const std::string temp = settings.get(TempFilePath);
    page.tempFolder = std::filesystem::is_directory(temp, error) ? temp : std::string();
    return page;
}

void GeneralPageOptions::store(CSettings& settings) const {
    using namespace settings::general;
    settings.write(MutipleInstances, multipleInstances ? 1 : 0);
    settings.write(AutoReleaseClipbrd, autoReleaseClipboard ? 1 : 0);
    settings.write(IgnoreFloppyDrives, ignoreFloppyDrives ? 1 : 0);
    settings.write(MonitorFileChanges, monitorFileChanges ? 1 : 0);
    if (!workFolder.empty()) {
        settings.write(WorkFilePath, workFolder);
    }
    if (!tempFolder.empty()) {
        settings.write(TempFilePath, tempFolder);
    }
}

FolderFacts folderFacts(const std::string& folder) {
    FolderFacts facts;
    std::error_code error;
    const std::string absolute = std::filesystem::weakly_canonical(folder, error).string();
    const auto mount = platform::mountHolding(platform::readMountTable(), absolute);
    const auto free = platform::freeBytesAt(folder);
    facts.fileSystemText =
        platform::formatPrintf("File System: %s", {mount ? mount->type : std::string("?")});
    facts.freeSpaceText = platform::formatPrintf("Free Space: %i MB",
                                                 {static_cast<long long>(free.value_or(0) >> 20)});
    facts.usable = mount && platform::isLocalWritableMount(*mount) &&
                   std::filesystem::is_directory(folder, error) &&
                   ::access(folder.c_str(), W_OK) == 0;
    return facts;
}
