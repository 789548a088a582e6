#include "app/DialogTopics.h"

#include <QDialog>
#include <QEvent>

#include "app/CFileProperties.h"
#include "app/CInsertDiskDialog.h"
#include "app/CNewFileDialog.h"
#include "app/CNewPasteDialog.h"
#include "app/COptionsSheet.h"
#include "app/CPageSetupDialog.h"
#include "app/CPrintPreviewDialog.h"
#include "app/CQuickOpenDialog.h"
#include "app/ContextHelp.h"
#include "app/HelpSet.h"
#include "display/ui/CGoToDialog.h"
#include "display/ui/EditDialogs.h"
#include "display/ui/OptionPages.h"
#include "display/ui/PositionDialogs.h"
#include "marks/ui/CDatamarkPropertiesDialog.h"
#include "marks/ui/CDefineDatamarkDialog.h"
#include "marks/ui/CEditDatamarksDialog.h"
#include "search/ui/FindDialogs.h"

namespace {

template <typename... Dialogs>
bool isOneOf(const QWidget& dialog) {
    return ((dynamic_cast<const Dialogs*>(&dialog) != nullptr) || ...);
}

}  // namespace

std::string dialogTopic(const QWidget& dialog) {
    if (isOneOf<FindDialogBase>(dialog)) {
        return "Tps_find.htm";
    }
    if (isOneOf<CGoToDialog, SetRangeDialog, SetColumnBlockDialog, SpecifyPositionDialog,
                CModifyDataDialog, CSwapDataDialog>(dialog)) {
        return "Tps_edit.htm";
    }
    if (isOneOf<SetDataUnitDialog>(dialog)) {
        return "Tps_view.htm";
    }
    if (isOneOf<CDefineDatamarkDialog, CEditDatamarksDialog, CDatamarkPropertiesDialog>(dialog)) {
        return "Tps_marks.htm";
    }
    if (isOneOf<CNewFileDialog, CNewPasteDialog, CQuickOpenDialog, CFilePropertiesDialog>(dialog)) {
        return "Tps_files.htm";
    }
    if (isOneOf<CPageSetupDialog, CPrintPreviewDialog>(dialog)) {
        return "Tps_print.htm";
    }
    if (isOneOf<CInsertDiskDialog>(dialog)) {
        return "Tps_workspace.htm";
    }
    if (dialog.objectName() == QStringLiteral("ExportFileDialog")) {
        return "Tps_export.htm";
    }
    return {};
}

DialogHelpFilter::DialogHelpFilter(std::function<const HelpSet*()> help,
                                   std::function<void(const std::string&)> open, QObject* parent)
    : QObject(parent), help_(std::move(help)), open_(std::move(open)) {}

bool DialogHelpFilter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Polish && type != QEvent::Show) {
        return false;
    }
    auto* dialog = qobject_cast<QDialog*>(watched);
    // The options sheet brings its own (the topic of its current page).
    if (dialog == nullptr || dialog->property("contextHelpAttached").toBool() ||
        dynamic_cast<COptionsSheet*>(dialog) != nullptr) {
        return false;
    }
    const std::string topic = dialogTopic(*dialog);
    const HelpSet* help = help_ ? help_() : nullptr;
    if (help == nullptr || topic.empty()) {
        return false;
    }
    if (type == QEvent::Polish) {
        // Before the first showing: the title-bar button can still be asked
        // for without the window being hidden and made again.
        dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, true);
        return false;
    }
    attachContextHelp(*dialog, *help, open_, [topic] { return topic; });
    return false;
}
