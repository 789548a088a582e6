#include "app/ProgramHelp.h"

#include <QCoreApplication>
#include <QPointer>
#include <QShortcut>
#include <QWidget>
#include <memory>

#include "app/CHelpWindow.h"
#include "app/HelpSet.h"

void giveProgramHelp(QWidget& window, const std::string& page) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    auto help = std::make_shared<QPointer<CHelpWindow>>();
    QObject::connect(shortcut, &QShortcut::activated, &window, [&window, page, help] {
        if (help->isNull()) {
            const std::string folder =
                helpFolderFor(QCoreApplication::applicationDirPath().toStdString() + "/Kestrane");
            *help = new CHelpWindow(HelpSet::load(folder), &window);
        }
        (*help)->showTopic(page);
    });
}
