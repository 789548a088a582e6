#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class SqliteConnection;

// The three root keys of the per-user registry.
enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

// Value types, numbered as the registry of the original platform numbers them.
enum class RegistryType : std::uint32_t { None = 0, String = 1, Dword = 4 };

struct RegistryValue {
    RegistryType type = RegistryType::None;
    std::uint32_t dword = 0;
    std::string text;

    static RegistryValue ofDword(std::uint32_t number) { return {RegistryType::Dword, number, {}}; }
    static RegistryValue ofString(std::string value) {
        return {RegistryType::String, 0, std::move(value)};
    }
    bool operator==(const RegistryValue&) const = default;
};

struct RegistryValueEntry {
    std::string name;
    RegistryValue value;
};

// "HKEY_CURRENT_USER" and so on.
std::string_view rootName(RegistryRoot root);
// Splits "HKCU\Software\X" (short or long root name, any letter case) into
// its root and the rest; nullopt when the first component names no root.
std::optional<std::pair<RegistryRoot, std::string>> splitRootedPath(std::string_view path);

// A key with its values and the keys below it, in enumeration order.
struct RegistryTreeNode {
    std::string name;
    std::vector<RegistryValueEntry> values;
    std::vector<RegistryTreeNode> children;
};

class Registry;

// A handle to one key. Handles are cheap values; a handle whose key has been
// deleted fails every operation, as an open key of a deleted key does.
class RegistryKey {
  public:
    RegistryKey() = default;

    bool isValid() const { return registry_ != nullptr; }
    // The full path with the root's long name, in the letter case the key
    // components were created with.
    const std::string& path() const { return path_; }
    bool exists() const;

    // Value names are compared ignoring letter case; "" is the key's default value.
    std::optional<RegistryValue> queryValue(std::string_view name) const;
    // Both answer nullopt for a value of another type.
    std::optional<std::uint32_t> queryDword(std::string_view name) const;
    std::optional<std::string> queryString(std::string_view name) const;
    bool setValue(std::string_view name, const RegistryValue& value) const;
    bool setDword(std::string_view name, std::uint32_t number) const;
    bool setString(std::string_view name, std::string_view text) const;
    bool deleteValue(std::string_view name) const;

    // Enumeration by index, in case-insensitive name order; nullopt past the end.
    std::optional<std::string> enumSubkey(std::size_t index) const;
    std::optional<RegistryValueEntry> enumValue(std::size_t index) const;
    std::vector<std::string> subkeyNames() const;
    std::vector<RegistryValueEntry> values() const;
    // The key and everything below it, read at once (enumerating a large
    // tree key by key costs a query per key); nullopt when the key is missing.
    std::optional<RegistryTreeNode> readTree() const;
    // The subkeys in enumeration order, each with its value `valueName` (if
    // any), read at once.
    std::vector<std::pair<std::string, std::optional<RegistryValue>>> subkeyValues(
        std::string_view valueName) const;

    // A handle to the key at relativePath without looking it up: it works once
    // and while the key exists, and path() shows the letter case given here.
    // Saves a lookup where the next operation fails anyway on a missing key.
    RegistryKey at(std::string_view relativePath) const;

    // A relative path of one or more backslash-separated names.
    RegistryKey openSubkey(std::string_view relativePath) const;
    RegistryKey createSubkey(std::string_view relativePath) const;
    // Deletes the key at relativePath; fails while it has subkeys.
    bool deleteSubkey(std::string_view relativePath) const;
    // Deletes the key at relativePath with everything below it; an empty
    // path deletes everything below this key but keeps the key itself.
    bool deleteTree(std::string_view relativePath) const;

  private:
    friend class Registry;
    RegistryKey(Registry* registry, std::string path, std::string folded)
        : registry_(registry), path_(std::move(path)), folded_(std::move(folded)) {}

    Registry* registry_ = nullptr;
    std::string path_;
    std::string folded_;
};

