#pragma once

#include <string>

#include "marks/DatamarkClearing.h"

class QWidget;

// "Clear datamark" (192): the question whether to disconnect the
// associations that name a datamark, with "No Longer Hint" and "Auto
// Disconnect Associations" shown as the view last left them.
ClearConfirmation::Answer showClearDatamarkDialog(QWidget* parent, const std::string& text,
                                                  bool noLongerHint, bool autoDisconnect);
