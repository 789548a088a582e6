#include "platform/Registry.h"

#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>
#include <unordered_map>

#include "platform/SqliteConnection.h"
#include "platform/UiThread.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr int kFormatVersion = 1;
constexpr int kBusyTimeoutMs = 5000;
// How long a write waits for another process's lock: briefly on the
// user-interface thread, which must not freeze, longer elsewhere.
constexpr std::chrono::milliseconds kUiWritePatience{200};
constexpr std::chrono::milliseconds kWorkerWritePatience{20000};
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr char kSeparator = '\\';

struct RootNames {
    RegistryRoot root;
    std::string_view longName;
    std::string_view shortName;
};

constexpr std::array<RootNames, 3> kRoots{{
    {RegistryRoot::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
}};

// Names compare ignoring the letter case of the Latin letters; the folded
// form is also the sort key, which orders names as the original registry
// enumerates them (upper case, so "_" sorts after the letters).
std::string fold(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return folded;
}

// Splits a relative path into key names; nullopt for an empty name inside
// the path or a name that is too long. One leading or trailing separator is
// tolerated.
std::optional<std::vector<std::string_view>> splitKeyPath(std::string_view path) {
    if (!path.empty() && path.front() == kSeparator) {
        path.remove_prefix(1);
    }
    if (!path.empty() && path.back() == kSeparator) {
        path.remove_suffix(1);
    }
    std::vector<std::string_view> names;
    if (path.empty()) {
        return names;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find(kSeparator, start);
        const std::string_view name = path.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (name.empty() || name.size() > kMaxKeyNameLength) {
            return std::nullopt;
        }
        names.push_back(name);
        if (end == std::string_view::npos) {
            return names;
        }
        start = end + 1;
    }
}

// Keys strictly below `folded` have folded paths in [folded + "\", folded + "]"),
// since "]" is the character after the separator.
std::string descendantsFrom(const std::string& folded) {
    return folded + kSeparator;
}
std::string descendantsTo(const std::string& folded) {
    return folded + static_cast<char>(kSeparator + 1);
}

std::optional<RegistryValue> readValue(const SqliteQuery& query, int typeColumn) {
    const auto type = static_cast<RegistryType>(query->columnInt(typeColumn));
    switch (type) {
        case RegistryType::Dword:
            return RegistryValue::ofDword(
                static_cast<std::uint32_t>(query->columnInt(typeColumn + 1)));
        case RegistryType::String:
            return RegistryValue::ofString(query->columnText(typeColumn + 1));
        case RegistryType::None:
            break;
    }
    return RegistryValue{};
}

std::string timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

}  // namespace

std::string_view rootName(RegistryRoot root) {
    for (const auto& names : kRoots) {
        if (names.root == root) {
            return names.longName;
        }
    }
    return {};
}

