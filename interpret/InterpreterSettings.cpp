#include "interpret/InterpreterSettings.h"

#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

bool flag(const CSettings& settings, const settings::IntSetting& setting) {
    return settings.get(setting) != 0;
}

}  // namespace

InterpreterSettings InterpreterSettings::load(const CSettings& settings) {
    InterpreterSettings stored;
    stored.hidden = flag(settings, settings::interpreter::LockHide);
    stored.lockPosition = flag(settings, settings::interpreter::LockPos);
    stored.littleEndian = flag(settings, settings::interpreter::LittleEndian);
    stored.decimal = flag(settings, settings::interpreter::Decimal) ? 1 : 0;
    return stored;
}

bool InterpreterSettings::store(CSettings& settings) const {
    bool written = settings.write(settings::interpreter::LockHide, hidden ? 1 : 0);
    written = settings.write(settings::interpreter::LockPos, lockPosition ? 1 : 0) && written;
    written = settings.write(settings::interpreter::LittleEndian, littleEndian ? 1 : 0) && written;
    return settings.write(settings::interpreter::Decimal, decimal != 0 ? 1 : 0) && written;
}

InterpretationPageOptions InterpretationPageOptions::from(const InterpreterSettings& stored) {
    InterpretationPageOptions page;
    page.byteOrder = stored.littleEndian ? 0 : 1;
    page.numberSystem = stored.decimal != 0 ? 1 : 0;
    page.autoShow = !stored.hidden;
    page.lockPosition = stored.lockPosition;
    return page;
}

InterpreterSettings InterpretationPageOptions::toSettings() const {
    InterpreterSettings stored;
    stored.littleEndian = byteOrder == 0;
    stored.decimal = numberSystem != 0 ? 1 : 0;
    stored.hidden = !autoShow;
    stored.lockPosition = lockPosition;
    return stored;
}
