#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

enum class ProgressKind { Progress = 1, Finished = 2, Failed = 3 };
enum class ProgressAnswer { Continue = 1, Cancel = 2 };

// What a long operation tells the dialog it runs under: the total and the
// part done, optionally a new text, and whether it is still going, finished
// or failed. The answer says whether the user asked to cancel.
using ProgressCallback = std::function<ProgressAnswer(std::uint64_t total, std::uint64_t done,
                                                      ProgressKind kind, const std::string* text)>;

// Reports to `callback` when there is one; an operation without a dialog runs on.
inline ProgressAnswer reportProgress(const ProgressCallback* callback, std::uint64_t total,
                                     std::uint64_t done, ProgressKind kind,
                                     const std::string* text = nullptr) {
    return callback != nullptr && *callback ? (*callback)(total, done, kind, text)
                                            : ProgressAnswer::Continue;
}

// Runs a long operation on a worker thread while a modal progress dialog
// (caption and text by string id) blocks the user interface. The worker gets
// the callback to report through. Returns true when the dialog closed with
// OK, that is when the worker reported Finished and no cancel was asked for.
class ProgressRunner {
  public:
    virtual ~ProgressRunner() = default;
    virtual bool runWithProgress(int captionId, int textId,
                                 const std::function<void(const ProgressCallback&)>& worker) = 0;
    // The same with a text the caller made, and Cancel enabled or not.
    virtual bool runWithProgressText(int captionId, const std::string& text, bool cancellable,
                                     const std::function<void(const ProgressCallback&)>& worker) {
        (void)text;
        (void)cancellable;
        return runWithProgress(captionId, 0, worker);
    }
};

}  // namespace platform