std::optional<std::pair<RegistryRoot, std::string>> splitRootedPath(std::string_view path) {
    const std::size_t end = path.find(kSeparator);
    const std::string first = fold(path.substr(0, end));
    for (const auto& names : kRoots) {
        if (first == names.longName || first == names.shortName) {
            std::string rest(end == std::string_view::npos ? std::string_view()
                                                           : path.substr(end + 1));
            return std::make_pair(names.root, std::move(rest));
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- RegistryKey

bool RegistryKey::exists() const {
    return registry_ != nullptr && registry_->keyExists(folded_);
}

std::optional<RegistryValue> RegistryKey::queryValue(std::string_view name) const {
    return registry_ ? registry_->queryValue(folded_, name) : std::nullopt;
}

std::optional<std::uint32_t> RegistryKey::queryDword(std::string_view name) const {
    const auto value = queryValue(name);
    if (!value || value->type != RegistryType::Dword) {
        return std::nullopt;
    }
    return value->dword;
}

std::optional<std::string> RegistryKey::queryString(std::string_view name) const {
    auto value = queryValue(name);
    if (!value || value->type != RegistryType::String) {
        return std::nullopt;
    }
    return std::move(value->text);
}

bool RegistryKey::setValue(std::string_view name, const RegistryValue& value) const {
    return registry_ != nullptr && registry_->setValue(folded_, name, value);
}

bool RegistryKey::setDword(std::string_view name, std::uint32_t number) const {
    return setValue(name, RegistryValue::ofDword(number));
}

bool RegistryKey::setString(std::string_view name, std::string_view text) const {
    return setValue(name, RegistryValue::ofString(std::string(text)));
}

bool RegistryKey::deleteValue(std::string_view name) const {
    return registry_ != nullptr && registry_->deleteValue(folded_, name);
}

std::optional<std::string> RegistryKey::enumSubkey(std::size_t index) const {
    return registry_ ? registry_->enumSubkey(folded_, index) : std::nullopt;
}

std::optional<RegistryValueEntry> RegistryKey::enumValue(std::size_t index) const {
    return registry_ ? registry_->enumValue(folded_, index) : std::nullopt;
}

std::vector<std::string> RegistryKey::subkeyNames() const {
    return registry_ ? registry_->subkeyNames(folded_) : std::vector<std::string>{};
}

std::vector<RegistryValueEntry> RegistryKey::values() const {
    return registry_ ? registry_->values(folded_) : std::vector<RegistryValueEntry>{};
}

std::optional<RegistryTreeNode> RegistryKey::readTree() const {
    return registry_ != nullptr ? registry_->readTree(*this) : std::nullopt;
}

std::vector<std::pair<std::string, std::optional<RegistryValue>>> RegistryKey::subkeyValues(
    std::string_view valueName) const {
    if (registry_ == nullptr) {
        return {};
    }
    return registry_->subkeyValues(folded_, valueName);
}

RegistryKey RegistryKey::at(std::string_view relativePath) const {
    const auto names = splitKeyPath(relativePath);
    if (registry_ == nullptr || !names) {
        return {};
    }
    RegistryKey key = *this;
    for (const auto name : *names) {
        key.path_ += kSeparator;
        key.path_ += name;
        key.folded_ += kSeparator;
        key.folded_ += fold(name);
    }
    return key;
}

RegistryKey RegistryKey::openSubkey(std::string_view relativePath) const {
    if (registry_ == nullptr) {
        return {};
    }
    return registry_->openSubkey(*this, relativePath).value_or(RegistryKey{});
}

RegistryKey RegistryKey::createSubkey(std::string_view relativePath) const {
    if (registry_ == nullptr) {
        return {};
    }
    return registry_->createSubkey(*this, relativePath).value_or(RegistryKey{});
}

bool RegistryKey::deleteSubkey(std::string_view relativePath) const {
    return registry_ != nullptr && registry_->deleteSubkey(*this, relativePath);
}

bool RegistryKey::deleteTree(std::string_view relativePath) const {
    return registry_ != nullptr && registry_->deleteTree(*this, relativePath);
}

// ------------------------------------------------------------------- Registry

Registry::Registry(std::string filePath)
    : filePath_(std::move(filePath)), db_(std::make_unique<SqliteConnection>()) {}

Registry::~Registry() = default;

std::string Registry::defaultFilePath() {
    if (const char* explicitPath = std::getenv("KESTRANE_REGISTRY");
        explicitPath != nullptr && *explicitPath != '\0') {
        return explicitPath;
    }
    std::string configHome;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base-directory rules say.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        configHome = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            const passwd* entry = getpwuid(getuid());
            home = entry != nullptr ? entry->pw_dir : "/tmp";
        }
        configHome = std::string(home) + "/.config";
    }
    return configHome + "/Mandrel 417/registry.sqlite";
}

RegistryFileState Registry::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

std::string Registry::movedAsidePath() const {
    std::lock_guard lock(mutex_);
    return movedAsidePath_;
}

RegistryKey Registry::root(RegistryRoot root) {
    std::string name(rootName(root));
    return RegistryKey(this, name, name);
}

bool Registry::ensureOpen(bool forWrite) {
    if (db_->isOpen()) {
        return !forWrite || schemaReady_ || prepareSchema();
    }
    std::error_code error;
    if (fs::exists(filePath_, error)) {
        return openExisting(forWrite);
    }
    if (!forWrite) {
        return false;
    }
    const fs::path parent = fs::path(filePath_).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, error);
    }
    if (db_->open(filePath_, true) != SQLITE_OK) {
        state_ = RegistryFileState::Unusable;
        return false;
    }
    db_->setBusyTimeout(kBusyTimeoutMs);
    return prepareSchema();
}

