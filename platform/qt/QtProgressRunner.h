#pragma once

#include <functional>

#include "platform/Progress.h"
#include "platform/StringTable.h"

class QWidget;

namespace platform {

// runWithProgress on the Qt desktop: the "Process Progress" dialog over the
// program's active window.
class QtProgressRunner : public ProgressRunner {
  public:
    explicit QtProgressRunner(const StringTable& strings, std::function<QWidget*()> parent = {})
        : strings_(strings), parent_(std::move(parent)) {}

    bool runWithProgress(int captionId, int textId,
                         const std::function<void(const ProgressCallback&)>& worker) override;
    bool runWithProgressText(int captionId, const std::string& text, bool cancellable,
                             const std::function<void(const ProgressCallback&)>& worker) override;

  private:
    const StringTable& strings_;
    std::function<QWidget*()> parent_;
};

}  // namespace platform
