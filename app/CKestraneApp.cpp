#include "app/CKestraneApp.h"

#include <QTimer>
#include <chrono>

#include "app/CMainFrame.h"
#include "app/SingleInstance.h"
#include "platform/FileCopy.h"
#include "platform/Registry.h"
#include "platform/StringTable.h"
#include "platform/TempFile.h"
#include "platform/qt/QtMessageService.h"
#include "platform/qt/QtProgressRunner.h"
#include "settings/CSettings.h"

namespace {

// The caption of every message.
constexpr const char* kApplicationTitle = "Kestrane";

// "Some settings could not be saved: another program kept the settings file locked."
constexpr int kSettingsLost = 1174;

}  // namespace

CKestraneApp::CKestraneApp(platform::StringTable strings)
    : strings_(std::make_unique<platform::StringTable>(std::move(strings))) {}

CKestraneApp::~CKestraneApp() {
    saveWaitingSettings();
}

void CKestraneApp::saveWaitingSettings() {
    if (settings_ == nullptr || settings_->pendingWrites() == 0) {
        return;
    }
    registry_->setWritePatience(std::chrono::seconds(3));
    if (!settings_->flushPendingWrites() && messages_ != nullptr) {
        messages_->show(kSettingsLost, {platform::MessageIcon::Exclamation});
    }
}

std::string CKestraneApp::fileArgument(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return {};
    }
    std::string file = arguments.front();
    if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
        file = file.substr(1, file.size() - 2);
    }
    return file;
}

bool CKestraneApp::start(const std::vector<std::string>& arguments) {
    registry_ = std::make_unique<platform::Registry>(platform::Registry::defaultFilePath());
    settings_ = std::make_unique<CSettings>(*registry_);
    settings_->open();
    messages_ =
        std::make_unique<platform::QtMessageService>(*strings_, std::string(kApplicationTitle));
    progress_ = std::make_unique<platform::QtProgressRunner>(*strings_);
    instance_ = std::make_unique<SingleInstance>("KESTRANE_APP_INSTANCE");
    if (instance_->alreadyExisted() && settings_->get(settings::general::MutipleInstances) == 0) {
        return false;
    }
    // Work files and save copies of programs that ended without closing
    // them (a crash, a kill) are nobody's any more.
    platform::removeStaleTempFiles(settings_->tempDirectory());
    if (settings_->tempDirectory() != platform::systemTempDirectory()) {
        platform::removeStaleTempFiles(platform::systemTempDirectory());
    }
    frame_ = std::make_unique<CMainFrame>(*settings_, *strings_, *messages_, progress_.get());
    // Settings another program kept out go in as soon as it lets go.
    settingsRetry_ = new QTimer(frame_.get());
    QObject::connect(settingsRetry_, &QTimer::timeout, frame_.get(), [this] {
        if (settings_->pendingWrites() > 0) {
            settings_->flushPendingWrites();
        }
    });
    settingsRetry_->start(5000);
    const bool placed = frame_->restorePlacement();
    if (!placed) {
        frame_->resize(1200, 800);
    }
    frame_->showMaximized();
    // The rest of start-up runs once the frame is shown.
    const std::string file = fileArgument(arguments);
    QTimer::singleShot(0, frame_.get(), [this, file] { finishStartUp(file); });
    return true;
}

void CKestraneApp::finishStartUp(const std::string& file) {
    if (settings_->get(settings::frame::ShowTips) != 0) {
        frame_->showTipOfTheDay();
    }
    if (!file.empty()) {
        frame_->openDocument(file);
    } else if (settings_->get(settings::edit::NewdocStartup) != 0) {
        frame_->fileNew();
    }
}
