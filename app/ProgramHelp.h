#pragma once

#include <string>

class QWidget;

// F1 in `window` opens the suite's help window (made on first use, kept
// with `window`) on `page`: for the programs beside Kestrane, whose help
// lives in Kestrane's help set in the same folder.
void giveProgramHelp(QWidget& window, const std::string& page);
