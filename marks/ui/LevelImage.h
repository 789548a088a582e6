#pragma once

#include <QIcon>

// The picture of a datamark level (levels 9 and above share one) as the
// marks dialogs show it.
QIcon levelIcon(int level);
