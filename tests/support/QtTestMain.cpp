#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/UiThread.h"

// Listing the tests needs no application, so test discovery works without a
// display; running them makes one on the platform CTest chose (offscreen).
int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QApplication application(argc, argv);
    platform::markUiThread();
    const int status = RUN_ALL_TESTS();
    platform::unmarkUiThread();
    return status;
}
