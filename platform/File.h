#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// How other openers may share a file we hold. Emulated with advisory locks
// (flock) between the programs of the suite: "ShareRead" takes a shared lock,
// so others may read but no one may open the file "not shared"; "NotShared"
// takes an exclusive lock and fails while anyone else holds one.
enum class FileShare { ShareRead, NotShared };

enum class FileAccess { Read, ReadWrite, Write };

// How an open treats the path: an existing file only, a new file only, or
// a file created when missing and emptied when present.
enum class FileDisposition { OpenExisting, CreateNew, CreateAlways };

// An open POSIX file with 64-bit positioned reads and writes. Moves, never copies.
class File {
  public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens `path`; on failure returns a closed File and sets lastError() of
    // the returned object (errno, or EWOULDBLOCK for a lock held elsewhere).
    static File open(const std::string& path, FileAccess access, FileShare share,
                     FileDisposition disposition = FileDisposition::OpenExisting);
    // Adopts a descriptor (the lock, if any, is the caller's).
    static File adopt(int fd);

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    int lastError() const { return error_; }
    void close();

    std::optional<std::uint64_t> size();
    // Reads up to `count` bytes at `offset`; fewer only at the end of the
    // file. -1 on a read error.
    std::int64_t readAt(void* buffer, std::size_t count, std::uint64_t offset);
    // Writes all `count` bytes at `offset`.
    bool writeAt(const void* buffer, std::size_t count, std::uint64_t offset);
    bool truncate(std::uint64_t size);
    bool sync();

  private:
    explicit File(int fd) : fd_(fd) {}
    int fd_ = -1;
    int error_ = 0;
};

// What tells one version of a file from another: which file it is (device
// and inode) and its size and modification time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // nanoseconds since the epoch
    bool sameFile(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
    bool operator==(const FileIdentity& other) const = default;
};
std::optional<FileIdentity> identityOf(const File& file);
std::optional<FileIdentity> identityAt(const std::string& path);

// The error of an open that found a pipe, socket, device or system file: only
// regular files are documents, and opening the others could block for ever.
inline constexpr int kErrorNotRegularFile = 0x10001;

// The text of an errno value ("Permission denied"), or of kErrorNotRegularFile.
std::string errorText(int error);

}  // namespace platform
