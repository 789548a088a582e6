#include "display/PresentationOptions.h"

#include <algorithm>

#include "platform/PrintfFormat.h"
#include "settings/CSettings.h"

PresentationOptions PresentationOptions::load(const CSettings& settings) {
    PresentationOptions page;
    page.lineWidth = settings.get(settings::edit::LineBytes);
    page.indent = settings.get(settings::edit::NullBytes);
    page.unit = settings.get(settings::edit::UnitBytes);
    page.minWidth = settings.get(settings::edit::MinColumn);
    page.maxWidth = settings.get(settings::edit::MaxColumn);
    page.escape = std::string(1, static_cast<char>(settings.get(settings::edit::EscapeChar)));
    page.hexAddresses = settings.get(settings::address::HexShow) != 0;
    if (page.minWidth >= page.maxWidth) {
        page.minWidth = 8;
    }
    if (page.lineWidth < page.unit) {
        page.unit = 1;
    }
    if (page.lineWidth < page.indent) {
        page.indent = 0;
    }
    return page;
}

std::optional<std::string> PresentationOptions::validate() const {
    struct Field {
        int value;
        int minimum;
        int maximum;
    };
    const Field fields[] = {
        {lineWidth, 8, 99}, {indent, 0, 98}, {unit, 1, 99}, {minWidth, 8, 98}, {maxWidth, 9, 99}};
    for (const auto& field : fields) {
        if (field.value < field.minimum || field.value > field.maximum) {
            return rangeMessage(field.minimum, field.maximum);
        }
    }
    return std::nullopt;
}

void PresentationOptions::apply(CSettings& settings) {
    if (maxWidth >= 100) {
        maxWidth = 99;
    } else if (maxWidth <= 8) {
        maxWidth = 9;
    }
    if (minWidth >= maxWidth || minWidth < 8) {
        minWidth = 8;
    }
    if (lineWidth > maxWidth) {
        lineWidth = maxWidth;
    }
    if (lineWidth < unit) {
        unit = 1;
    }
    if (lineWidth < indent) {
        indent = 0;
    }
    settings.write(settings::edit::LineBytes, lineWidth);
    settings.write(settings::edit::NullBytes, indent);
    settings.write(settings::edit::UnitBytes, unit);
    settings.write(settings::edit::MinColumn, minWidth);
    settings.write(settings::edit::MaxColumn, maxWidth);
    if (!escape.empty() && static_cast<signed char>(escape[0]) >= 32) {
        settings.write(settings::edit::EscapeChar, static_cast<unsigned char>(escape[0]));
    }
    settings.write(settings::address::HexShow, hexAddresses ? 1 : 0);
}

const std::array<ColorEntry, 6> AppearanceOptions::kBackgrounds{{
    {"Mark Panel", "Markcomp Bkcolor", 14215660},
    {"Address Panel", "Addrcomp Bkcolor", 0xFFFFFF},
    {"Hexdata Panel", "Hexcomp Bkcolor", 0xFFFFFF},
    {"Character Panel", "Charcomp Bkcolor", 0xFFFFFF},
    {"Selection XOR Color", "Selection Color", 6208},
    {"Linemark", "Markline Bkcolor", 0xFFFF80},
}};

const std::array<ColorEntry, 6> AppearanceOptions::kForegrounds{{
    {"Address Panel Text", "Addrcomp Text Color", 0xFF0000},
    {"Indent Address Text", "Addrindent Text Color", 255},
    {"Hexdata Panel Text", "Hexcomp Text Color", 0},
    {"Character Panel Text", "Charcomp Text Color", 0},
    {"File Modified Text", "Midified Text Color", 224},
    {"Dialog Box Note Text", "Dialog Note Color", 0xFF0000},
}};

AppearanceOptions AppearanceOptions::load(const CSettings& settings) {
    AppearanceOptions page;
    for (std::size_t i = 0; i < kBackgrounds.size(); ++i) {
        page.backgrounds[i] = static_cast<ColorRef>(
            settings.getInt(settings::section::Appearance, kBackgrounds[i].key,
                            static_cast<std::int32_t>(kBackgrounds[i].defaultColor)));
        page.foregrounds[i] = static_cast<ColorRef>(
            settings.getInt(settings::section::Appearance, kForegrounds[i].key,
                            static_cast<std::int32_t>(kForegrounds[i].defaultColor)));
    }
    page.displayFace = settings.get(settings::appearance::DisplayFacename);
    page.printFace = settings.get(settings::appearance::PrintFacename);
    return page;
}

void AppearanceOptions::setDefaults() {
    for (std::size_t i = 0; i < kBackgrounds.size(); ++i) {
        backgrounds[i] = kBackgrounds[i].defaultColor;
        foregrounds[i] = kForegrounds[i].defaultColor;
    }
    displayFace = "Courier New";
    printFace = "Courier New";
}

void AppearanceOptions::apply(CSettings& settings,
                              const std::vector<std::string>& availableFaces) const {
    const auto isListed = [&availableFaces](const std::string& face) {
        return std::find(availableFaces.begin(), availableFaces.end(), face) !=
               availableFaces.end();
    };
    for (std::size_t i = 0; i < kBackgrounds.size(); ++i) {
        settings.writeInt(settings::section::Appearance, kBackgrounds[i].key,
                          static_cast<std::int32_t>(backgrounds[i]));
        settings.writeInt(settings::section::Appearance, kForegrounds[i].key,
                          static_cast<std::int32_t>(foregrounds[i]));
    }
    settings.write(settings::appearance::DisplayFacename,
                   isListed(displayFace) ? displayFace : std::string("Courier New"));
    settings.write(settings::appearance::PrintFacename,
                   isListed(printFace) ? printFace : std::string("Courier New"));
}

std::optional<std::string> checkDataUnit(int newUnit, int lineWidth) {
    if (newUnit < 1 || newUnit > 99) {
        return rangeMessage(1, 99);
    }
    if (newUnit > lineWidth) {
        return std::string("The bytes per data unit should be less than the bytes per line!");
    }
    return std::nullopt;
}
