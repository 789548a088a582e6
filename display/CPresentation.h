#pragma once

#include <cstdint>

class CSettings;

// The presentation parameters of one view and the commands that change them:
// line width, first-line indent, data unit, page height, address base and
// data start address. Every command keeps the parameters inside their
// bounds and says whether it changed anything; the panel then moves the
// caret and selection and lays itself out again.
class CPresentation {
  public:
    static constexpr int kMinPageHeight = 8;
    static constexpr int kMaxPageHeight = 480;
    static constexpr int kDefaultPageHeight = 48;

    CPresentation() = default;
    CPresentation(int lineWidth, int indent, int unit)
        : lineWidth_(lineWidth), indent_(indent), unit_(unit) {}

    // The line-width limits as stored, held together: the minimum 8..99,
    // the maximum from the minimum to 99.
    struct LineWidthLimits {
        int minimum;
        int maximum;
    };
    static LineWidthLimits lineWidthLimits(const CSettings& settings);

    // A new view: width (held to the limits), indent and unit from the settings (the unit lowered
    // to the width, an indent that does not fit dropped), the page height
    // from the page setup (`linesPerPage`; below 8 means 48), the address
    // base from "Hex Show", data start address 0.
    static CPresentation forNewView(const CSettings& settings, int linesPerPage);
    // Closing a view stores its width, indent and unit for the next one.
    void writeBack(CSettings& settings) const;

    int lineWidth() const { return lineWidth_; }
    int indent() const { return indent_; }
    int unit() const { return unit_; }
    int pageHeight() const { return pageHeight_; }
    bool hexAddresses() const { return hexAddresses_; }
    std::uint32_t dataStartAddress() const { return dataStartAddress_; }
    void setDataStartAddress(std::uint32_t address) { dataStartAddress_ = address; }
    void toggleAddressBase() { hexAddresses_ = !hexAddresses_; }
    void setHexAddresses(bool hex) { hexAddresses_ = hex; }

    // Width + delta clamped to [minimum, maximum]; an indent that no longer
    // fits becomes 0.
    bool changeLineWidth(int delta, int minimum, int maximum);
    bool canExtendLineWidth(int maximum) const { return lineWidth_ < maximum; }
    bool canShrinkLineWidth(int minimum) const { return lineWidth_ > minimum; }

    // The layout of a view made for a pasted column block: its width, no
    // indent, the unit lowered to fit.
    void useBlockLayout(int width);

    bool clearIndent();
    bool canClearIndent() const { return indent_ != 0; }
    // Steps of one unit, cycling within the whole units of a line.
    bool increaseIndent();
    bool decreaseIndent();

    // Refuses u <= 0 and u > line width; the indent is rounded down to whole units.
    bool changeUnit(int unit);
    bool isCurrentUnit(int unit) const { return unit_ == unit; }

    bool changePageHeight(int delta);
    bool canExtendPageHeight() const { return pageHeight_ < kMaxPageHeight; }
    bool canShrinkPageHeight() const { return pageHeight_ > kMinPageHeight; }

  private:
    int lineWidth_ = 24;
    int indent_ = 0;
    int unit_ = 1;
    int pageHeight_ = kDefaultPageHeight;
    bool hexAddresses_ = true;
    std::uint32_t dataStartAddress_ = 0;
};
