#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/File.h"

namespace platform {

inline constexpr std::size_t kCopyChunk = 1048576;

// Copies `count` bytes from `source` at `sourceOffset` to `target` at
// `targetOffset`, in chunks of 1 MiB, by the kernel's copy_file_range (which
// may share extents on file systems that can) or by reads and writes where
// that is not available. `progress` is told the bytes done after each chunk
// and stops the copy by returning false. Returns whether all bytes were copied.
bool copyFileData(File& source, std::uint64_t sourceOffset, File& target,
                  std::uint64_t targetOffset, std::uint64_t count,
                  const std::function<bool(std::uint64_t done)>& progress = {});

// A new version of a file, written beside it and put in its place by one
// rename, so the old file stays whole until the new one is complete and
// synced. A symbolic link is followed: its target is replaced and the link
// stays. The new file keeps the old one's permission bits (and owner, where
// allowed). Until commit() the old file is untouched; an uncommitted
// replacement removes its temporary file.
class FileReplacement {
  public:
    // Starts a replacement of `target`; nullopt with `error` set when no
    // temporary file can be made beside it.
    static std::optional<FileReplacement> begin(const std::string& target, int& error);
    ~FileReplacement();
    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&&) = delete;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The new file, open for reading and writing and not shared.
    File& file() { return file_; }
    // The path that is replaced (the link target for a symbolic link).
    const std::string& targetPath() const { return target_; }
    // Syncs the new file and renames it over the target. On success file()
    // is the target, still open and locked; on failure `error` is set and
    // the target is unchanged.
    bool commit(int& error);

  private:
    FileReplacement(std::string target, std::string temporary, File file, int mode, int uid,
                    int gid);

    std::string target_;
    std::string temporary_;
    File file_;
    int mode_;
    int uid_;
    int gid_;
    bool committed_ = false;
};

// Whether two paths name the same existing file (the same device and inode).
bool isSameFile(const std::string& first, const std::string& second);

}  // namespace platform
