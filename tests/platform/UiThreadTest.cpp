#include "platform/UiThread.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(UiThreadTest, OnlyTheMarkedThreadIsTheUserInterfaceThread) {
    EXPECT_FALSE(platform::isUiThread());  // a headless program has none

    platform::markUiThread();
    EXPECT_TRUE(platform::isUiThread());
    bool onWorker = true;
    std::thread worker([&] { onWorker = platform::isUiThread(); });
    worker.join();
    EXPECT_FALSE(onWorker);

    platform::unmarkUiThread();
    EXPECT_FALSE(platform::isUiThread());
}

}  // namespace
