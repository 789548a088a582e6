#include "display/PagePainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/DisplayTexts.h"
#include "tests/display/OpenPanel.h"
#include "tests/support/RecordingGraphics.h"

namespace {

using testsupport::RecordingGraphics;

constexpr int kLines = 8;          // lines per page
const Dimension kPage{1000, 400};  // the printable rectangle, in view pixels
constexpr int kBox = 16 + 4;       // header and footer boxes: line height + 4

class PagePainterTest : public testsupport::PanelFixture {
  protected:
    // 300 bytes, 16 a line: 19 lines, pages of 8, 8 and 3 lines.
    void SetUp() override {
        PanelFixture::SetUp();
        std::string bytes;
        for (int i = 0; i < 300; ++i) {
            bytes.push_back(static_cast<char>('A' + i % 26));
        }
        openWith(bytes, 16, 1);
        setup.linesPerPage = kLines;
    }

    PagePainter painter(bool readable = true) {
        return PagePainter(panel->state(), panel->markPanel().getPreferredWidth(), setup,
                           "/data/file.bin", 0,
                           [this, readable](std::uint64_t start, std::uint64_t end,
                                            std::vector<std::uint8_t>& bytes,
                                            std::vector<std::uint8_t>& mask) {
                               return readable && panel->readBytes(start, end, bytes, mask);
                           });
    }

    RecordingGraphics paint(PagePainter& pages, std::uint64_t page) {
        RecordingGraphics graphics({0, 0, kPage.width, kPage.height}, 8, 16);
        pages.paintPage(page, graphics, kPage);
        return graphics;
    }

    // The texts drawn in the address panel's colour, in order.
    std::vector<std::string> addresses(const RecordingGraphics& graphics) const {
        std::vector<std::string> found;
        for (const auto& call : graphics.callsOfKind("text")) {
            // The header band's column numbers share the colour; they hold blanks.
            if (call.color == panel->state().colors.addressText && call.cellWidth > 0 &&
                call.text.find(' ') == std::string::npos) {
                found.push_back(call.text);
            }
        }
        return found;
    }
    std::string address(std::uint64_t line) const {
        const ViewState& state = panel->state();
        return addressText(line * 16, state.presentation.hexAddresses(), state.addressDigits());
    }
    // The hex panel's texts (its digits come in blank-separated pairs): one
    // per data line.
    int dataLines(const RecordingGraphics& graphics) const {
        const auto calls = graphics.callsOfKind("text");
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [this](const auto& c) {
            return c.color == panel->state().colors.hexText && c.cellWidth > 0 &&
                   c.text.find(' ') != std::string::npos;
        }));
    }

    PageSetup setup;
};

TEST_F(PagePainterTest, PagesHoldTheirLinesAndTheLastOneIsShort) {
    PagePainter pages = painter();
    EXPECT_EQ(pages.pageCount(), 3u);
    RecordingGraphics second = paint(pages, 2);
    std::vector<std::string> expected;
    for (std::uint64_t line = 8; line < 16; ++line) {
        expected.push_back(address(line));
    }
    EXPECT_EQ(addresses(second), expected);
    RecordingGraphics third = paint(pages, 3);
    EXPECT_EQ(addresses(third), (std::vector<std::string>{address(16), address(17), address(18)}));
    EXPECT_TRUE(paint(pages, 4).calls().empty());
    EXPECT_TRUE(paint(pages, 0).calls().empty());
}

