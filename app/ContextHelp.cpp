#include "app/ContextHelp.h"

#include <QShortcut>
#include <QWhatsThis>
#include <QWidget>

#include "app/HelpSet.h"

void attachContextHelp(QWidget& dialog, const HelpSet& help,
                       std::function<void(const std::string& page)> open,
                       std::function<std::string()> page) {
    dialog.setProperty("contextHelpAttached", true);
    const auto controls = dialog.findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const QVariant topic = control->property("helpTopic");
        if (!topic.isValid()) {
            continue;
        }
        if (const auto text = help.popup(topic.toInt())) {
            control->setWhatsThis(QString::fromStdString(*text));
        }
    }
    // Changing the flags of a shown window hides it; a dialog that is
    // already showing gets its button from DialogHelpFilter before that.
    if (!dialog.isVisible()) {
        dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    }
    auto* whatsThis = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), &dialog);
    QObject::connect(whatsThis, &QShortcut::activated, &dialog,
                     [] { QWhatsThis::enterWhatsThisMode(); });
    auto* topic = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    QObject::connect(topic, &QShortcut::activated, &dialog,
                     [&dialog, open = std::move(open), page = std::move(page)] {
                         const std::string chosen =
                             page ? page() : dialog.property("helpPage").toString().toStdString();
                         if (open && !chosen.empty()) {
                             open(chosen);
                         }
                     });
}
