#pragma once

#include <QDialog>
#include <atomic>
#include <functional>
#include <thread>

#include "platform/Progress.h"
#include "platform/StringTable.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace platform {

// The modal "Process Progress" dialog a long operation runs under. The
// worker runs on a std::thread started once the dialog is shown and reports
// through the callback; its progress reaches the dialog as queued calls. The
// dialog closes when the worker reports its end (OK for finished, Cancel for
// failed or cancelled), and always waits for the worker thread first.
// Suspend and Continue are shown but never enabled.
class CProgressDialog : public QDialog {
  public:
    using Worker = std::function<void(const ProgressCallback&)>;

    CProgressDialog(const StringTable& strings, int captionId, int textId,
                    QWidget* parent = nullptr);
    ~CProgressDialog() override;

    // Runs `worker` under the dialog; true when it closed with OK.
    bool run(const Worker& worker);

    // Replaces the text the dialog opened with.
    void setText(const std::string& text);
    QLabel* textLabel() const { return text_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* suspendButton() const { return suspend_; }
    QPushButton* continueButton() const { return continue_; }
    QPushButton* cancelButton() const { return cancel_; }
    bool cancelRequested() const { return cancelRequested_.load(); }

    // Escape and the window's close button ask to cancel, like Cancel.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ProgressAnswer report(std::uint64_t total, std::uint64_t done, ProgressKind kind,
                          const std::string* text);
    void requestCancel();
    // Posts the completion (1 finished, 2 failed or cancelled) once.
    void postCompletion(int result);
    void complete(int result);

    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* suspend_;
    QPushButton* continue_;
    QPushButton* cancel_;
    Worker worker_;
    std::thread thread_;
    bool started_ = false;
    std::atomic<bool> cancelRequested_{false};
    std::atomic<bool> completionPosted_{false};
};

}  // namespace platform
