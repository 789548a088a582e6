#include "marks/DatamarkStore.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <unordered_set>

#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

using platform::RegistryKey;
using platform::RegistryTreeNode;
using platform::RegistryType;
using platform::RegistryValue;

constexpr std::string_view kItemKey = "Bookmark Item";
constexpr std::string_view kLevelKey = "Level Info";
constexpr std::string_view kFilePrefix = "FilePath";
constexpr std::string_view kNamePrefix = "Name";
constexpr std::string_view kConnectKey = "Connect";
constexpr std::uint32_t kNoPosition = 0xFFFFFFFFu;

std::string hexName(std::string_view prefix, std::uint64_t n) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%llx", static_cast<unsigned long long>(n));
    return std::string(prefix) + digits;
}

// The number after a key's prefix ("Name1a" -> 26); none for another name.
std::optional<std::uint64_t> suffixOf(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 16 ||
        !sameMarkName(name.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    std::uint64_t n = 0;
    for (char c : name.substr(prefix.size())) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        n = n * 16 + static_cast<std::uint64_t>(digit);
    }
    return n;
}

// The registry lists "Name10" before "Name2"; datamarks load in the order
// they were numbered, other keys after them.
template <typename Item, typename NameOf>
void sortBySuffix(std::vector<Item>& items, std::string_view prefix, NameOf nameOf) {
    std::vector<std::pair<std::uint64_t, Item>> keyed;
    keyed.reserve(items.size());
    for (Item& item : items) {
        const auto n = suffixOf(nameOf(item), prefix);
        keyed.emplace_back(n ? *n : UINT64_MAX, std::move(item));
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = std::move(keyed[i].second);
    }
}

// The smallest free key name "prefix" + n among `names`.
std::string freeName(const std::vector<std::string>& names, std::string_view prefix) {
    std::set<std::uint64_t> used;
    for (const std::string& name : names) {
        if (const auto n = suffixOf(name, prefix); n && hexName(prefix, *n).size() == name.size()) {
            used.insert(*n);
        }
    }
    std::uint64_t n = 0;
    while (used.count(n) != 0) {
        ++n;
    }
    return hexName(prefix, n);
}

const RegistryValue* valueOf(const RegistryTreeNode& node, std::string_view name) {
    for (const auto& entry : node.values) {
        if (sameMarkName(entry.name, name)) {
            return &entry.value;
        }
    }
    return nullptr;
}

std::optional<std::uint32_t> dwordOf(const RegistryTreeNode& node, std::string_view name) {
    const RegistryValue* value = valueOf(node, name);
    return value != nullptr && value->type == RegistryType::Dword
               ? std::optional<std::uint32_t>(value->dword)
               : std::nullopt;
}

// A string within `limit` bytes; a longer one is not loaded.
std::optional<std::string> stringOf(const RegistryTreeNode& node, std::string_view name,
                                    std::size_t limit = kMaxDatamarkText) {
    const RegistryValue* value = valueOf(node, name);
    if (value == nullptr || value->type != RegistryType::String || value->text.size() > limit) {
        return std::nullopt;
    }
    return value->text;
}

const RegistryTreeNode* childOf(const RegistryTreeNode& node, std::string_view name) {
    for (const auto& child : node.children) {
        if (sameMarkName(child.name, name)) {
            return &child;
        }
    }
    return nullptr;
}

std::vector<std::string> readAssociations(const RegistryTreeNode& key) {
    std::vector<std::string> associations;
    const RegistryTreeNode* connect = childOf(key, kConnectKey);
    if (connect == nullptr) {
        return associations;
    }
    for (std::uint64_t k = 0;; ++k) {
        const RegistryValue* value = valueOf(*connect, hexName(kConnectKey, k));
        if (value == nullptr || value->type != RegistryType::String) {
            break;
        }
        if (value->text.size() <= kMaxDatamarkText) {
            associations.push_back(value->text);
        }
    }
    return associations;
}

