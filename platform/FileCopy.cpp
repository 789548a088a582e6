#include "platform/FileCopy.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <new>
#include <vector>

#include "platform/TempFile.h"

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

// Gives `target` the extended attributes of the file at `source`. An
// attribute the target's file system refuses (a security label, say) is
// left out; the content is what must not be lost.
void copyExtendedAttributes(const std::string& source, int target) {
    const ssize_t length = ::listxattr(source.c_str(), nullptr, 0);
    if (length <= 0) {
        return;
    }
    std::vector<char> names(static_cast<std::size_t>(length));
    const ssize_t got = ::listxattr(source.c_str(), names.data(), names.size());
    for (ssize_t at = 0; at < got;) {
        const char* name = names.data() + at;
        const ssize_t size = ::getxattr(source.c_str(), name, nullptr, 0);
        if (size >= 0) {
            std::vector<char> value(static_cast<std::size_t>(size));
            if (::getxattr(source.c_str(), name, value.data(), value.size()) == size) {
                ::fsetxattr(target, name, value.data(), value.size(), 0);
            }
        }
        at += static_cast<ssize_t>(std::char_traits<char>::length(name)) + 1;
    }
}

// Whether nobody holds a lock on the file at `path` (its program has ended).
bool isUnheld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// Removes the save copies an ended save left beside `target`
// (".<name>.kestrane-XXXXXX").
void removeStaleSaveCopies(const fs::path& folder, const std::string& name) {
    std::error_code error;
    const std::string head = "." + name + ".kestrane-";
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() == head.size() + 6 && file.compare(0, head.size(), head) == 0 &&
            entry.is_regular_file(error) && isUnheld(entry.path().string())) {
            fs::remove(entry.path(), error);
        }
    }
}

}  // namespace

ReplaceStrategy chooseReplaceStrategy(bool exists, std::uint64_t links, bool folderTakesNewFiles) {
    if (!exists) {
        return ReplaceStrategy::Rename;  // nothing to keep; a new file needs its folder anyway
    }
    return links <= 1 && folderTakesNewFiles ? ReplaceStrategy::Rename
                                             : ReplaceStrategy::RewriteInPlace;
}

int removeStaleTempFiles(const std::string& directory) {
    int removed = 0;
    std::error_code error;
    const std::string prefix = kTempPrefix;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        struct stat info {};
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() < prefix.size() + 4 ||
            name.compare(name.size() - 4, 4, ".tmp") != 0 ||
            ::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid()) {
            continue;
        }
        if (isUnheld(entry.path().string()) && fs::remove(entry.path(), error)) {
            ++removed;
        }
    }
    return removed;
}

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
                                 int uid, int gid, ReplaceStrategy strategy)
    : target_(std::move(target)),
      temporary_(std::move(temporary)),
      file_(std::move(file)),
      mode_(mode),
      uid_(uid),
      gid_(gid),
      strategy_(strategy) {}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      file_(std::move(other.file_)),
      mode_(other.mode_),
      uid_(other.uid_),
      gid_(other.gid_),
      strategy_(other.strategy_),
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
    std::uint64_t links = 0;
    struct stat info {};
    const bool exists = ::stat(resolved.c_str(), &info) == 0;
    if (exists) {
        if (!S_ISREG(info.st_mode)) {
            error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
            return std::nullopt;
        }
        mode = static_cast<int>(info.st_mode & 07777);
        uid = static_cast<int>(info.st_uid);
        gid = static_cast<int>(info.st_gid);
        links = static_cast<std::uint64_t>(info.st_nlink);
    }
    const fs::path path(resolved);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    removeStaleSaveCopies(folder, path.filename().string());
    std::string temporary;
    int fd = -1;
    if (links <= 1) {
        temporary = (folder / ("." + path.filename().string() + ".kestrane-XXXXXX")).string();
        fd = mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0 && !exists) {
            error = errno;
            return std::nullopt;
        }
    }
    const ReplaceStrategy strategy = chooseReplaceStrategy(exists, links, fd >= 0);
    if (strategy == ReplaceStrategy::RewriteInPlace) {
        // The new content waits in the temporary directory.
        const auto copy = createUniqueTempFile(systemTempDirectory(), kTempPrefix);
        if (!copy) {
            error = errno != 0 ? errno : ENOSPC;
            return std::nullopt;
        }
        temporary = *copy;
        fd = ::open(temporary.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            error = errno;
            ::unlink(temporary.c_str());
            return std::nullopt;
        }
    }
    if (mode < 0) {
        // A new file gets what an ordinary create would give it.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = static_cast<int>(0666 & ~mask);
    }
    flock(fd, LOCK_EX | LOCK_NB);
    return FileReplacement(resolved, temporary, File::adopt(fd), mode, uid, gid, strategy);
}

bool FileReplacement::commit(int& error) {
    if (committed_ || !file_.isOpen()) {
        error = EBADF;
        return false;
    }
    if (!file_.sync()) {
        error = file_.lastError();
        return false;
    }
    return strategy_ == ReplaceStrategy::Rename ? renameOverTarget(error) : rewriteTarget(error);
}

bool FileReplacement::renameOverTarget(int& error) {
    if (fchmod(file_.fd(), static_cast<mode_t>(mode_)) != 0) {
        error = errno;
        return false;
    }
    if (uid_ >= 0 && fchown(file_.fd(), static_cast<uid_t>(uid_), static_cast<gid_t>(gid_)) != 0) {
        // Only the owner's rights are lost, not data; the save goes on.
    }
    copyExtendedAttributes(target_, file_.fd());
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

// The target keeps its inode, names and attributes: its old content goes to
// the temporary directory first, then the new content is written over it;
// should that fail part-way, the old content is written back.
bool FileReplacement::rewriteTarget(int& error) {
    File target = File::adopt(::open(target_.c_str(), O_RDWR | O_CLOEXEC));
    if (!target.isOpen()) {
        error = errno;
        return false;
    }
    const auto oldSize = target.size();
    const auto newSize = file_.size();
    const auto backupPath = createUniqueTempFile(systemTempDirectory(), kTempPrefix);
    if (!oldSize || !newSize || !backupPath) {
        error = !oldSize ? target.lastError() : !newSize ? file_.lastError() : ENOSPC;
        return false;
    }
    File backup = File::adopt(::open(backupPath->c_str(), O_RDWR | O_CLOEXEC));
    flock(backup.fd(), LOCK_EX | LOCK_NB);
    const auto removeBackup = [&] {
        backup.close();
        ::unlink(backupPath->c_str());
    };
    if (!backup.isOpen() || !copyFileData(target, 0, backup, 0, *oldSize) || !backup.sync()) {
        error = backup.lastError() != 0 ? backup.lastError() : ENOSPC;
        removeBackup();
        return false;
    }
    if (!copyFileData(file_, 0, target, 0, *newSize) || !target.truncate(*newSize) ||
        !target.sync()) {
        error = target.lastError() != 0 ? target.lastError() : EIO;
        // Put the old content back; the backup stays if even that fails.
        if (copyFileData(backup, 0, target, 0, *oldSize) && target.truncate(*oldSize) &&
            target.sync()) {
            removeBackup();
        }
        return false;
    }
    removeBackup();
    file_.close();
    ::unlink(temporary_.c_str());
    file_ = std::move(target);
    committed_ = true;
    return true;
}

bool isSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace platform