TEST_F(PagePainterTest, HeaderAndFooterAreExpandedAlignedAndSeparated) {
    PagePainter pages = painter();
    RecordingGraphics graphics = paint(pages, 2);
    const auto texts = graphics.callsOfKind("text");
    const int boxWidth = std::min(pages.panelsWidth(), kPage.width);
    const auto header = std::find_if(texts.begin(), texts.end(),
                                     [](const auto& c) { return c.text == "/data/file.bin"; });
    ASSERT_NE(header, texts.end());
    EXPECT_EQ(header->bounds.x, 0);
    EXPECT_EQ(header->bounds.y, 2);
    const auto footer =
        std::find_if(texts.begin(), texts.end(), [](const auto& c) { return c.text == "Page 2"; });
    ASSERT_NE(footer, texts.end());
    EXPECT_EQ(footer->bounds.right(), boxWidth);
    EXPECT_EQ(footer->bounds.bottom(), kPage.height);
    const auto lines = graphics.callsOfKind("line");
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const auto& c) {
        return c.bounds.y == kPage.height - kBox - 1 && c.bounds.x == 0 &&
               c.bounds.width == boxWidth && c.bounds.height == 0;
    }));
    // Nothing of the panels reaches into the header or the footer box.
    for (const auto& call : graphics.calls()) {
        if (call.kind == "text" && call.cellWidth > 0) {
            EXPECT_GE(call.clip.y, kBox + 1) << call.text;
            EXPECT_LE(call.clip.bottom(), kPage.height - kBox - 1) << call.text;
        }
    }
}

TEST_F(PagePainterTest, TemplatesDecideWhatTheBoxesHold) {
    setup.header = "Data &C&F";
    setup.footer = "";
    setup.noFooterSeparator = false;
    PagePainter pages = painter();
    RecordingGraphics graphics = paint(pages, 1);
    const auto texts = graphics.callsOfKind("text");
    const std::string heading = "Data /data/file.bin";
    const auto header = std::find_if(texts.begin(), texts.end(),
                                     [&](const auto& c) { return c.text == heading; });
    ASSERT_NE(header, texts.end());
    const int boxWidth = std::min(pages.panelsWidth(), kPage.width);
    EXPECT_EQ(header->bounds.x, (boxWidth - static_cast<int>(heading.size()) * 8) / 2);
    // An empty footer with the separator on keeps the line and draws only it.
    EXPECT_FALSE(std::any_of(texts.begin(), texts.end(),
                             [](const auto& c) { return c.bounds.bottom() == kPage.height; }));
    const auto lines = graphics.callsOfKind("line");
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const auto& c) { return c.bounds.y == kPage.height - kBox - 1; }));

    // Neither header nor footer: the panels take the whole rectangle.
    setup.header = "";
    setup.noFooterSeparator = true;
    PagePainter bare = painter();
    RecordingGraphics plain = paint(bare, 1);
    EXPECT_FALSE(plain.callsOfKind("line").empty());  // the header band's frame only
    for (const auto& call : plain.callsOfKind("line")) {
        EXPECT_LT(call.bounds.y, panel->state().headerHeight);
    }
    EXPECT_EQ(addresses(plain).size(), static_cast<std::size_t>(kLines));
}

TEST_F(PagePainterTest, SelectionAndPageMarksDoNotPrintButLinemarksDo) {
    panel->selectRange(0, 200);
    panel->linemarks().toggle(9);
    ASSERT_TRUE(panel->state().shown.pageTips);
    PagePainter pages = painter();
    RecordingGraphics graphics = paint(pages, 2);
    EXPECT_TRUE(graphics.callsOfKind("invert").empty());
    for (const auto& image : graphics.callsOfKind("image")) {
        EXPECT_NE(image.imageId, viewimage::kPageMark);
    }
    EXPECT_EQ(graphics.callsOfKind("roundRect").size(), 1u);
    EXPECT_EQ(dataLines(graphics), kLines);
}

TEST_F(PagePainterTest, APageWhoseBytesCannotBeReadPrintsWithoutData) {
    PagePainter pages = painter(false);
    RecordingGraphics graphics = paint(pages, 1);
    EXPECT_EQ(dataLines(graphics), 0);
    EXPECT_EQ(addresses(graphics).size(), static_cast<std::size_t>(kLines));
    const auto texts = graphics.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Page 1"), texts.end());
}

TEST_F(PagePainterTest, ALaterEditDoesNotReachTheCopiedView) {
    PagePainter pages = painter();
    panel->changeLineWidth(16);  // 32 a line: the copy keeps 16
    EXPECT_EQ(pages.pageCount(), 3u);
    EXPECT_EQ(addresses(paint(pages, 2)).front(), address(8));
}

}  // namespace
