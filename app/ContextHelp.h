#pragma once

#include <functional>
#include <string>

class HelpSet;
class QWidget;

// Context help for a dialog: every control carrying a "helpTopic" property
// answers "What's This?" (Shift+F1, or the title-bar button) with its popup
// text, and F1 opens the dialog's topic (its "helpPage" property, or what
// `page` answers at that moment) through `open`.
void attachContextHelp(QWidget& dialog, const HelpSet& help,
                       std::function<void(const std::string& page)> open,
                       std::function<std::string()> page = {});
