// Printing without a printer: templates, the page setup as stored, the
// page split and the detected lines per page.
#include "display/PageSetup.h"

#include <gtest/gtest.h>

#include <clocale>
#include <random>

#include "platform/Registry.h"
#include "settings/CSettings.h"
#include "settings/SettingKeys.h"
#include "tests/support/TempDir.h"

namespace {

constexpr std::time_t kNoon = 1765195200 + 3723;  // 2025-12-08 13:02:03 UTC

std::string expanded(std::string_view pattern, std::int64_t page = 3,
                     LineAlignment fallback = LineAlignment::Left) {
    return expandTemplate(pattern, "/data/a&b.bin", page, fallback, kNoon).text;
}

TEST(PageTemplateTest, CodesLiteralsAndAlignment) {
    EXPECT_EQ(expanded("&F&L"), "/data/a&b.bin");  // a path's "&" stays literal
    const ExpandedLine footer = expandTemplate("&P&R", "x", 3, LineAlignment::Right, kNoon);
    EXPECT_EQ(footer.text, "Page 3");
    EXPECT_EQ(footer.alignment, LineAlignment::Right);
    EXPECT_EQ(expanded("Page &P"), "Page Page 3");
    EXPECT_EQ(expandTemplate("left &C text", "x", 1, LineAlignment::Left, kNoon).alignment,
              LineAlignment::Center);
    EXPECT_EQ(expanded("&D &T"), "2025-12-08 13:02:03");
    EXPECT_EQ(expanded("&d &t"), "2025-12-08 13:02:03");  // codes ignore case
    EXPECT_EQ(expanded("abc&Xmore"), "abc");
    EXPECT_EQ(expanded("&P x"), "Page 3 x");
    EXPECT_EQ(expanded("end&"), "end");
    EXPECT_EQ(expanded(""), "");
    EXPECT_EQ(expanded("&P", 0), "");
    EXPECT_EQ(expandTemplate("&L&R&C&L", "x", 1, LineAlignment::Right, kNoon).alignment,
              LineAlignment::Left);
}

class PageSetupTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    void SetUp() override { settings.open(); }
};

TEST_F(PageSetupTest, StoredValuesAreReadSafelyAndWrittenInTheCLocale) {
    PageSetup fresh = PageSetup::load(settings);
    EXPECT_EQ(fresh.linesPerPage, 48);
    EXPECT_TRUE(fresh.autoDetectPending);
    settings.write(settings::print::LinesPerPage, 5);
    EXPECT_EQ(PageSetup::load(settings).linesPerPage, 48);
    settings.write(settings::print::LinesPerPage, 60);
    EXPECT_EQ(PageSetup::load(settings).linesPerPage, 60);
    EXPECT_FALSE(PageSetup::load(settings).autoDetectPending);
    settings.write(settings::print::LinesPerPage, 900);
    EXPECT_EQ(PageSetup::load(settings).linesPerPage, 480);
    for (const char* bad : {"abc", "nan", "inf", "-inf"}) {
        settings.write(settings::print::MarginLeft, bad);
        EXPECT_DOUBLE_EQ(PageSetup::load(settings).marginLeft, 1.27) << bad;
    }
    settings.write(settings::print::MarginTop, "25");
    EXPECT_DOUBLE_EQ(PageSetup::load(settings).marginTop, 10.0);

    // A comma locale does not change what is written or read.
    const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    PageSetup setup = PageSetup::load(settings);
    setup.marginRight = 2.5;
    setup.store(settings);
    EXPECT_EQ(settings.get(settings::print::MarginRight), "2.500000");
    EXPECT_DOUBLE_EQ(PageSetup::load(settings).marginRight, 2.5);
    if (previous != nullptr) {
        std::setlocale(LC_NUMERIC, "C");
    }
}

TEST(PageSplitTest, EveryLineOnExactlyOnePage) {
    EXPECT_EQ(totalLines(0, 0, 16), 0u);
    EXPECT_EQ(totalLines(16, 0, 16), 1u);
    EXPECT_EQ(totalLines(16, 1, 16), 2u);
    EXPECT_EQ(pageCount(0, 48), 0u);
    EXPECT_FALSE(linesOfPage(1, 0, 48).has_value());
    constexpr unsigned kSeed = 99;
    std::mt19937_64 random(kSeed);
    SCOPED_TRACE("seed " + std::to_string(kSeed));
    for (int round = 0; round < 2000; ++round) {
        const std::uint64_t size = random() % (std::uint64_t{1} << 40);
        const int width = 1 + static_cast<int>(random() % 99);
        const int indent = static_cast<int>(random() % static_cast<unsigned>(width));
        const int perPage = 8 + static_cast<int>(random() % 473);
        const std::uint64_t lines = totalLines(size, indent, width);
        // The naive count: lines until the bytes and the indent are covered.
        ASSERT_GE(lines * static_cast<std::uint64_t>(width),
                  size + static_cast<std::uint64_t>(indent));
        ASSERT_LT((lines == 0 ? 0 : lines - 1) * static_cast<std::uint64_t>(width),
                  size + static_cast<std::uint64_t>(indent) + (lines == 0 ? 1 : 0));
        const std::uint64_t pages = pageCount(lines, perPage);
        if (pages == 0) {
            continue;
        }
        const auto first = linesOfPage(1, lines, perPage);
        const auto last = linesOfPage(pages, lines, perPage);
        const std::uint64_t middle = 1 + random() % pages;
        const auto some = linesOfPage(middle, lines, perPage);
        ASSERT_TRUE(first && last && some);
        EXPECT_EQ(first->first, 0u);
        EXPECT_EQ(last->last, lines - 1);
        EXPECT_EQ(some->first, (middle - 1) * static_cast<std::uint64_t>(perPage));
        if (middle < pages) {
            EXPECT_EQ(linesOfPage(middle + 1, lines, perPage)->first, some->last + 1);
        }
        EXPECT_FALSE(linesOfPage(pages + 1, lines, perPage).has_value());
    }
}

TEST(PageSplitTest, DetectionFollowsTheFormulaAndStaysInRange) {
    PageSetup setup;
    setup.marginTop = 1.27;
    setup.marginBottom = 1.27;
    // A4 at 600 dpi: 7016 printer pixels; header 28 and lines of 16 screen pixels.
    const PrinterGeometry a4{600, 96, 7016};
    // top = ceil(28 * 6.25) + round(2.54 / 2.54 * 600) = 175 + 600; line = 100.
    // (7016 - 775) / 100 = 62, less header and footer: 60, less one: 59.
    EXPECT_EQ(detectLinesPerPage(a4, setup, 16, 28), 59);
    setup.header.clear();
    setup.footer.clear();
    setup.noFooterSeparator = true;
    EXPECT_EQ(detectLinesPerPage(a4, setup, 16, 28), 61);
    EXPECT_EQ(detectLinesPerPage({600, 96, 500}, setup, 16, 28), 8);  // a tiny page
    EXPECT_EQ(detectLinesPerPage({2400, 96, 1000000}, setup, 1, 0), 480);
}

}  // namespace