// One datamark key with the read rules of the store; none without a usable name.
std::optional<CBmitemObj> readDatamark(const RegistryTreeNode& key, const std::string& path) {
    const auto name = stringOf(key, "Name", kMaxDatamarkName);
    if (!name || !isUsableDatamarkName(*name)) {
        return std::nullopt;
    }
    CBmitemObj datamark;
    datamark.filePath = path;
    datamark.name = *name;
    datamark.comment = stringOf(key, "Comment").value_or("");
    const auto level = dwordOf(key, "Level");
    datamark.level =
        level && static_cast<std::int32_t>(*level) > 0 ? static_cast<std::int32_t>(*level) : 1;
    const auto low = dwordOf(key, "Position");
    if (const auto high = dwordOf(key, "Position High")) {
        datamark.position = (std::uint64_t{*high} << 32) | low.value_or(0);
    } else {
        datamark.position = !low || *low == kNoPosition ? 0 : *low;
    }
    datamark.normalDatamark = dwordOf(key, "Normal Datamark").value_or(0) != 0;
    datamark.findString = stringOf(key, "Find String").value_or("");
    datamark.operateString = stringOf(key, "Operate String").value_or("");
    datamark.compareString = stringOf(key, "Compare String").value_or("");
    datamark.findResultString = stringOf(key, "Find Result String").value_or("");
    datamark.operateResultString = stringOf(key, "Operate Result String").value_or("");
    const auto arithmetic = dwordOf(key, "Arithmetic Operator");
    datamark.arithmeticOperator = arithmetic && markop::isArithmetic(static_cast<int>(*arithmetic))
                                      ? static_cast<std::int32_t>(*arithmetic)
                                      : markop::Add;
    const auto compare = dwordOf(key, "Compare Operator");
    datamark.compareOperator = compare && markop::isComparison(static_cast<int>(*compare))
                                   ? static_cast<std::int32_t>(*compare)
                                   : markop::Equal;
    datamark.associations = readAssociations(key);
    return datamark;
}

// The datamarks of one file key, in the order they were numbered; a later
// key with a name already read is the same datamark and is left out.
void readFileKey(const RegistryTreeNode& fileKey, const std::string& path, DatamarkLoad& load) {
    std::vector<const RegistryTreeNode*> keys;
    for (const auto& child : fileKey.children) {
        keys.push_back(&child);
    }
    sortBySuffix(keys, kNamePrefix, [](const RegistryTreeNode* key) { return key->name; });
    std::unordered_set<std::string> seen;
    seen.reserve(keys.size());
    for (const RegistryTreeNode* key : keys) {
        auto datamark = readDatamark(*key, path);
        if (!datamark) {
            ++load.damaged;
            continue;
        }
        if (seen.insert(foldedMarkName(datamark->name)).second) {
            load.datamarks.push_back(std::move(*datamark));
        }
    }
}

}  // namespace

DatamarkStore::DatamarkStore(platform::Registry& registry, platform::RegistryKey bookmark)
    : registry_(&registry), bookmark_(std::move(bookmark)) {}

DatamarkStore::DatamarkStore(const CSettings& settings)
    : DatamarkStore(settings.registry(), settings.sectionKey(settings::section::Bookmark)) {}

platform::RegistryKey DatamarkStore::items() const {
    return bookmark_.at(kItemKey);
}

std::optional<std::string> DatamarkStore::fileKeyName(std::string_view path) const {
    for (const auto& [name, value] : items().subkeyValues(kFilePrefix)) {
        if (value && value->type == RegistryType::String && value->text == path) {
            return name;
        }
    }
    return std::nullopt;
}

DatamarkLoad DatamarkStore::loadDatamarks(std::string_view path) const {
    DatamarkLoad load;
    const auto name = fileKeyName(path);
    if (!name) {
        return load;
    }
    if (const auto tree = items().at(*name).readTree()) {
        readFileKey(*tree, std::string(path), load);
    }
    return load;
}

DatamarkLoad DatamarkStore::loadOnOwnConnection(const std::string& registryFile,
                                                const std::string& bookmarkKey,
                                                const std::string& path) {
    const auto rooted = platform::splitRootedPath(bookmarkKey);
    if (!rooted) {
        return {};
    }
    platform::Registry registry(registryFile);
    const DatamarkStore store(registry, registry.root(rooted->first).at(rooted->second));
    return store.loadDatamarks(path);
}

DatamarkLoad DatamarkStore::loadAllDatamarks() const {
    DatamarkLoad load;
    auto tree = items().readTree();
    if (!tree) {
        return load;
    }
    std::vector<const RegistryTreeNode*> files;
    for (const auto& child : tree->children) {
        files.push_back(&child);
    }
    sortBySuffix(files, kFilePrefix, [](const RegistryTreeNode* key) { return key->name; });
    for (const RegistryTreeNode* file : files) {
        if (const auto path = stringOf(*file, kFilePrefix)) {
            readFileKey(*file, *path, load);
        }
    }
    return load;
}

std::optional<CBmitemObj> DatamarkStore::reloadDatamark(std::string_view path,
                                                        std::string_view name) const {
    for (CBmitemObj& datamark : loadDatamarks(path).datamarks) {
        if (sameMarkName(datamark.name, name)) {
            return std::move(datamark);
        }
    }
    return std::nullopt;
}

