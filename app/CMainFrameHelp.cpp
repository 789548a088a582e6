// Help: one help window per program run, over the help set beside the
// program ("Kestrane.help"), opened on its contents, index, search or the
// topic of an options page.
#include <QCoreApplication>
#include <array>
#include <filesystem>

#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/DialogTopics.h"

namespace {

// The options pages' topics, in the sheet's page order.
constexpr std::array<const char*, 8> kOptionTopics = {
    "Tps_pg_general.htm",  "Tps_pg_file.htm",    "Tps_pg_edit.htm",      "Tps_pg_find.htm",
    "Tps_pg_datamark.htm", "Tps_pg_present.htm", "Tps_pg_interpret.htm", "Tps_pg_appear.htm"};

}  // namespace

bool CMainFrame::helpAvailable() const {
    const std::string folder =
        helpFolder_.empty()
            ? helpFolderFor(QCoreApplication::applicationDirPath().toStdString() + "/Kestrane")
            : helpFolder_;
    return std::filesystem::exists(folder + "/contents.txt");
}

CHelpWindow& CMainFrame::helpWindow() {
    if (helpWindow_ == nullptr) {
        const std::string folder =
            helpFolder_.empty()
                ? helpFolderFor(QCoreApplication::applicationDirPath().toStdString() + "/Kestrane")
                : helpFolder_;
        helpWindow_ = new CHelpWindow(HelpSet::load(folder), this);
    }
    return *helpWindow_;
}

void CMainFrame::setUpDialogHelp() {
    auto* filter = new DialogHelpFilter(
        [this]() -> const HelpSet* { return helpAvailable() ? &helpWindow().help() : nullptr; },
        [this](const std::string& page) { helpWindow().showTopic(page); }, this);
    QCoreApplication::instance()->installEventFilter(filter);
}

void CMainFrame::showOptionsHelp(int page) {
    const bool known = page >= 0 && static_cast<std::size_t>(page) < kOptionTopics.size();
    if (!known || !helpWindow().showTopic(kOptionTopics[static_cast<std::size_t>(page)])) {
        helpWindow().showTopic("Tps_pg.htm");
    }
}
