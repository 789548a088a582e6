#include "platform/UiThread.h"

#include <atomic>
#include <thread>

namespace platform {
namespace {

std::atomic<std::thread::id> uiThread{};

}  // namespace

void markUiThread() {
    uiThread.store(std::this_thread::get_id());
}

void unmarkUiThread() {
    uiThread.store(std::thread::id{});
}

bool isUiThread() {
    const std::thread::id marked = uiThread.load();
    return marked != std::thread::id{} && marked == std::this_thread::get_id();
}

}  // namespace platform
