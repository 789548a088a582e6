#include "platform/FileCopy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <new>

namespace platform {
namespace {

namespace fs = std::filesystem;

// One chunk by copy_file_range; 0 when the kernel cannot copy between these
// two files (the caller falls back to reads and writes), -1 on an error.
ssize_t kernelCopy(File& source, std::uint64_t sourceOffset, File& target,
                   std::uint64_t targetOffset, std::size_t count) {
    loff_t in = static_cast<loff_t>(sourceOffset);
    loff_t out = static_cast<loff_t>(targetOffset);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t copied =
            copy_file_range(source.fd(), &in, target.fd(), &out, count - done, 0);
        if (copied < 0) {
            if (errno == EINTR) {
                continue;
            }
            return done == 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS ||
                                 errno == EOPNOTSUPP || errno == EBADF)
                       ? 0
                       : -1;
        }
        if (copied == 0) {
            break;  // the source ended early
        }
        done += static_cast<std::size_t>(copied);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

bool copyFileData(File& source, std::uint64_t sourceOffset, File& target,
                  std::uint64_t targetOffset, std::uint64_t count,
                  const std::function<bool(std::uint64_t done)>& progress) {
    bool useKernel = true;
    std::unique_ptr<char[]> buffer;
    std::uint64_t done = 0;
    while (done < count) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, count - done));
        std::int64_t moved = 0;
        if (useKernel) {
            moved = kernelCopy(source, sourceOffset + done, target, targetOffset + done, chunk);
            if (moved < 0) {
                return false;
            }
            useKernel = moved > 0;
        }
        if (!useKernel) {
            if (!buffer) {
                buffer.reset(new (std::nothrow) char[kCopyChunk]);
                if (!buffer) {
                    return false;
                }
            }
            moved = source.readAt(buffer.get(), chunk, sourceOffset + done);
            if (moved <= 0 || !target.writeAt(buffer.get(), static_cast<std::size_t>(moved),
                                              targetOffset + done)) {
                return false;
            }
        }
        done += static_cast<std::uint64_t>(moved);
        if (progress && !progress(done)) {
            return false;
        }
        if (static_cast<std::size_t>(moved) < chunk) {
            return done == count;
        }
    }
    return true;
}

FileReplacement::FileReplacement(std::string target, std::string temporary, File file, int mode,
                                 int uid, int gid)
    : target_(std::move(target)),
      temporary_(std::move(temporary)),
      file_(std::move(file)),
      mode_(mode),
      uid_(uid),
      gid_(gid) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      file_(std::move(other.file_)),
      mode_(other.mode_),
      uid_(other.uid_),
      gid_(other.gid_),
      committed_(other.committed_) {
    other.committed_ = true;  // the moved-from object removes nothing
}

FileReplacement::~FileReplacement() {
    if (!committed_) {
        file_.close();
        ::unlink(temporary_.c_str());
    }
}

std::optional<FileReplacement> FileReplacement::begin(const std::string& target, int& error) {
    std::error_code ignored;
    std::string resolved = target;
    if (fs::is_symlink(target, ignored)) {
        const fs::path canonical = fs::weakly_canonical(target, ignored);
        if (!canonical.empty()) {
            resolved = canonical.string();
        }
    }
    int mode = -1;
    int uid = -1;
    int gid = -1;
    struct stat info {};
    if (::stat(resolved.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
            return std::nullopt;
        }
        mode = static_cast<int>(info.st_mode & 07777);
        uid = static_cast<int>(info.st_uid);
        gid = static_cast<int>(info.st_gid);
    }
    const fs::path path(resolved);
    const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    std::string temporary = folder + "/." + path.filename().string() + ".kestrane-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    if (mode < 0) {
        // A new file gets what an ordinary create would give it.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = static_cast<int>(0666 & ~mask);
    }
    flock(fd, LOCK_EX | LOCK_NB);
    return FileReplacement(resolved, temporary, File::adopt(fd), mode, uid, gid);
}

bool FileReplacement::commit(int& error) {
    if (committed_ || !file_.isOpen()) {
        error = EBADF;
        return false;
    }
    if (fchmod(file_.fd(), static_cast<mode_t>(mode_)) != 0 || !file_.sync()) {
        error = errno;
        return false;
    }
    if (uid_ >= 0 && fchown(file_.fd(), static_cast<uid_t>(uid_), static_cast<gid_t>(gid_)) != 0) {
        // Only the owner's rights are lost, not data; the save goes on.
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        error = errno;
        return false;
    }
    committed_ = true;
    // Make the rename itself durable.
    const std::string folder = fs::path(target_).has_parent_path()
                                   ? fs::path(target_).parent_path().string()
                                   : std::string(".");
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return true;
}

bool isSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace platform
