#pragma once

class QWidget;

// Widens a dialog so that its title reads whole in the title bar (beside the
// window manager's icon and buttons) and its fields get their full width.
void widenToTitle(QWidget& dialog);
