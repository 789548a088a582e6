#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

SingleInstance::SingleInstance(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
    path_ = folder + "/" + name + "-" + std::to_string(getuid()) + ".lock";
    fd_ = ::open(path_.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        return;  // no lock to be had: every instance counts as the first
    }
    // A shared lock each: the first instance finds nobody holding it.
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        alreadyExisted_ = true;
        flock(fd_, LOCK_SH);
    } else {
        flock(fd_, LOCK_SH | LOCK_NB);
    }
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}
