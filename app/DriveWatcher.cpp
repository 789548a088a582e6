#include "app/DriveWatcher.h"

#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstdint>

namespace {

constexpr std::uint32_t kEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                  IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

}  // namespace

DriveWatcher::DriveWatcher(std::function<void()> notify) : notify_(std::move(notify)) {}

DriveWatcher::~DriveWatcher() {
    stop();
}

bool DriveWatcher::start() {
    if (running()) {
        return true;
    }
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    stop_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (inotify_ < 0 || stop_ < 0) {
        stop();
        return false;
    }
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        stop();
        return false;
    }
    return true;
}

void DriveWatcher::stop() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(stop_, &one, sizeof one);
        thread_.join();
    }
    for (int* fd : {&inotify_, &stop_}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
    const std::lock_guard lock(mutex_);
    folders_.clear();
    watches_.clear();
    changes_ = {};
    waiting_ = false;
}

bool DriveWatcher::watch(const std::string& folder) {
    const std::lock_guard lock(mutex_);
    if (inotify_ < 0) {
        return false;
    }
    if (watches_.count(folder) != 0) {
        return true;
    }
    const int descriptor = inotify_add_watch(inotify_, folder.c_str(), kEvents);
    if (descriptor < 0) {
        return false;
    }
    folders_[descriptor] = folder;
    watches_[folder] = descriptor;
    return true;
}

void DriveWatcher::unwatch(const std::string& folder) {
    const std::lock_guard lock(mutex_);
    const auto found = watches_.find(folder);
    if (found == watches_.end()) {
        return;
    }
    inotify_rm_watch(inotify_, found->second);
    folders_.erase(found->second);
    watches_.erase(found);
}

std::size_t DriveWatcher::watchCount() const {
    const std::lock_guard lock(mutex_);
    return watches_.size();
}

DriveWatcher::Changes DriveWatcher::take() {
    const std::lock_guard lock(mutex_);
    Changes taken = std::move(changes_);
    changes_ = {};
    waiting_ = false;
    return taken;
}

void DriveWatcher::run() {
    // Watching must not take time from anything the user does.
    sched_param idle{};
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
    std::array<pollfd, 2> handles{{{inotify_, POLLIN, 0}, {stop_, POLLIN, 0}}};
    while (true) {
        if (poll(handles.data(), handles.size(), -1) < 0) {
            continue;  // interrupted
        }
        if ((handles[1].revents & POLLIN) != 0) {
            return;
        }
        if ((handles[0].revents & POLLIN) != 0) {
            readEvents();
        }
    }
}

void DriveWatcher::readEvents() {
    alignas(inotify_event) std::array<char, 64 * 1024> buffer{};
    bool changed = false;
    while (true) {
        const ssize_t length = ::read(inotify_, buffer.data(), buffer.size());
        if (length <= 0) {
            break;
        }
        const std::lock_guard lock(mutex_);
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if ((event->mask & IN_Q_OVERFLOW) != 0) {
                changes_.overflow = true;
                changed = true;
                continue;
            }
            const auto folder = folders_.find(event->wd);
            if (folder == folders_.end()) {
                continue;
            }
            changes_.folders.insert(folder->second);
            changed = true;
            if ((event->mask & IN_IGNORED) != 0) {
                // The folder went (or was unwatched): its watch is no more.
                watches_.erase(folder->second);
                folders_.erase(folder);
            }
        }
    }
    if (changed && !waiting_.exchange(true) && notify_) {
        notify_();
    }
}