namespace {

// The twelve values, "Position High" where needed and the associations of
// one datamark into its own fresh key.
bool writeValues(const RegistryKey& key, const CBmitemObj& datamark) {
    const auto low = static_cast<std::uint32_t>(datamark.position & 0xFFFFFFFFu);
    bool done =
        key.isValid() && key.setString("Name", datamark.name) &&
        key.setString("Comment", datamark.comment) &&
        key.setDword("Normal Datamark", datamark.normalDatamark ? 1 : 0) &&
        key.setDword("Position", low) &&
        key.setDword("Level", static_cast<std::uint32_t>(datamark.level)) &&
        key.setDword("Arithmetic Operator",
                     static_cast<std::uint32_t>(datamark.arithmeticOperator)) &&
        key.setDword("Compare Operator", static_cast<std::uint32_t>(datamark.compareOperator)) &&
        key.setString("Find String", datamark.findString) &&
        key.setString("Operate String", datamark.operateString) &&
        key.setString("Compare String", datamark.compareString) &&
        key.setString("Find Result String", datamark.findResultString) &&
        key.setString("Operate Result String", datamark.operateResultString);
    // Offsets from 0xFFFFFFFF up keep their high half beside the low one.
    if (done && datamark.position >= kNoPosition) {
        done = key.setDword("Position High", static_cast<std::uint32_t>(datamark.position >> 32));
    }
    const RegistryKey connect = done ? key.createSubkey(kConnectKey) : RegistryKey();
    done = done && connect.isValid();
    for (std::size_t k = 0; done && k < datamark.associations.size(); ++k) {
        done = connect.setString(hexName(kConnectKey, k), datamark.associations[k]);
    }
    return done;
}

}  // namespace

// The datamarks of one file key, read once for a whole batch of saves: a
// datamark key is found by name in a map, a new one takes the smallest free
// number (which only grows while keys are added).
class DatamarkStore::FileKeyWriter {
  public:
    explicit FileKeyWriter(RegistryKey fileKey) : fileKey_(std::move(fileKey)) {
        for (const auto& [name, value] : fileKey_.subkeyValues(kNamePrefix)) {
            if (const auto n = suffixOf(name, kNamePrefix);
                n && hexName(kNamePrefix, *n).size() == name.size()) {
                used_.insert(*n);
            }
            if (value && value->type == RegistryType::String) {
                byName_.emplace(foldedMarkName(value->text), name);  // the first key wins
            }
        }
    }

    bool write(const CBmitemObj& datamark) {
        const std::string folded = foldedMarkName(datamark.name);
        std::string keyName;
        if (const auto found = byName_.find(folded); found != byName_.end()) {
            keyName = found->second;
            if (!fileKey_.deleteTree(keyName)) {
                return false;
            }
        } else {
            while (used_.count(free_) != 0) {
                ++free_;
            }
            used_.insert(free_);
            keyName = hexName(kNamePrefix, free_);
            byName_.emplace(folded, keyName);
        }
        return writeValues(fileKey_.createSubkey(keyName), datamark);
    }

  private:
    RegistryKey fileKey_;
    std::map<std::string, std::string> byName_;
    std::set<std::uint64_t> used_;
    std::uint64_t free_ = 0;
};

std::optional<DatamarkStore::FileKeyWriter> DatamarkStore::writerFor(std::string_view path) {
    const RegistryKey list = bookmark_.createSubkey(kItemKey);
    if (!list.isValid()) {
        return std::nullopt;
    }
    if (const auto name = fileKeyName(path)) {
        return FileKeyWriter(list.at(*name));
    }
    const RegistryKey fileKey = list.createSubkey(freeName(list.subkeyNames(), kFilePrefix));
    if (!fileKey.isValid() || !fileKey.setString(kFilePrefix, path)) {
        return std::nullopt;
    }
    return FileKeyWriter(fileKey);
}

bool DatamarkStore::saveWithin(const std::vector<const CBmitemObj*>& datamarks) {
    std::map<std::string, std::optional<FileKeyWriter>> writers;
    for (const CBmitemObj* datamark : datamarks) {
        if (datamark->filePath.empty() || datamark->name.empty()) {
            continue;  // nothing to write
        }
        auto [entry, added] = writers.try_emplace(datamark->filePath);
        if (added) {
            entry->second = writerFor(datamark->filePath);
        }
        if (!entry->second || !entry->second->write(*datamark)) {
            return false;
        }
    }
    return true;
}

bool DatamarkStore::saveDatamark(const CBmitemObj& datamark) {
    if (datamark.filePath.empty() || datamark.name.empty()) {
        return false;
    }
    return registry_->runTransaction([&] { return saveWithin({&datamark}); });
}

