#include "platform/File.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// A regular file on a file system that holds data: the files of /proc and
// /sys are regular but made up as they are read.
bool isRegularFile(int fd, const struct stat& info) {
    if (!S_ISREG(info.st_mode)) {
        return false;
    }
    struct statfs system {};
    return fstatfs(fd, &system) != 0 ||
           (system.f_type != PROC_SUPER_MAGIC && system.f_type != SYSFS_MAGIC);
}

FileIdentity identityFrom(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

}  // namespace

File::~File() {
    close();
}

File::File(File&& other) noexcept : fd_(other.fd_), error_(other.error_) {
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        error_ = other.error_;
        other.fd_ = -1;
    }
    return *this;
}

File File::open(const std::string& path, FileAccess access, FileShare share,
                FileDisposition disposition) {
    int flags = O_CLOEXEC;
    switch (access) {
        case FileAccess::Read:
            flags |= O_RDONLY;
            break;
        case FileAccess::ReadWrite:
            flags |= O_RDWR;
            break;
        case FileAccess::Write:
            flags |= O_WRONLY;
            break;
    }
    switch (disposition) {
        case FileDisposition::OpenExisting:
            break;
        case FileDisposition::CreateNew:
            flags |= O_CREAT | O_EXCL;
            break;
        case FileDisposition::CreateAlways:
            flags |= O_CREAT;
            break;
    }
    // Non-blocking, so a pipe without a writer cannot hold the open up.
    File file(::open(path.c_str(), flags | O_NONBLOCK, 0666));
    if (!file.isOpen()) {
        file.error_ = errno;
        return file;
    }
    struct stat info {};
    if (fstat(file.fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
        file.close();
        file.error_ = EISDIR;
        return file;
    }
    if (!isRegularFile(file.fd_, info)) {
        file.close();
        file.error_ = kErrorNotRegularFile;
        return file;
    }
    fcntl(file.fd_, F_SETFL, fcntl(file.fd_, F_GETFL) & ~O_NONBLOCK);
    const int lock = share == FileShare::NotShared ? LOCK_EX : LOCK_SH;
    if (flock(file.fd_, lock | LOCK_NB) != 0) {
        const int error = errno;
        file.close();
        file.error_ = error;
        return file;
    }
    // Emptying happens only once the lock is ours, never under another holder.
    if (disposition == FileDisposition::CreateAlways && ftruncate(file.fd_, 0) != 0) {
        const int error = errno;
        file.close();
        file.error_ = error;
    }
    return file;
}

File File::adopt(int fd) {
    return File(fd);
}

void File::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::optional<std::uint64_t> File::size() {
    struct stat info {};
    if (fd_ < 0 || fstat(fd_, &info) != 0) {
        error_ = errno;
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::int64_t File::readAt(void* buffer, std::size_t count, std::uint64_t offset) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            pread(fd_, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = errno;
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

bool File::writeAt(const void* buffer, std::size_t count, std::uint64_t offset) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put =
            pwrite(fd_, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = errno;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool File::truncate(std::uint64_t size) {
    if (ftruncate(fd_, static_cast<off_t>(size)) != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

bool File::sync() {
    if (fsync(fd_) != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

std::optional<FileIdentity> identityOf(const File& file) {
    struct stat info {};
    if (!file.isOpen() || fstat(file.fd(), &info) != 0) {
        return std::nullopt;
    }
    return identityFrom(info);
}

std::optional<FileIdentity> identityAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return identityFrom(info);
}

std::string errorText(int error) {
    if (error == kErrorNotRegularFile) {
        return "Not a regular file (a pipe, socket, device or system file)";
    }
    return std::strerror(error);
}

}  // namespace platform