bool Registry::openExisting(bool forWrite) {
    if (db_->open(filePath_, false) != SQLITE_OK) {
        state_ = RegistryFileState::Unusable;
        return false;
    }
    db_->setBusyTimeout(kBusyTimeoutMs);
    if (looksDamaged()) {
        db_->close();
        moveAside();
        if (state_ != RegistryFileState::MovedAside || !forWrite) {
            return false;
        }
        if (db_->open(filePath_, true) != SQLITE_OK) {
            state_ = RegistryFileState::Unusable;
            return false;
        }
        db_->setBusyTimeout(kBusyTimeoutMs);
        return prepareSchema();
    }
    {
        auto version = db_->prepare("PRAGMA user_version");
        // A file written by a newer format is left alone rather than misread.
        if (!version || version->step() != SQLITE_ROW || version->columnInt(0) > kFormatVersion) {
            db_->close();
            state_ = RegistryFileState::Unusable;
            return false;
        }
    }
    state_ = RegistryFileState::Open;
    return !forWrite || prepareSchema();
}

bool Registry::looksDamaged() {
    auto check = db_->prepare("PRAGMA quick_check(1)");
    if (!check) {
        const int rc = db_->lastError();
        return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
    }
    const int rc = check->step();
    if (rc == SQLITE_ROW) {
        return check->columnText(0) != "ok";
    }
    return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
}

void Registry::moveAside() {
    std::string target = filePath_ + ".damaged-" + timestamp();
    std::error_code error;
    for (int n = 2; fs::exists(target, error); ++n) {
        target = filePath_ + ".damaged-" + timestamp() + "-" + std::to_string(n);
    }
    fs::rename(filePath_, target, error);
    if (error) {
        state_ = RegistryFileState::Unusable;
        return;
    }
    std::error_code ignored;
    if (fs::exists(filePath_ + "-wal", ignored)) {
        fs::rename(filePath_ + "-wal", target + "-wal", ignored);
    }
    fs::remove(filePath_ + "-shm", ignored);
    movedAsidePath_ = target;
    state_ = RegistryFileState::MovedAside;
}

