#pragma once

#include <string>

// The file managers read no registry: after registration each gets the
// menu item in its own per-user form, naming the program by its absolute
// path, and unregistration takes them away again.
struct AdapterPlaces {
    std::string dataHome;    // $XDG_DATA_HOME, else ~/.local/share
    std::string configHome;  // $XDG_CONFIG_HOME, else ~/.config
    std::string systemConfig;  // the first of $XDG_CONFIG_DIRS, else /etc/xdg

    static AdapterPlaces current();
};

// Nautilus' Python extension, Dolphin's service menu and Thunar's custom
// action. False when one of them could not be written (or Thunar's file
// could not be read as a list of actions, which is then left alone).
bool writeAdapters(const std::string& program, const AdapterPlaces& places);
bool removeAdapters(const AdapterPlaces& places);

// The pieces, for testing each on its own.
std::string nautilusExtension(const std::string& program);
std::string dolphinServiceMenu(const std::string& program);
// Thunar's actions with ours put in (`program` given) or taken out (empty):
// every other action byte for byte; nothing when `actions` is not a list
// of actions we can read.
bool withThunarAction(const std::string& actions, const std::string& program,
                      std::string& result);
