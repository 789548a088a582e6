#include "brisvane/Trace.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

bool underDebugger() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("TracerPid:")) {
            return std::atoi(line.c_str() + 10) != 0;
        }
    }
    return false;
}

bool toStandardError() {
    const char* wanted = std::getenv("BRISVANE_TRACE");
    return (wanted != nullptr && std::strcmp(wanted, "1") == 0) || underDebugger();
}

void toSystemLog(const char* line) {
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, "/dev/log", sizeof address.sun_path - 1);
    // <15>: the user facility at debug level.
    const std::string message = "<15>Brisvane[" + std::to_string(::getpid()) + "]: " + line;
    ::sendto(fd, message.data(), message.size(), MSG_NOSIGNAL,
             reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::close(fd);
}

}  // namespace

void brisvaneTrace(const char* line) {
    if (toStandardError()) {
        std::fprintf(stderr, "%s\n", line);
    } else {
        toSystemLog(line);
    }
}
