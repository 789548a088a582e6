#include "display/PageSetup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/NumberText.h"
#include "platform/PrintfFormat.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"

namespace {

constexpr double kDefaultMargin = 1.27;

double marginOf(const CSettings& settings, const settings::StringSetting& key) {
    const std::string text = settings.get(key);
    return text.empty() ? kDefaultMargin : parseMargin(text).value_or(kDefaultMargin);
}

}  // namespace

std::optional<double> parseMargin(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    double value = 0;
    // from_chars reads the C locale's decimal point whatever LC_NUMERIC says.
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return std::clamp(value, 0.0, 10.0);
}

std::optional<PageSetupProblem> checkPageSetupFields(const std::array<std::string, 4>& margins,
                                                     const std::string& lines) {
    for (int i = 0; i < 4; ++i) {
        double value = 0;
        const std::string& text = margins[static_cast<std::size_t>(i)];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
            value < 0 || value > 5) {
            return PageSetupProblem{i, "Please enter a number between 0 and 5."};
        }
    }
    int count = 0;
    const auto [end, error] = std::from_chars(lines.data(), lines.data() + lines.size(), count);
    if (error != std::errc() || end != lines.data() + lines.size() ||
        count < PageSetup::kMinLines || count > PageSetup::kMaxLines) {
        return PageSetupProblem{4, rangeMessage(PageSetup::kMinLines, PageSetup::kMaxLines)};
    }
    return std::nullopt;
}

std::string marginText(double centimetres) {
    std::array<char, 64> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), centimetres,
                                            std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(text.data(), end) : std::string("1.270000");
}

PageSetup PageSetup::load(const CSettings& settings) {
    using namespace settings::print;
    PageSetup setup;
    setup.marginLeft = marginOf(settings, MarginLeft);
    setup.marginRight = marginOf(settings, MarginRight);
    setup.marginTop = marginOf(settings, MarginTop);
    setup.marginBottom = marginOf(settings, MarginBottom);
    setup.header = settings.get(PageHeader);
    setup.footer = settings.get(PageFooter);
    setup.noFooterSeparator = settings.get(NoFooterSep) != 0;
    const int lines = settings.get(LinesPerPage);
    setup.autoDetectPending = lines < kMinLines;
    setup.linesPerPage = lines < kMinLines ? 48 : std::min(lines, kMaxLines);
    return setup;
}

void PageSetup::store(CSettings& settings) const {
    using namespace settings::print;
    settings.write(MarginLeft, marginText(marginLeft));
    settings.write(MarginRight, marginText(marginRight));
    settings.write(MarginTop, marginText(marginTop));
    settings.write(MarginBottom, marginText(marginBottom));
    settings.write(PageHeader, header);
    settings.write(PageFooter, footer);
    settings.write(NoFooterSep, noFooterSeparator ? 1 : 0);
    settings.write(LinesPerPage, linesPerPage);
}

ExpandedLine expandTemplate(std::string_view pattern, const std::string& fileName,
                            std::int64_t page, LineAlignment defaultAlignment, std::time_t now) {
    ExpandedLine line{{}, defaultAlignment};
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::size_t at = 0;
    while (at < pattern.size()) {
        const auto amp = pattern.find('&', at);
        if (amp == std::string_view::npos) {
            line.text.append(pattern.substr(at));
            break;
        }
        line.text.append(pattern.substr(at, amp - at));
        if (amp + 1 == pattern.size()) {
            break;  // a lone '&' at the end is dropped
        }
        switch (pattern[amp + 1]) {
            case 'F':
            case 'f':
                line.text += fileName;  // as it is: never expanded again
                break;
            case 'P':
            case 'p':
                if (page > 0) {
                    line.text += platform::formatPrintf("Page %i", {static_cast<long long>(page)});
                }
                break;
            case 'D':
            case 'd':
                line.text += platform::formatPrintf(
                    "%04i-%02i-%02i",
                    {static_cast<long long>(utc.tm_year + 1900),
                     static_cast<long long>(utc.tm_mon + 1), static_cast<long long>(utc.tm_mday)});
                break;
            case 'T':
            case 't':
                line.text +=
                    platform::formatPrintf("%02i:%02i:%02i", {static_cast<long long>(utc.tm_hour),
                                                              static_cast<long long>(utc.tm_min),
                                                              static_cast<long long>(utc.tm_sec)});
                break;
            case 'L':
            case 'l':
                line.alignment = LineAlignment::Left;
                break;
            case 'C':
            case 'c':
                line.alignment = LineAlignment::Center;
                break;
            case 'R':
            case 'r':
                line.alignment = LineAlignment::Right;
                break;
            default:
                return line;  // no code: the rest is dropped
        }
        at = amp + 2;
    }
    return line;
}

std::uint64_t totalLines(std::uint64_t dataSize, int indent, int lineWidth) {
    const auto width = static_cast<std::uint64_t>(std::max(lineWidth, 1));
    const std::uint64_t bytes = dataSize + static_cast<std::uint64_t>(std::max(indent, 0));
    return bytes / width + (bytes % width != 0 ? 1 : 0);
}

std::uint64_t pageCount(std::uint64_t lines, int linesPerPage) {
    const auto perPage = static_cast<std::uint64_t>(std::max(linesPerPage, 1));
    return lines / perPage + (lines % perPage != 0 ? 1 : 0);
}

std::optional<PageLines> linesOfPage(std::uint64_t page, std::uint64_t lines, int linesPerPage) {
    const auto perPage = static_cast<std::uint64_t>(std::max(linesPerPage, 1));
    if (page == 0 || page > pageCount(lines, linesPerPage)) {
        return std::nullopt;
    }
    const std::uint64_t first = perPage * (page - 1);
    return PageLines{first, std::min(first + perPage - 1, lines - 1)};
}

int detectLinesPerPage(const PrinterGeometry& printer, const PageSetup& setup, int lineHeight,
                       int headerHeight) {
    const double p = std::max(printer.printerDpi, 1);
    const double s = std::max(printer.screenDpi, 1);
    const long long top = static_cast<long long>(std::ceil(headerHeight * p / s)) +
                          std::llround((setup.marginTop + setup.marginBottom) / 2.54 * p);
    const auto line = static_cast<long long>(std::ceil(std::max(lineHeight, 1) * p / s));
    long long lines = (printer.printableHeight - top) / std::max(line, 1LL);
    if (!setup.header.empty()) {
        --lines;
    }
    if (setup.hasFooter()) {
        --lines;
    }
    const long long result = lines >= 2 ? lines - 1 : 1;
    return static_cast<int>(
        std::clamp<long long>(result, PageSetup::kMinLines, PageSetup::kMaxLines));
}
