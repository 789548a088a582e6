#include "settings/CSettings.h"

#include <unistd.h>

#include <array>
#include <climits>

#include "platform/TempFile.h"

using platform::RegistryType;
using platform::RegistryValue;

CSettings::CSettings(platform::Registry& registry, std::string_view applicationName)
    : registry_(registry),
      applicationPath_("Software\\" + std::string(settings::kCompanyKey) + "\\" +
                       std::string(applicationName)) {}

CSettings::CSettings(platform::Registry& registry, Unavailable) : CSettings(registry) {
    available_ = false;
}

CSettings& CSettings::defaults() {
    // Its registry is never reached: an unavailable store neither reads nor writes.
    static platform::Registry nowhere{std::string()};
    static CSettings settings(nowhere, Unavailable{});
    return settings;
}

bool CSettings::open() {
    const auto application =
        registry_.createKey(platform::RegistryRoot::CurrentUser, applicationPath_);
    available_ = application.isValid();
    if (!available_) {
        return false;
    }
    for (const auto section : {settings::section::Edit, settings::section::BookmarkLevelInfo,
                               settings::section::BookmarkItem}) {
        application.createSubkey(section);
    }
    return true;
}

platform::RegistryKey CSettings::applicationKey() const {
    if (!available_) {
        return {};
    }
    return registry_.root(platform::RegistryRoot::CurrentUser).at(applicationPath_);
}

platform::RegistryKey CSettings::sectionKey(std::string_view section) const {
    return applicationKey().at(section);
}

std::optional<RegistryValue> CSettings::read(std::string_view section, std::string_view key) const {
    if (!pending_.empty()) {
        const auto waiting = pending_.find({std::string(section), std::string(key)});
        if (waiting != pending_.end()) {
            return waiting->second;
        }
    }
    return sectionKey(section).queryValue(key);
}

bool CSettings::writeValue(std::string_view section, std::string_view key,
                           const RegistryValue& value) {
    const std::pair<std::string, std::string> name{std::string(section), std::string(key)};
    // While another program holds the registry the value waits, never the user.
    const bool stored = flushPendingWrites() && storeValue(section, key, value);
    if (!stored && available_ && registry_.lastWriteWasBusy()) {
        pending_[name] = value;
        return true;
    }
    pending_.erase(name);
    return stored;
}

bool CSettings::flushPendingWrites() {
    for (auto entry = pending_.begin(); entry != pending_.end();) {
        if (!storeValue(entry->first.first, entry->first.second, entry->second) &&
            registry_.lastWriteWasBusy()) {
            return false;  // still held: the rest waits too
        }
        entry = pending_.erase(entry);
    }
    return true;
}

bool CSettings::storeValue(std::string_view section, std::string_view key,
                           const RegistryValue& value) {
    const auto application = applicationKey();
    if (!application.isValid()) {
        return false;
    }
    // Sections nearly always exist; create one only when the plain write fails.
    if (application.at(section).setValue(key, value)) {
        return true;
    }
    if (registry_.lastWriteWasBusy()) {
        return false;
    }
    const auto created = application.createSubkey(section);
    return created.isValid() && created.setValue(key, value);
}

std::int32_t CSettings::getInt(std::string_view section, std::string_view key,
                               std::int32_t defaultValue) const {
    const auto value = read(section, key);
    if (!value || value->type != RegistryType::Dword) {
        return defaultValue;
    }
    return static_cast<std::int32_t>(value->dword);
}

std::string CSettings::getString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    auto value = read(section, key);
    if (!value || value->type != RegistryType::String) {
        return std::string(defaultValue);
    }
    return std::move(value->text);
}

bool CSettings::writeInt(std::string_view section, std::string_view key, std::int32_t value) {
    return writeValue(section, key, RegistryValue::ofDword(static_cast<std::uint32_t>(value)));
}

bool CSettings::writeString(std::string_view section, std::string_view key,
                            std::string_view value) {
    return writeValue(section, key, RegistryValue::ofString(std::string(value)));
}

std::int32_t CSettings::get(const settings::IntSetting& setting) const {
    const std::int32_t stored = getInt(setting.section, setting.key, setting.defaultValue);
    return setting.correct != nullptr ? setting.correct(stored) : stored;
}

std::string CSettings::get(const settings::StringSetting& setting) const {
    return getString(setting.section, setting.key, setting.defaultValue);
}

bool CSettings::write(const settings::IntSetting& setting, std::int32_t value) {
    return writeInt(setting.section, setting.key, value);
}

bool CSettings::write(const settings::StringSetting& setting, std::string_view value) {
    return writeString(setting.section, setting.key, value);
}

std::string CSettings::workDirectory() const {
    std::string path = get(settings::general::WorkFilePath);
    if (!path.empty()) {
        return path;
    }
    std::array<char, PATH_MAX> buffer{};
    return getcwd(buffer.data(), buffer.size()) != nullptr ? std::string(buffer.data())
                                                           : std::string(".");
}

std::string CSettings::tempDirectory() const {
    const std::string path = get(settings::general::TempFilePath);
    return path.empty() ? platform::systemTempDirectory()
                        : platform::withoutTrailingSeparator(path);
}

std::optional<std::string> CSettings::createTempFile(std::string_view prefix) const {
    return platform::createUniqueTempFile(tempDirectory(), prefix);
}

std::uint32_t CSettings::maxDirectEditSize() const {
    return static_cast<std::uint32_t>(get(settings::general::MaxFileSize));
}
