// What is drawn and what is hit agree: every digit of a line is drawn inside
// the cell that hit-testing and the caret use, at every size of the display
// font, and pressing on a drawn digit puts the caret on that digit's byte.
#include <gtest/gtest.h>

#include <QImage>

#include "display/CHexPanel.h"
#include "display/ui/HexViewRenderer.h"
#include "display/ui/OffscreenWindow.h"
#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

class CellDrawingTest : public testing::TestWithParam<int> {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};

    void SetUp() override { settings.open(); }
};

// The leftmost and rightmost dark columns of `image` in [left, right) over
// the rows [top, bottom), or {-1, -1} when there is no ink.
std::pair<int, int> inkSpan(const QImage& image, int left, int right, int top, int bottom) {
    int first = -1;
    int last = -1;
    for (int x = std::max(left, 0); x < std::min(right, image.width()); ++x) {
        for (int y = top; y < bottom; ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0) {
                    first = x;
                }
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST_P(CellDrawingTest, EachDigitIsDrawnInItsCellAndAPressOnItTakesItsByte) {
    const int dpi = GetParam();
    settings.write(settings::edit::LineBytes, 24);
    settings.write(settings::edit::UnitBytes, 4);
    const HexViewRenderer renderer("Courier New", dpi);
    OffscreenWindow window({1800, 300});
    CHexPanel panel(settings, {settings, nullptr, nullptr});
    panel.setNativeWindow(&window);
    renderer.applyMetrics(panel);
    const std::string path = dir.file("data.bin");
    std::string bytes;
    for (int i = 0; i < 48; ++i) {
        bytes.push_back(static_cast<char>(0x88));  // every digit an 8: ink in every cell
    }
    testsupport::writeFile(path, bytes);
    ASSERT_TRUE(panel.openFile(path, kGenericRead));
    QImage image(1800, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    renderer.render(panel, image, image.rect());

    const CShowHexdata& hex = panel.hexPanel();
    const CellGeometry cells = hex.cells();
    const int cw = renderer.charWidth();
    const int lineHeight = renderer.lineHeight();
    const int top = static_cast<int>(hex.cellToPoint(0).y);
    for (int cell = 0; cell < cells.cellsPerLine(); ++cell) {
        const int x = hex.getBounds().x + static_cast<int>(hex.cellToPoint(cell).x);
        const auto [first, last] = inkSpan(image, x, x + cw, top, top + lineHeight);
        const bool separator = cell % cells.cellsPerUnit() == cells.cellsPerUnit() - 1;
        if (separator) {
            EXPECT_EQ(first, -1) << "ink in the blank cell " << cell << " at " << dpi << " dpi";
            continue;
        }
        ASSERT_NE(first, -1) << "no digit in cell " << cell << " at " << dpi << " dpi";
        // Nothing of this digit crosses into the cells beside it.
        EXPECT_EQ(inkSpan(image, x - 1, x, top, top + lineHeight).first, -1) << cell;
        // Pressing in the middle of the drawn digit puts the caret on its byte.
        const int middle = (first + last) / 2;
        panel.handleMouse({NativeMouseMessage::Kind::LeftDown, middle, top + lineHeight / 2,
                           modifier::LeftButton, true});
        panel.handleMouse(
            {NativeMouseMessage::Kind::LeftUp, middle, top + lineHeight / 2, 0, true});
        const std::uint64_t byte = cells.cellToByte(static_cast<std::uint64_t>(cell));
        // A press lands on the first byte of its unit.
        EXPECT_EQ(panel.caretOffset(), byte / 4 * 4) << "cell " << cell << " at " << dpi << " dpi";
    }
    // Nothing is drawn after the last cell of the line.
    const int end =
        hex.getBounds().x + static_cast<int>(hex.cellToPoint(cells.cellsPerLine() - 1).x) + cw;
    EXPECT_EQ(inkSpan(image, end, hex.getBounds().right(), top, top + lineHeight).first, -1);
}

INSTANTIATE_TEST_SUITE_P(FontSizes, CellDrawingTest, testing::Values(96, 120, 144));

}  // namespace