bool Registry::prepareSchema() {
    // WAL lets readers go on while another process writes; FULL makes every
    // committed write durable.
    db_->exec("PRAGMA journal_mode=WAL");
    db_->exec("PRAGMA synchronous=FULL");
    static constexpr const char* kSchema = R"sql(
        BEGIN IMMEDIATE;
        CREATE TABLE IF NOT EXISTS reg_keys(
            folded TEXT PRIMARY KEY,
            parent TEXT NOT NULL,
            path TEXT NOT NULL,
            name TEXT NOT NULL,
            sortkey TEXT NOT NULL
        ) WITHOUT ROWID;
        CREATE INDEX IF NOT EXISTS reg_keys_by_parent ON reg_keys(parent, sortkey);
        CREATE TABLE IF NOT EXISTS reg_values(
            key TEXT NOT NULL,
            folded TEXT NOT NULL,
            name TEXT NOT NULL,
            type INTEGER NOT NULL,
            data,
            PRIMARY KEY(key, folded)
        ) WITHOUT ROWID;
        INSERT OR IGNORE INTO reg_keys VALUES
            ('HKEY_CLASSES_ROOT', '', 'HKEY_CLASSES_ROOT', 'HKEY_CLASSES_ROOT', 'HKEY_CLASSES_ROOT'),
            ('HKEY_CURRENT_USER', '', 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER'),
            ('HKEY_LOCAL_MACHINE', '', 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE');
        PRAGMA user_version = 1;
        COMMIT;
    )sql";
    if (db_->exec(kSchema) != SQLITE_OK) {
        db_->exec("ROLLBACK");
        // Someone else's database at our path, or a file we may not write.
        state_ = RegistryFileState::Unusable;
        return false;
    }
    schemaReady_ = true;
    state_ = RegistryFileState::Open;
    return true;
}

template <typename Body>
bool Registry::writeTransaction(Body&& body) {
    if (inTransaction_) {
        const bool done = body();
        transactionSpoilt_ = transactionSpoilt_ || !done;
        return done;
    }
    using Clock = std::chrono::steady_clock;
    const std::chrono::milliseconds patience = patience_.count() > 0 ? patience_
                                               : isUiThread()        ? kUiWritePatience
                                                                     : kWorkerWritePatience;
    const auto deadline = Clock::now() + patience;
    lastWriteBusy_ = false;
    int pause = 5;
    while (true) {
        if (!ensureOpen(true)) {
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        db_->setBusyTimeout(
            static_cast<int>(std::clamp<long long>(left.count(), 1, kBusyTimeoutMs)));
        int rc = db_->exec("BEGIN IMMEDIATE");
        if (rc == SQLITE_OK) {
            if (!body()) {
                db_->exec("ROLLBACK");
                break;
            }
            rc = db_->exec("COMMIT");
            if (rc == SQLITE_OK) {
                db_->setBusyTimeout(kBusyTimeoutMs);
                return true;
            }
            db_->exec("ROLLBACK");
        }
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED) {
            break;
        }
        if (Clock::now() >= deadline) {
            lastWriteBusy_ = true;  // another process holds the file: try again later
            break;
        }
        std::this_thread::sleep_for(std::min<std::chrono::milliseconds>(
            std::chrono::milliseconds(pause),
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())));
        pause = std::min(pause * 2, 100);
    }
    db_->setBusyTimeout(kBusyTimeoutMs);
    return false;
}

bool Registry::runTransaction(const std::function<bool()>& body) {
    std::lock_guard lock(mutex_);
    if (inTransaction_) {
        return body();
    }
    return writeTransaction([&] {
        inTransaction_ = true;
        transactionSpoilt_ = false;
        bool done = false;
        try {
            done = body();
        } catch (...) {
            inTransaction_ = false;
            throw;
        }
        inTransaction_ = false;
        return done && !transactionSpoilt_;
    });
}

bool Registry::lastWriteWasBusy() const {
    std::lock_guard lock(mutex_);
    return lastWriteBusy_;
}

void Registry::setWritePatience(std::chrono::milliseconds patience) {
    std::lock_guard lock(mutex_);
    patience_ = patience;
}

bool Registry::keyExists(const std::string& folded) {
    std::lock_guard lock(mutex_);
    if (!ensureOpen(false)) {
        // The roots exist even before the file does.
        return folded.find(kSeparator) == std::string::npos && splitRootedPath(folded).has_value();
    }
    return keyRowExists(folded);
}

bool Registry::keyRowExists(const std::string& folded) {
    auto query = db_->prepare("SELECT 1 FROM reg_keys WHERE folded = ?1");
    if (!query) {
        return false;
    }
    query->bind(1, folded);
    return query->step() == SQLITE_ROW;
}

