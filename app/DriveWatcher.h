#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

// Watches the expanded folders of one drive for names created, deleted and
// moved, and for a folder itself going, on a thread of its own at idle
// priority with its own inotify instance. The thread only collects which
// folders changed and calls `notify` (on the watcher thread) when nothing
// is waiting yet, so a burst of changes means one notification; the owner
// takes the changes and acknowledges on its own thread. A folder whose
// watch cannot be added stays unwatched, silently.
class DriveWatcher {
  public:
    explicit DriveWatcher(std::function<void()> notify);
    ~DriveWatcher();
    DriveWatcher(const DriveWatcher&) = delete;
    DriveWatcher& operator=(const DriveWatcher&) = delete;

    // Starts the thread; false when inotify or the stop event cannot be had.
    bool start();
    // Signals the thread, waits for it and closes everything; the watches go.
    void stop();
    bool running() const { return thread_.joinable(); }

    bool watch(const std::string& folder);
    void unwatch(const std::string& folder);
    std::size_t watchCount() const;

    struct Changes {
        std::set<std::string> folders;
        bool overflow = false;  // events were lost: every watched folder may have changed
    };
    // The changes since the last call; the next change notifies again.
    Changes take();

  private:
    void run();
    void readEvents();

    std::function<void()> notify_;
    int inotify_ = -1;
    int stop_ = -1;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<int, std::string> folders_;   // watch descriptor -> folder
    std::map<std::string, int> watches_;   // folder -> watch descriptor
    Changes changes_;
    std::atomic<bool> waiting_{false};
};
