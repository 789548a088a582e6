#include "app/EditFilePageOptions.h"

#include <algorithm>

#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

NumberField field(long long value, long long minimum, long long maximum) {
    return {std::to_string(value), minimum, maximum};
}

std::int32_t valueOf(const NumberField& field) {
    return static_cast<std::int32_t>(wholeNumber(field.text).value_or(field.minimum));
}

}  // namespace

EditPageOptions EditPageOptions::load(const CSettings& settings) {
    using namespace settings::edit;
    EditPageOptions page;
    page.showProgress = settings.get(ShowProgress) != 0;
    page.overwriteWarn = settings.get(OverwriteWarn) != 0;
    page.isInsert = settings.get(IsInsert) != 0;
    page.useRand = settings.get(UseRand) != 0;
    const std::int32_t storedType =
        settings.getInt(WriteType.section, WriteType.key, WriteType.defaultValue);
    page.changedOnLoad = storedType < 0 || storedType > 5;
    page.writeType = page.changedOnLoad ? 0 : storedType;
    page.fields = {field(settings.get(MaxUndoLevel), 0, 65536),
                   field(settings.get(MaxCopySize), 1024, 1024000000),
                   field(settings.get(OverwriteSize), 1, 1024000000),
                   field(settings.get(InitLength), 1, 1024000000),
                   field(settings.get(InitData), 0, 255)};
    return page;
}

void EditPageOptions::store(CSettings& settings) const {
    using namespace settings::edit;
    settings.write(ShowProgress, showProgress ? 1 : 0);
    settings.write(OverwriteWarn, overwriteWarn ? 1 : 0);
    settings.write(IsInsert, isInsert ? 1 : 0);
    settings.write(UseRand, useRand ? 1 : 0);
    settings.write(WriteType, writeType);
    settings.write(MaxUndoLevel, valueOf(fields[0]));
    settings.write(MaxCopySize, valueOf(fields[1]));
    settings.write(OverwriteSize, valueOf(fields[2]));
    settings.write(InitLength, valueOf(fields[3]));
    settings.write(InitData, valueOf(fields[4]));
}

FilePageOptions FilePageOptions::load(const CSettings& settings) {
    FilePageOptions page;
    page.dragDrop = settings.get(settings::general::DragAcceptFile) != 0;
    page.maximizeFrame = settings.get(settings::general::MaximizeDocFrame) != 0;
    page.openReadOnly = settings.get(settings::general::DefaultReadonly) != 0;
    page.createAtStartup = settings.get(settings::edit::NewdocStartup) != 0;
    page.createDirectly = settings.get(settings::edit::NewdocDirCreate) != 0;
    page.addressType = std::clamp(settings.get(settings::edit::NewdocOfsType), 0, 2);
    const std::int32_t mru = std::clamp(settings.get(settings::general::MruFileCount), 4, 10);
    const std::uint32_t direct = settings.maxDirectEditSize();
    // The new file's length shown no longer than a file edited in memory.
    const auto length =
        std::min<long long>(std::max(settings.get(settings::edit::NewdocInitLength), 0), direct);
    page.fields = {field(mru, 4, 16), field(direct >> 10, 1024, 1048576),
                   field(length, 0, 1024000000),
                   field(std::clamp(settings.get(settings::edit::NewdocInitData), 0, 255), 0, 255)};
    return page;
}

void FilePageOptions::store(CSettings& settings) const {
    settings.write(settings::general::DragAcceptFile, dragDrop ? 1 : 0);
    settings.write(settings::general::MaximizeDocFrame, maximizeFrame ? 1 : 0);
    settings.write(settings::general::DefaultReadonly, openReadOnly ? 1 : 0);
    settings.write(settings::edit::NewdocStartup, createAtStartup ? 1 : 0);
    settings.write(settings::edit::NewdocDirCreate, createDirectly ? 1 : 0);
    settings.write(settings::edit::NewdocOfsType, addressType);
    const std::int32_t mru = valueOf(fields[0]);
    if (mru >= 4 && mru <= 10) {
        settings.write(settings::general::MruFileCount, mru);
    }
    settings.write(settings::general::MaxFileSize, valueOf(fields[1]) << 10);
    settings.write(settings::edit::NewdocInitLength, valueOf(fields[2]));
    settings.write(settings::edit::NewdocInitData, valueOf(fields[3]));
}
