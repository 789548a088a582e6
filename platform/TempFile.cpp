#include "platform/TempFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

// As many numbers as the naming rule allows: four hexadecimal digits.
constexpr unsigned kUniqueNumbers = 0x10000;

unsigned startingNumber() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<unsigned>(ticks ^ (static_cast<long long>(getpid()) << 8));
}

}  // namespace

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string systemTempDirectory() {
    const char* tmpdir = std::getenv("TMPDIR");
    return withoutTrailingSeparator(tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp");
}

std::optional<std::string> createUniqueTempFile(std::string_view directory,
                                                std::string_view prefix) {
    std::string folder = withoutTrailingSeparator(std::string(directory.empty() ? "." : directory));
    if (folder != "/") {
        folder += '/';
    }
    const std::string head = folder + std::string(prefix);
    const unsigned start = startingNumber();
    for (unsigned tried = 0; tried < kUniqueNumbers; ++tried) {
        // Zero is not a number the rule hands out.
        const unsigned number = (start + tried) % (kUniqueNumbers - 1) + 1;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%X.tmp", number);
        const std::string path = head + suffix;
        const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            return std::nullopt;  // the folder is missing or may not be written
        }
    }
    return std::nullopt;
}

}  // namespace platform
