#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"
#include "settings/SettingKeys.h"

// The settings store: integer and string values by section and key under
// HKEY_CURRENT_USER\Software\Mandrel 417\1.1\<application>. Values are read
// when they are needed, never cached, so a change made by another process or
// by the options sheet is seen at the next read.
//
// A value of the wrong type, or one that cannot be read, counts as absent.
// When the application key cannot be opened or created, every read yields the
// default and every write fails.
class CSettings {
  public:
    explicit CSettings(platform::Registry& registry,
                       std::string_view applicationName = settings::kApplicationName);

    // Start-up: opens the application key with full access and creates the
    // sections "Edit", "Bookmark", "Bookmark\Level Info" and
    // "Bookmark\Bookmark Item" when missing. False when the key could not be
    // opened; the store then runs on defaults.
    bool open();
    bool isAvailable() const { return available_; }

    // Settings that answer every read with its default and refuse every
    // write: what a part is given when no registry stands behind it.
    static CSettings& defaults();

    // The four operations. Integers are the 32-bit registry numbers as signed values.
    std::int32_t getInt(std::string_view section, std::string_view key,
                        std::int32_t defaultValue) const;
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    bool writeInt(std::string_view section, std::string_view key, std::int32_t value);
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

    // The same through the records of SettingKeys.h, with their read-time corrections.
    std::int32_t get(const settings::IntSetting& setting) const;
    std::string get(const settings::StringSetting& setting) const;
    bool write(const settings::IntSetting& setting, std::int32_t value);
    bool write(const settings::StringSetting& setting, std::string_view value);

    // "Work File Path", or the current directory of the process when empty.
    std::string workDirectory() const;
    // "Temp File Path", or the system temporary directory when empty; never
    // with a trailing separator.
    std::string tempDirectory() const;
    // A new empty file in the temporary directory named from `prefix`
    // ("~HEXDATA" -> "~HEXDATA<hex>.tmp"); nullopt when none could be created.
    std::optional<std::string> createTempFile(std::string_view prefix) const;
    // "Max File Size" in bytes, never below 4194304.
    std::uint32_t maxDirectEditSize() const;

    // Writes another process kept out (it held the registry's lock longer
    // than a write waits) are kept here and read back as written, and go to
    // the registry at the next write or flush. True when none is left.
    bool flushPendingWrites();
    std::size_t pendingWrites() const { return pending_.size(); }

    // The application key and one of its sections (which may not exist yet),
    // for the stores that keep records of their own under it.
    platform::RegistryKey applicationKey() const;
    // The registry behind the store, for stores that write several values as one.
    platform::Registry& registry() const { return registry_; }
    platform::RegistryKey sectionKey(std::string_view section) const;

  private:
    struct Unavailable {};
    CSettings(platform::Registry& registry, Unavailable);

    std::optional<platform::RegistryValue> read(std::string_view section,
                                                std::string_view key) const;
    bool writeValue(std::string_view section, std::string_view key,
                    const platform::RegistryValue& value);

    bool storeValue(std::string_view section, std::string_view key,
                    const platform::RegistryValue& value);

    platform::Registry& registry_;
    std::string applicationPath_;
    bool available_ = true;
    // Section and key (as written) to the value waiting for the registry.
    std::map<std::pair<std::string, std::string>, platform::RegistryValue> pending_;
};
