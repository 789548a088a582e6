#pragma once

#include <optional>
#include <string>

class CSettings;

// The "Find" options page without its widgets: the nine values it shows and
// the rules of Apply.
struct FindPageOptions {
    bool findContinue = true;       // "Enable Recycling"
    bool asyncFind = true;          // "Enable Asynchro. Search"
    long long maxFindBytes = 1024;  // 1..4096
    long long asyncThreshold = 4;   // megabytes, 1..1024
    bool allowWildcard = true;
    std::string wildcard = ".";  // as typed
    bool closeAfterFind = true;
    bool closeAfterReplace = false;
    bool closeAfterReplaceAll = true;

    static FindPageOptions load(const CSettings& settings);
    // The first number outside its range, as the message to show; nullopt
    // when every field may be applied.
    std::optional<std::string> validate() const;
    // The wildcard as stored: the first character after leading white
    // space, "." when there is none.
    char storedWildcard() const;
    // Writes all nine keys (after validate()).
    void apply(CSettings& settings) const;
};
