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

// How a file gets its new content. A rename over it loses nothing only when
// the file has one name and its folder takes a new file beside it; a file
// with several hard links, or in a folder that takes no new files, is
// rewritten in place instead, from a copy of the new content in the
// temporary directory, with its old content kept there until it is done.
enum class ReplaceStrategy { Rename, RewriteInPlace };
ReplaceStrategy chooseReplaceStrategy(bool exists, std::uint64_t links, bool folderTakesNewFiles);

// A new version of a file, put in its place only once it is complete and
// synced, so the old file stays whole until then (see ReplaceStrategy). A
// symbolic link is followed: its target is replaced and the link stays. The
// new file keeps the old one's permission bits (and owner, where allowed) and
// extended attributes. Until commit() the old file is untouched; an
// uncommitted replacement removes its temporary file.
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
    ReplaceStrategy strategy() const { return strategy_; }
    // Syncs the new file and puts it in the target's place. On success
    // file() is the target, still open; on failure `error` is set and the
    // target has its old content.
    bool commit(int& error);

  private:
    FileReplacement(std::string target, std::string temporary, File file, int mode, int uid,
                    int gid, ReplaceStrategy strategy);
    bool renameOverTarget(int& error);
    bool rewriteTarget(int& error);

    std::string target_;
    std::string temporary_;
    File file_;
    int mode_;
    int uid_;
    int gid_;
    ReplaceStrategy strategy_;
    bool committed_ = false;
};

// Whether two paths name the same existing file (the same device and inode).
bool isSameFile(const std::string& first, const std::string& second);

// The prefix of the suite's own temporary files in the temporary directory
// (work files and save copies), so a later start can find the stale ones.
inline constexpr const char* kTempPrefix = "~HEXDATA";
// Removes the suite's temporary files in `directory` that no running
// program holds (each holder keeps a lock on its file); returns how many.
int removeStaleTempFiles(const std::string& directory);

}  // namespace platform
