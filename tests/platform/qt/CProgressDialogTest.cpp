#include "platform/qt/CProgressDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/qt/QtProgressRunner.h"

namespace {

using platform::CProgressDialog;
using platform::ProgressAnswer;
using platform::ProgressCallback;
using platform::ProgressKind;

constexpr std::array kStrings{
    platform::StringEntry{1102, "Save File Data"},
    platform::StringEntry{1103, "Kestrane is saving data to a temp file..."},
};

void pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

TEST(CProgressDialogTest, AWorkerReportingInStepsClosesTheDialogWithOk) {
    const platform::StringTable strings{kStrings};
    CProgressDialog dialog(strings, 1102, 1103);
    EXPECT_EQ(dialog.windowTitle(), "Save File Data");
    EXPECT_EQ(dialog.textLabel()->text(), "Kestrane is saving data to a temp file...");
    bool shownWhenStarted = false;
    bool suspendEverEnabled = false;
    const bool ok = dialog.run([&](const ProgressCallback& report) {
        shownWhenStarted = dialog.isVisible();
        for (int step = 0; step <= 10; ++step) {
            report(10, static_cast<std::uint64_t>(step), ProgressKind::Progress, nullptr);
            suspendEverEnabled = suspendEverEnabled || dialog.suspendButton()->isEnabled() ||
                                 dialog.continueButton()->isEnabled();
            pause();
        }
        const std::string text = "almost there";
        report(10, 10, ProgressKind::Progress, &text);
        report(10, 10, ProgressKind::Finished, nullptr);
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(shownWhenStarted);
    EXPECT_FALSE(suspendEverEnabled);
    EXPECT_FALSE(dialog.suspendButton()->isEnabled());
    EXPECT_FALSE(dialog.continueButton()->isEnabled());
    EXPECT_TRUE(dialog.suspendButton()->isDefault());
}

TEST(CProgressDialogTest, CancelDisablesItselfAndTheWorkerIsToldToStop) {
    const platform::StringTable strings{kStrings};
    CProgressDialog dialog(strings, 1102, 1103);
    QTimer::singleShot(30, &dialog, [&] { dialog.cancelButton()->click(); });
    int reportsAfterCancel = 0;
    const bool ok = dialog.run([&](const ProgressCallback& report) {
        for (int step = 0; step < 10000; ++step) {
            if (report(10000, static_cast<std::uint64_t>(step), ProgressKind::Progress, nullptr) ==
                ProgressAnswer::Cancel) {
                ++reportsAfterCancel;
                return;  // a work copy stops here and leaves nothing behind
            }
            pause();
        }
        report(10000, 10000, ProgressKind::Finished, nullptr);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(reportsAfterCancel, 1);
    EXPECT_TRUE(dialog.cancelRequested());
    EXPECT_FALSE(dialog.cancelButton()->isEnabled());
}

TEST(CProgressDialogTest, AWorkerThatFinishesAfterCancelIsWaitedFor) {
    const platform::StringTable strings{kStrings};
    CProgressDialog dialog(strings, 1102, 1103);
    QTimer::singleShot(20, &dialog, [&] { dialog.reject(); });  // Escape asks to cancel
    std::atomic<int> done{0};
    const bool ok = dialog.run([&](const ProgressCallback& report) {
        bool reporting = true;
        for (int step = 0; step < 40; ++step) {
            if (reporting && report(40, static_cast<std::uint64_t>(step), ProgressKind::Progress,
                                    nullptr) == ProgressAnswer::Cancel) {
                reporting = false;  // a tail rewrite goes on silently
            }
            pause();
            ++done;
        }
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(done.load(), 40);  // the dialog closed only after the worker ended
}

TEST(CProgressDialogTest, AFailedWorkerClosesWithCancel) {
    const platform::StringTable strings{kStrings};
    platform::QtProgressRunner runner(strings);
    EXPECT_FALSE(runner.runWithProgress(1102, 1103, [](const ProgressCallback& report) {
        report(100, 100, ProgressKind::Failed, nullptr);
    }));
    EXPECT_TRUE(runner.runWithProgress(1102, 1103, [](const ProgressCallback& report) {
        report(1, 1, ProgressKind::Finished, nullptr);
    }));
    // A worker that says nothing at all counts as failed, and never hangs.
    EXPECT_FALSE(runner.runWithProgress(1102, 1103, [](const ProgressCallback&) {}));
}

}  // namespace
