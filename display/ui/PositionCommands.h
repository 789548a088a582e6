#pragma once

class CHexPanel;
class QWidget;

namespace platform {
class MessageService;
}

// The view commands that ask for a position first: each opens its dialog
// over `parent` and applies the accepted input to the panel. Nothing happens
// while no file is attached.
void runSelectRange(CHexPanel& panel, platform::MessageService& messages, QWidget* parent);
void runSelectColumnBlock(CHexPanel& panel, platform::MessageService& messages, QWidget* parent);
void runDataStartAddress(CHexPanel& panel, platform::MessageService& messages, QWidget* parent);
