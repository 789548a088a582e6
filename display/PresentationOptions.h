#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "platform/NumberText.h"

class CSettings;

// The "Presentation" options page without its widgets: the stored values it
// shows (corrected on loading) and the rules of Apply.
struct PresentationOptions {
    int lineWidth = 24;  // shown only; the views store it when they close
    int indent = 0;
    int unit = 1;
    int minWidth = 8;
    int maxWidth = 99;
    std::string escape = ".";
    bool hexAddresses = true;

    static PresentationOptions load(const CSettings& settings);
    // The first field outside its range, as the message to show; nullopt
    // when every field may be applied.
    std::optional<std::string> validate() const;
    // Applies the corrections in their order and writes the settings.
    void apply(CSettings& settings);
};

// One colour entry of the "Appearance" page: its label, key and default.
struct ColorEntry {
    const char* label;
    const char* key;
    ColorRef defaultColor;
};

// The "Appearance" options page without its widgets.
struct AppearanceOptions {
    static const std::array<ColorEntry, 6> kBackgrounds;
    static const std::array<ColorEntry, 6> kForegrounds;

    std::array<ColorRef, 6> backgrounds{};
    std::array<ColorRef, 6> foregrounds{};
    std::string displayFace = "Courier New";
    std::string printFace = "Courier New";

    static AppearanceOptions load(const CSettings& settings);
    // "Set As Defaults": the default colours and "Courier New" for both fonts.
    void setDefaults();
    // Writes all twelve colours; a font not in `availableFaces` is written
    // as "Courier New".
    void apply(CSettings& settings, const std::vector<std::string>& availableFaces) const;
};

// The "Set Data Unit" dialog's check: nullopt when the new unit is accepted.
std::optional<std::string> checkDataUnit(int newUnit, int lineWidth);
