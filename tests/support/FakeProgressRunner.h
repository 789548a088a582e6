#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Progress.h"

namespace testsupport {

// A progress runner for tests: runs the worker on a thread of its own, as
// the dialog does, and plays the user: it can press Cancel at the n-th
// progress report. It records each run's caption and text ids and every
// report, and closes "with OK" exactly when the worker finished without a
// cancel, as the dialog does.
class FakeProgressRunner : public platform::ProgressRunner {
  public:
    struct Report {
        std::uint64_t total;
        std::uint64_t done;
        platform::ProgressKind kind;
    };
    struct Run {
        int captionId;
        int textId;
        std::vector<Report> reports;
        bool closedWithOk = false;
        std::string text;  // of runWithProgressText
        bool cancellable = true;
    };

    // Press Cancel when the worker makes its n-th report (counting from 1).
    void cancelAtReport(int n) { cancelAt_ = n; }

    bool runWithProgress(
        int captionId, int textId,
        const std::function<void(const platform::ProgressCallback&)>& worker) override;
    bool runWithProgressText(
        int captionId, const std::string& text, bool cancellable,
        const std::function<void(const platform::ProgressCallback&)>& worker) override;

    const std::vector<Run>& runs() const { return runs_; }

  private:
    bool play(Run run, const std::function<void(const platform::ProgressCallback&)>& worker);

    std::optional<int> cancelAt_;
    std::vector<Run> runs_;
};

}  // namespace testsupport
