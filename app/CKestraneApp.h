#pragma once

#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CSettings;
class QTimer;
class SingleInstance;

namespace platform {
class MessageService;
class ProgressRunner;
class Registry;
class StringTable;
}  // namespace platform

// The application object: the start-up sequence (settings, the instance
// rule, the frame, the posted rest of start-up with the command line) and
// the services every window uses.
class CKestraneApp {
  public:
    // `strings`: the program's string table, composed by the program.
    explicit CKestraneApp(platform::StringTable strings);
    ~CKestraneApp();

    // Runs start-up; false when the program must end at once (a second
    // instance where only one is allowed).
    bool start(const std::vector<std::string>& arguments);
    CMainFrame* frame() const { return frame_.get(); }
    CSettings& settings() { return *settings_; }
    platform::MessageService& messages() { return *messages_; }

    // The command line's file: one path, quoted or not.
    static std::string fileArgument(const std::vector<std::string>& arguments);

    // At the end: settings another program kept out get one longer try;
    // only if they are lost even then does the user hear of it.
    void saveWaitingSettings();

  private:
    void finishStartUp(const std::string& file);

    std::unique_ptr<platform::Registry> registry_;
    std::unique_ptr<CSettings> settings_;
    std::unique_ptr<platform::StringTable> strings_;  // given at construction
    std::unique_ptr<platform::MessageService> messages_;
    std::unique_ptr<platform::ProgressRunner> progress_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<CMainFrame> frame_;
    QTimer* settingsRetry_ = nullptr;  // owned by the frame
};