bool DatamarkStore::saveDatamarks(const std::vector<CBmitemObj>& datamarks) {
    std::vector<const CBmitemObj*> all;
    for (const CBmitemObj& datamark : datamarks) {
        all.push_back(&datamark);
    }
    return registry_->runTransaction([&] { return saveWithin(all); });
}

bool DatamarkStore::deleteStoredDatamark(std::string_view path, std::string_view name) {
    const auto file = fileKeyName(path);
    if (!file) {
        return true;  // nothing stored
    }
    const RegistryKey fileKey = items().at(*file);
    for (const auto& [keyName, value] : fileKey.subkeyValues(kNamePrefix)) {
        if (value && value->type == RegistryType::String && sameMarkName(value->text, name)) {
            return fileKey.deleteTree(keyName);
        }
    }
    return true;
}

bool DatamarkStore::replaceDatamark(std::string_view oldName, const CBmitemObj& datamark) {
    return registry_->runTransaction([&] {
        if (!sameMarkName(oldName, datamark.name) &&
            !deleteStoredDatamark(datamark.filePath, oldName)) {
            return false;
        }
        return saveWithin({&datamark});
    });
}

std::vector<CBmitemObj> DatamarkStore::findReferringDatamarks(std::string_view association) const {
    std::vector<CBmitemObj> referring;
    for (CBmitemObj& datamark : loadAllDatamarks().datamarks) {
        if (std::any_of(
                datamark.associations.begin(), datamark.associations.end(),
                [&](const std::string& entry) { return sameMarkName(entry, association); })) {
            referring.push_back(std::move(datamark));
        }
    }
    return referring;
}

bool DatamarkStore::replaceStoredDatamarks(std::vector<CBmitemObj>& list, std::string_view path) {
    for (CBmitemObj& datamark : list) {
        datamark.filePath = path;
    }
    return registry_->runTransaction([&] {
        if (const auto file = fileKeyName(path)) {
            const RegistryKey fileKey = items().at(*file);
            if (!fileKey.deleteTree("") || !fileKey.setString(kFilePrefix, path)) {
                return false;
            }
        }
        std::vector<const CBmitemObj*> all;
        for (const CBmitemObj& datamark : list) {
            all.push_back(&datamark);
        }
        return saveWithin(all);
    });
}

std::string DatamarkStore::failureReason() const {
    return registry_->lastWriteWasBusy() ? "another program holds the settings file"
                                         : "the settings file cannot be written";
}

DatamarkLevels DatamarkStore::buildLevels(
    int levelNumber, const std::function<std::string(int)>& defaultName) const {
    const int count =
        std::clamp(levelNumber, DatamarkLevels::kMinLevels, DatamarkLevels::kMaxLevels);
    std::vector<CBmlevelObj> levels;
    const RegistryKey info = bookmark_.at(kLevelKey);
    const auto stored = info.readTree();
    for (int number = 1; number <= count; ++number) {
        CBmlevelObj level{defaultName(number), DatamarkLevels::imageOf(number), true};
        const RegistryTreeNode* key = stored && number - 1 < levelNumber
                                          ? childOf(*stored, "Level" + std::to_string(number - 1))
                                          : nullptr;
        if (key != nullptr) {
            level.name = stringOf(*key, "Name").value_or(level.name);
            level.show = dwordOf(*key, "Show").value_or(1) != 0;
        }
        levels.push_back(std::move(level));
    }
    return DatamarkLevels(std::move(levels));
}

bool DatamarkStore::writeLevels(const DatamarkOptions& options,
                                const std::vector<CBmlevelObj>& levels) {
    namespace bm = settings::bookmark;
    return registry_->runTransaction([&] {
        const RegistryKey info = bookmark_.createSubkey(kLevelKey);
        bool done =
            info.isValid() && info.deleteTree("") &&
            bookmark_.setDword(bm::AutoSave.key, options.autoSave ? 1 : 0) &&
            bookmark_.setDword(bm::AutoUpdatePos.key, options.autoUpdatePositions ? 1 : 0) &&
            bookmark_.setDword(bm::AutoDisconnect.key, options.autoDisconnect ? 1 : 0) &&
            bookmark_.setDword(bm::AcrossFile.key, options.acrossFiles ? 1 : 0) &&
            bookmark_.setDword(bm::BrowserStyle.key,
                               static_cast<std::uint32_t>(options.browserStyle)) &&
            bookmark_.setDword(bm::LevelNumber.key, static_cast<std::uint32_t>(levels.size()));
        for (std::size_t i = 0; done && i < levels.size(); ++i) {
            const RegistryKey level = info.createSubkey("Level" + std::to_string(i));
            done = level.isValid() && level.setString("Name", levels[i].name) &&
                   level.setDword("Show", levels[i].show ? 1 : 0);
        }
        return done;
    });
}