// What became of the registry file when it was last opened.
enum class RegistryFileState {
    NotOpened,   // nothing asked yet, or the file does not exist yet
    Open,        // in use
    Unusable,    // cannot be opened or written (reads are absent, writes fail)
    MovedAside,  // it was damaged and renamed to movedAsidePath(); the next write starts afresh
};

// The per-user registry, kept in one SQLite file. The file and its folders
// are created on the first write; several processes may read and write it
// at once. A file that cannot be opened makes every read absent and every
// write fail; a damaged file is renamed aside, never overwritten.
class Registry {
  public:
    explicit Registry(std::string filePath);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // $KESTRANE_REGISTRY, else ${XDG_CONFIG_HOME:-$HOME/.config}/Mandrel 417/registry.sqlite.
    static std::string defaultFilePath();

    const std::string& filePath() const { return filePath_; }
    RegistryFileState state() const;
    // The name a damaged file was given when it was moved aside; empty while
    // that has not happened.
    std::string movedAsidePath() const;

    // Whether the last failed write failed because another process held the
    // file's write lock for longer than this one would wait.
    bool lastWriteWasBusy() const;
    // How long a write waits for another process's lock; zero (the default)
    // waits 200 ms on the user-interface thread and 20 s elsewhere.
    void setWritePatience(std::chrono::milliseconds patience);

    RegistryKey root(RegistryRoot root);
    RegistryKey openKey(RegistryRoot root, std::string_view path) {
        return this->root(root).openSubkey(path);
    }
    RegistryKey createKey(RegistryRoot root, std::string_view path) {
        return this->root(root).createSubkey(path);
    }

    // Runs `body` as one write: every change it makes through any key lands
    // together, or none does when it returns false, a change in it fails, or
    // the file cannot be written. Another process sees the old or the new
    // state, never a part. `body` may be run again when the file was busy.
    bool runTransaction(const std::function<bool()>& body);

  private:
    friend class RegistryKey;

    // Opens the connection when needed; a write also creates the file.
    bool ensureOpen(bool forWrite);
    bool openExisting(bool forWrite);
    bool looksDamaged();
    void moveAside();
    bool prepareSchema();
    // Runs `body` inside an immediate transaction, retrying while another
    // process holds the write lock.
    template <typename Body>
    bool writeTransaction(Body&& body);

    bool keyExists(const std::string& folded);
    // The key's row, on a connection that is already open.
    bool keyRowExists(const std::string& folded);
    std::optional<RegistryValue> queryValue(const std::string& key, std::string_view name);
    bool setValue(const std::string& key, std::string_view name, const RegistryValue& value);
    bool deleteValue(const std::string& key, std::string_view name);
    std::optional<std::string> enumSubkey(const std::string& key, std::size_t index);
    std::optional<RegistryValueEntry> enumValue(const std::string& key, std::size_t index);
    std::vector<std::string> subkeyNames(const std::string& key);
    std::vector<RegistryValueEntry> values(const std::string& key);
    std::optional<RegistryTreeNode> readTree(const RegistryKey& key);
    std::vector<std::pair<std::string, std::optional<RegistryValue>>> subkeyValues(
        const std::string& key, std::string_view valueName);
    std::optional<RegistryKey> openSubkey(const RegistryKey& base, std::string_view relative);
    std::optional<RegistryKey> createSubkey(const RegistryKey& base, std::string_view relative);
    bool deleteSubkey(const RegistryKey& base, std::string_view relative);
    bool deleteTree(const RegistryKey& base, std::string_view relative);

    std::string filePath_;
    std::string movedAsidePath_;
    RegistryFileState state_ = RegistryFileState::NotOpened;
    bool schemaReady_ = false;
    bool lastWriteBusy_ = false;
    // Inside runTransaction: writes join its transaction, and a failed one
    // spoils it.
    bool inTransaction_ = false;
    bool transactionSpoilt_ = false;
    std::chrono::milliseconds patience_{0};
    std::unique_ptr<SqliteConnection> db_;
    mutable std::recursive_mutex mutex_;
};

}  // namespace platform
