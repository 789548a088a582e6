#include "display/CPresentation.h"

#include <algorithm>

#include "settings/CSettings.h"

CPresentation::LineWidthLimits CPresentation::lineWidthLimits(const CSettings& settings) {
    const int maximum = settings::edit::MaxColumn.defaultValue;
    const int low = std::clamp(settings.get(settings::edit::MinColumn), 8, maximum);
    return {low, std::clamp(settings.get(settings::edit::MaxColumn), low, maximum)};
}

CPresentation CPresentation::forNewView(const CSettings& settings, int linesPerPage) {
    CPresentation presentation;
    // A stored width the view cannot hold (a huge one would take minutes and
    // gigabytes to paint) is held to the limits.
    const LineWidthLimits limits = lineWidthLimits(settings);
    presentation.lineWidth_ =
        std::clamp(settings.get(settings::edit::LineBytes), limits.minimum, limits.maximum);
    presentation.unit_ = std::min(settings.get(settings::edit::UnitBytes), presentation.lineWidth_);
    presentation.indent_ = settings.get(settings::edit::NullBytes);
    if (presentation.indent_ >= presentation.lineWidth_) {
        presentation.indent_ = 0;
    }
    presentation.pageHeight_ =
        linesPerPage < kMinPageHeight ? kDefaultPageHeight : std::min(linesPerPage, kMaxPageHeight);
    presentation.hexAddresses_ = settings.get(settings::address::HexShow) != 0;
    return presentation;
}

void CPresentation::writeBack(CSettings& settings) const {
    settings.write(settings::edit::LineBytes, lineWidth_);
    settings.write(settings::edit::NullBytes, indent_);
    settings.write(settings::edit::UnitBytes, unit_);
}

bool CPresentation::changeLineWidth(int delta, int minimum, int maximum) {
    const long long wanted = static_cast<long long>(lineWidth_) + delta;
    const int width = static_cast<int>(std::clamp<long long>(wanted, minimum, maximum));
    if (width == lineWidth_ || width <= 0) {
        return false;
    }
    lineWidth_ = width;
    if (indent_ >= lineWidth_) {
        indent_ = 0;
    }
    unit_ = std::min(unit_, lineWidth_);
    return true;
}

void CPresentation::useBlockLayout(int width) {
    lineWidth_ = std::max(width, 1);
    indent_ = 0;
    unit_ = std::min(unit_, lineWidth_);
}

bool CPresentation::clearIndent() {
    if (indent_ == 0) {
        return false;
    }
    indent_ = 0;
    return true;
}

bool CPresentation::increaseIndent() {
    const int whole = unit_ * (lineWidth_ / unit_);
    if (whole <= 0) {
        return false;
    }
    const int next = (indent_ + unit_) % whole;
    const bool changed = next != indent_;
    indent_ = next;
    return changed;
}

bool CPresentation::decreaseIndent() {
    const int whole = unit_ * (lineWidth_ / unit_);
    if (whole <= 0) {
        return false;
    }
    const int next = (whole + indent_ - unit_) % whole;
    const bool changed = next != indent_;
    indent_ = next;
    return changed;
}

bool CPresentation::changeUnit(int unit) {
    if (unit <= 0 || unit > lineWidth_ || unit == unit_) {
        return false;
    }
    unit_ = unit;
    indent_ = unit * (indent_ / unit);
    return true;
}

bool CPresentation::changePageHeight(int delta) {
    const int height = std::clamp(pageHeight_ + delta, kMinPageHeight, kMaxPageHeight);
    if (height == pageHeight_) {
        return false;
    }
    pageHeight_ = height;
    return true;
}
