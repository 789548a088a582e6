#pragma once

#include <string>

// The named lock a program holds while it runs ("KESTRANE_APP_INSTANCE"):
// a file in $XDG_RUNTIME_DIR (or /tmp) with an advisory lock, released when
// the process ends, however it ends.
class SingleInstance {
  public:
    explicit SingleInstance(const std::string& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Whether another process held the lock when this one asked for it.
    bool alreadyExisted() const { return alreadyExisted_; }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    int fd_ = -1;
    bool alreadyExisted_ = false;
};
