#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "marks/CBmitemObj.h"
#include "marks/DatamarkLevels.h"
#include "platform/Registry.h"

class CSettings;

// What a load found: the datamarks, and how many stored keys were damaged
// (no usable "Name") and skipped. Skipped keys stay in the store.
struct DatamarkLoad {
    std::vector<CBmitemObj> datamarks;
    int damaged = 0;
};

// The options the Datamark page writes beside the levels.
struct DatamarkOptions {
    bool autoSave = true;
    bool autoUpdatePositions = true;
    bool autoDisconnect = true;
    bool acrossFiles = true;
    int browserStyle = 0;
};

// The datamarks of every file, kept under "Bookmark\Bookmark Item": one key
// per file ("FilePath" + n in lower-case hex, found by its "FilePath" value),
// one key per datamark below it ("Name" + m, found by its "Name" value) with
// its associations in a "Connect" subkey. Paths compare exactly; names
// ignore letter case. Every write is one transaction: it lands whole or not
// at all, and a false result leaves the store as it was.
class DatamarkStore {
  public:
    // `bookmark` is the "Bookmark" section key.
    DatamarkStore(platform::Registry& registry, platform::RegistryKey bookmark);
    explicit DatamarkStore(const CSettings& settings);

    DatamarkLoad loadDatamarks(std::string_view path) const;
    // The same on a connection of its own to the registry file, for a worker
    // thread; `bookmarkKey` is the "Bookmark" key's full path.
    static DatamarkLoad loadOnOwnConnection(const std::string& registryFile,
                                            const std::string& bookmarkKey,
                                            const std::string& path);
    DatamarkLoad loadAllDatamarks() const;
    // One datamark again, by path and name.
    std::optional<CBmitemObj> reloadDatamark(std::string_view path, std::string_view name) const;

    // Nothing is written for an empty path or name (false).
    bool saveDatamark(const CBmitemObj& datamark);
    // Every datamark with a path and a name, as one write.
    bool saveDatamarks(const std::vector<CBmitemObj>& datamarks);
    bool deleteStoredDatamark(std::string_view path, std::string_view name);
    // A datamark edited under its stored name `oldName`: the old key goes
    // when the name changed, and the datamark is saved, as one write.
    bool replaceDatamark(std::string_view oldName, const CBmitemObj& datamark);
    // Stored datamarks of any file with an association equal to `association`
    // (ignoring case).
    std::vector<CBmitemObj> findReferringDatamarks(std::string_view association) const;
    // Gives every datamark of `list` the path, removes what is stored for
    // the path and stores the list in its place.
    bool replaceStoredDatamarks(std::vector<CBmitemObj>& list, std::string_view path);

    // Why the last write failed, for the message that reports it.
    std::string failureReason() const;

    // The level table for `levelNumber` levels (held to 8..32): the default
    // names from `defaultName`, with the stored names and show flags.
    DatamarkLevels buildLevels(int levelNumber,
                               const std::function<std::string(int)>& defaultName) const;
    // The Datamark page's apply: the options, "Level Number" and the levels.
    bool writeLevels(const DatamarkOptions& options, const std::vector<CBmlevelObj>& levels);

  private:
    platform::RegistryKey items() const;
    std::optional<std::string> fileKeyName(std::string_view path) const;
    class FileKeyWriter;
    // The writer of a path's file key, made when the path has none yet.
    std::optional<FileKeyWriter> writerFor(std::string_view path);
    // Saves inside a running transaction; false when a write failed.
    bool saveWithin(const std::vector<const CBmitemObj*>& datamarks);

    platform::Registry* registry_;
    platform::RegistryKey bookmark_;
};
