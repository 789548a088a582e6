#include "marks/DatamarkPageOptions.h"

#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

DatamarkPageOptions DatamarkPageOptions::load(const CSettings& settings,
                                              const DatamarkLevels& table) {
    namespace bm = settings::bookmark;
    DatamarkPageOptions page;
    page.options.autoSave = settings.get(bm::AutoSave) != 0;
    page.options.autoUpdatePositions = settings.get(bm::AutoUpdatePos) != 0;
    page.options.autoDisconnect = settings.get(bm::AutoDisconnect) != 0;
    page.options.acrossFiles = settings.get(bm::AcrossFile) != 0;
    page.options.browserStyle = settings.get(bm::BrowserStyle);
    page.levels = table.all();
    return page;
}

bool DatamarkPageOptions::apply(DatamarkStore& store) const {
    return store.writeLevels(options, levels);
}
