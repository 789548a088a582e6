#include "tests/support/FakeProgressRunner.h"

#include <thread>

namespace testsupport {

using platform::ProgressAnswer;
using platform::ProgressKind;

bool FakeProgressRunner::runWithProgress(
    int captionId, int textId,
    const std::function<void(const platform::ProgressCallback&)>& worker) {
    return play(Run{captionId, textId, {}, false, {}, true}, worker);
}

bool FakeProgressRunner::runWithProgressText(
    int captionId, const std::string& text, bool cancellable,
    const std::function<void(const platform::ProgressCallback&)>& worker) {
    return play(Run{captionId, 0, {}, false, text, cancellable}, worker);
}

bool FakeProgressRunner::play(
    Run run, const std::function<void(const platform::ProgressCallback&)>& worker) {
    bool cancelRequested = false;
    int reportsSeen = 0;
    std::optional<int> result;  // 1 finished, 2 failed or cancelled: the completion message
    const platform::ProgressCallback callback = [&](std::uint64_t total, std::uint64_t done,
                                                    ProgressKind kind, const std::string*) {
        run.reports.push_back({total, done, kind});
        if (run.cancellable && cancelAt_ && ++reportsSeen >= *cancelAt_) {
            cancelRequested = true;
        }
        switch (kind) {
            case ProgressKind::Progress:
                if (cancelRequested) {
                    result = result.value_or(2);
                    return ProgressAnswer::Cancel;
                }
                return ProgressAnswer::Continue;
            case ProgressKind::Finished:
                result = result.value_or(cancelRequested ? 2 : 1);
                return ProgressAnswer::Continue;
            case ProgressKind::Failed:
                result = result.value_or(2);
                return ProgressAnswer::Cancel;
        }
        return ProgressAnswer::Cancel;
    };
    // The dialog waits for its worker before it closes.
    std::thread thread([&] { worker(callback); });
    thread.join();
    run.closedWithOk = result == 1;
    runs_.push_back(run);
    return run.closedWithOk;
}

}  // namespace testsupport
