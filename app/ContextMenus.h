#pragma once

#include <span>

#include "framework/CommandTarget.h"

// The view's context menus as tables of command ids: "HexData" over the hex
// and character panels, the address panel's and the mark panel's "Bookmark". Their entries are
// enabled and run through the same commands as the main menu.
std::span<const MenuItem> hexDataMenu();
std::span<const MenuItem> addressPanelMenu();
std::span<const MenuItem> bookmarkMenu();