std::optional<RegistryValue> Registry::queryValue(const std::string& key, std::string_view name) {
    std::lock_guard lock(mutex_);
    if (!ensureOpen(false)) {
        return std::nullopt;
    }
    auto query = db_->prepare("SELECT type, data FROM reg_values WHERE key = ?1 AND folded = ?2");
    if (!query) {
        return std::nullopt;
    }
    query->bind(1, key).bind(2, fold(name));
    if (query->step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return readValue(query, 0);
}

bool Registry::setValue(const std::string& key, std::string_view name, const RegistryValue& value) {
    if (name.size() > kMaxValueNameLength || value.type == RegistryType::None) {
        return false;
    }
    std::lock_guard lock(mutex_);
    return writeTransaction([&] {
        auto query = db_->prepare(
            "INSERT INTO reg_values(key, folded, name, type, data) "
            "SELECT ?1, ?2, ?3, ?4, ?5 WHERE EXISTS (SELECT 1 FROM reg_keys WHERE folded = ?1) "
            "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
        if (!query) {
            return false;
        }
        query->bind(1, key).bind(2, fold(name)).bind(3, name);
        query->bind(4, static_cast<std::int64_t>(value.type));
        if (value.type == RegistryType::Dword) {
            query->bind(5, static_cast<std::int64_t>(value.dword));
        } else {
            query->bind(5, value.text);
        }
        return query->run() && db_->changes() == 1;
    });
}

bool Registry::deleteValue(const std::string& key, std::string_view name) {
    std::lock_guard lock(mutex_);
    return writeTransaction([&] {
        auto query = db_->prepare("DELETE FROM reg_values WHERE key = ?1 AND folded = ?2");
        if (!query) {
            return false;
        }
        query->bind(1, key).bind(2, fold(name));
        return query->run() && db_->changes() == 1;
    });
}

std::optional<std::string> Registry::enumSubkey(const std::string& key, std::size_t index) {
    std::lock_guard lock(mutex_);
    if (!ensureOpen(false)) {
        return std::nullopt;
    }
    auto query = db_->prepare(
        "SELECT name FROM reg_keys WHERE parent = ?1 ORDER BY sortkey LIMIT 1 OFFSET ?2");
    if (!query) {
        return std::nullopt;
    }
    query->bind(1, key).bind(2, static_cast<std::int64_t>(index));
    if (query->step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return query->columnText(0);
}

std::optional<RegistryValueEntry> Registry::enumValue(const std::string& key, std::size_t index) {
    std::lock_guard lock(mutex_);
    if (!ensureOpen(false)) {
        return std::nullopt;
    }
    auto query = db_->prepare(
        "SELECT name, type, data FROM reg_values WHERE key = ?1 ORDER BY folded LIMIT 1 OFFSET ?2");
    if (!query) {
        return std::nullopt;
    }
    query->bind(1, key).bind(2, static_cast<std::int64_t>(index));
    if (query->step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return RegistryValueEntry{query->columnText(0), *readValue(query, 1)};
}

std::vector<std::string> Registry::subkeyNames(const std::string& key) {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    if (!ensureOpen(false)) {
        return names;
    }
    auto query = db_->prepare("SELECT name FROM reg_keys WHERE parent = ?1 ORDER BY sortkey");
    if (!query) {
        return names;
    }
    query->bind(1, key);
    while (query->step() == SQLITE_ROW) {
        names.push_back(query->columnText(0));
    }
    return names;
}

std::vector<RegistryValueEntry> Registry::values(const std::string& key) {
    std::lock_guard lock(mutex_);
    std::vector<RegistryValueEntry> entries;
    if (!ensureOpen(false)) {
        return entries;
    }
    auto query =
        db_->prepare("SELECT name, type, data FROM reg_values WHERE key = ?1 ORDER BY folded");
    if (!query) {
        return entries;
    }
    query->bind(1, key);
    while (query->step() == SQLITE_ROW) {
        entries.push_back({query->columnText(0), *readValue(query, 1)});
    }
    return entries;
}

std::optional<RegistryTreeNode> Registry::readTree(const RegistryKey& key) {
    std::lock_guard lock(mutex_);
    if (!ensureOpen(false) || !keyRowExists(key.folded_)) {
        return std::nullopt;
    }
    // Everything below the key lies in one range of folded paths: those
    // starting with the key's path and a separator ("\\" + 1 is "]"). Both
    // queries walk their primary key through that range.
    const std::string low = key.folded_ + kSeparator;
    const std::string high = key.folded_ + static_cast<char>(kSeparator + 1);
    auto keys = db_->prepare(
        "SELECT folded, parent, name, sortkey FROM reg_keys WHERE folded > ?1 AND folded < ?2");
    auto ownValues = db_->prepare("SELECT key, name, type, data FROM reg_values WHERE key = ?1");
    auto values = db_->prepare(
        "SELECT key, name, type, data FROM reg_values WHERE key > ?1 AND key < ?2 "
        "ORDER BY key, folded");
    if (!keys || !ownValues || !values) {
        return std::nullopt;
    }
    struct Row {
        std::string parent;
        std::string sortkey;
        RegistryTreeNode node;
        std::vector<Row*> children;
    };
    std::unordered_map<std::string, Row> rows;
    Row& top = rows[key.folded_];
    top.node.name = key.path_.substr(key.path_.rfind(kSeparator) + 1);
    keys->bind(1, low).bind(2, high);
    while (keys->step() == SQLITE_ROW) {
        Row& row = rows[keys->columnText(0)];
        row.parent = keys->columnText(1);
        row.node.name = keys->columnText(2);
        row.sortkey = keys->columnText(3);
    }
    for (auto& [folded, row] : rows) {
        if (const auto parent = rows.find(row.parent); parent != rows.end() && &row != &top) {
            parent->second.children.push_back(&row);
        }
    }
    // Values arrive grouped by key: the key is looked up once per group.
    const auto readValues = [&rows](const SqliteQuery& query) {
        Row* current = nullptr;
        std::string currentKey;
        while (query->step() == SQLITE_ROW) {
            if (current == nullptr || query->columnView(0) != currentKey) {
                currentKey = query->columnView(0);
                const auto found = rows.find(currentKey);
                current = found != rows.end() ? &found->second : nullptr;
                if (current == nullptr) {
                    continue;
                }
            }
            current->node.values.push_back({query->columnText(1), *readValue(query, 2)});
        }
    };
    ownValues->bind(1, key.folded_);
    readValues(ownValues);
    values->bind(1, low).bind(2, high);
    readValues(values);
    // Assembled from the deepest keys up, children in enumeration order.
    const std::function<RegistryTreeNode(Row&)> build = [&build](Row& row) {
        std::sort(row.children.begin(), row.children.end(),
                  [](const Row* a, const Row* b) { return a->sortkey < b->sortkey; });
        row.node.children.reserve(row.children.size());
        for (Row* child : row.children) {
            row.node.children.push_back(build(*child));
        }
        return std::move(row.node);
    };
    return build(top);
}

std::vector<std::pair<std::string, std::optional<RegistryValue>>> Registry::subkeyValues(
    const std::string& key, std::string_view valueName) {
    std::lock_guard lock(mutex_);
    std::vector<std::pair<std::string, std::optional<RegistryValue>>> entries;
    if (!ensureOpen(false)) {
        return entries;
    }
    auto query = db_->prepare(
        "SELECT k.name, v.type, v.data FROM reg_keys k LEFT JOIN reg_values v "
        "ON v.key = k.folded AND v.folded = ?2 WHERE k.parent = ?1 ORDER BY k.sortkey");
    if (!query) {
        return entries;
    }
    query->bind(1, key).bind(2, fold(valueName));
    while (query->step() == SQLITE_ROW) {
        std::optional<RegistryValue> value;
        if (query->columnType(1) != SQLITE_NULL) {
            value = readValue(query, 1);
        }
        entries.emplace_back(query->columnText(0), std::move(value));
    }
    return entries;
}

std::optional<RegistryKey> Registry::openSubkey(const RegistryKey& base,
                                                std::string_view relative) {
    const auto names = splitKeyPath(relative);
    if (!names) {
        return std::nullopt;
    }
    std::string folded = base.folded_;
    for (const auto name : *names) {
        folded += kSeparator;
        folded += fold(name);
    }
    std::lock_guard lock(mutex_);
    if (!ensureOpen(false)) {
        if (names->empty()) {
            return base;  // a root handle stays usable before the file exists
        }
        return std::nullopt;
    }
    auto query = db_->prepare("SELECT path FROM reg_keys WHERE folded = ?1");
    if (!query) {
        return names->empty() ? std::optional<RegistryKey>(base) : std::nullopt;
    }
    query->bind(1, folded);
    if (query->step() != SQLITE_ROW) {
        return std::nullopt;
    }
    return RegistryKey(this, query->columnText(0), folded);
}

std::optional<RegistryKey> Registry::createSubkey(const RegistryKey& base,
                                                  std::string_view relative) {
    const auto names = splitKeyPath(relative);
    if (!names) {
        return std::nullopt;
    }
    std::lock_guard lock(mutex_);
    std::string path = base.path_;
    std::string folded = base.folded_;
    const bool done = writeTransaction([&] {
        path = base.path_;
        folded = base.folded_;
        if (!keyRowExists(folded)) {
            return false;  // the base key was deleted
        }
        for (const auto name : *names) {
            const std::string foldedName = fold(name);
            const std::string parent = folded;
            folded = parent + kSeparator + foldedName;
            auto child = db_->prepare("SELECT path FROM reg_keys WHERE folded = ?1");
            if (!child) {
                return false;
            }
            child->bind(1, folded);
            if (child->step() == SQLITE_ROW) {
                path = child->columnText(0);
                continue;
            }
            path += kSeparator;
            path += name;
            auto insert = db_->prepare(
                "INSERT INTO reg_keys(folded, parent, path, name, sortkey) VALUES (?1, ?2, ?3, ?4, "
                "?5)");
            if (!insert) {
                return false;
            }
            insert->bind(1, folded).bind(2, parent).bind(3, path).bind(4, name).bind(5, foldedName);
            if (!insert->run()) {
                return false;
            }
        }
        return true;
    });
    if (!done) {
        return std::nullopt;
    }
    return RegistryKey(this, path, folded);
}

bool Registry::deleteSubkey(const RegistryKey& base, std::string_view relative) {
    const auto names = splitKeyPath(relative);
    if (!names || names->empty()) {
        return false;
    }
    std::string folded = base.folded_;
    for (const auto name : *names) {
        folded += kSeparator;
        folded += fold(name);
    }
    std::lock_guard lock(mutex_);
    return writeTransaction([&] {
        auto children = db_->prepare("SELECT 1 FROM reg_keys WHERE parent = ?1 LIMIT 1");
        if (!children) {
            return false;
        }
        children->bind(1, folded);
        if (children->step() != SQLITE_DONE) {
            return false;  // a key with subkeys is not deleted
        }
        auto values = db_->prepare("DELETE FROM reg_values WHERE key = ?1");
        auto key = db_->prepare("DELETE FROM reg_keys WHERE folded = ?1");
        if (!values || !key) {
            return false;
        }
        values->bind(1, folded);
        key->bind(1, folded);
        return values->run() && key->run() && db_->changes() == 1;
    });
}

bool Registry::deleteTree(const RegistryKey& base, std::string_view relative) {
    const auto names = splitKeyPath(relative);
    if (!names) {
        return false;
    }
    std::string folded = base.folded_;
    for (const auto name : *names) {
        folded += kSeparator;
        folded += fold(name);
    }
    const bool keepKey = names->empty();
    std::lock_guard lock(mutex_);
    return writeTransaction([&] {
        if (!keyRowExists(folded)) {
            return false;
        }
        auto values =
            db_->prepare("DELETE FROM reg_values WHERE key = ?1 OR (key >= ?2 AND key < ?3)");
        auto keys = db_->prepare(
            "DELETE FROM reg_keys WHERE (folded = ?1 AND ?4 = 0) OR (folded >= ?2 AND folded < "
            "?3)");
        if (!values || !keys) {
            return false;
        }
        values->bind(1, folded).bind(2, descendantsFrom(folded)).bind(3, descendantsTo(folded));
        keys->bind(1, folded).bind(2, descendantsFrom(folded)).bind(3, descendantsTo(folded));
        keys->bind(4, static_cast<std::int64_t>(keepKey ? 1 : 0));
        return values->run() && keys->run();
    });
}

}  // namespace platform
