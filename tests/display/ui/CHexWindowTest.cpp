#include "display/ui/CHexWindow.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <QTest>

#include "display/ui/KeyCodes.h"
#include "display/ui/QtGraphics.h"
#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

class CHexWindowTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};

    void SetUp() override { settings.open(); }

    std::string makeFile(const std::string& bytes) {
        const std::string path = dir.file("data.bin");
        testsupport::writeFile(path, bytes);
        return path;
    }

    // The panel painted into an image of the window's client size.
    static QImage grab(CHexWindow& window) {
        const Dimension client = window.clientSize();
        QImage image(client.width, client.height, QImage::Format_RGB32);
        image.fill(Qt::white);
        window.renderer().render(window.panel(), image, image.rect());
        return image;
    }

    // Whether any pixel in `area` has exactly `color`.
    static bool hasColor(const QImage& image, const QRect& area, QColor color) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (image.pixelColor(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(CHexWindowTest, ASelectedByteIsShownInverted) {
    CHexWindow window(settings, {settings, nullptr, nullptr});
    window.resize(900, 400);
    ASSERT_TRUE(window.panel().openFile(makeFile(std::string(64, '\0')), kGenericRead));
    window.panel().setSelection(Selection::range(1, 2));
    const QImage image = grab(window);
    const CShowHexdata& hex = window.panel().hexPanel();
    const ContentPoint cell = hex.cellToPoint(hex.cells().byteToCell(1));
    const int x = hex.getBounds().x + static_cast<int>(cell.x);
    const int y = static_cast<int>(cell.y);
    const int w = window.renderer().charWidth();
    const int h = window.renderer().lineHeight();
    // White background XOR the selection colour 6208 (0x001840): R^0x40, G^0x18, B^0x00.
    const QColor inverted(0xFF ^ 0x40, 0xFF ^ 0x18, 0xFF);
    EXPECT_TRUE(hasColor(image, QRect(x, y, 2 * w, h), inverted));
    // The byte before it is not selected.
    const ContentPoint before = hex.cellToPoint(hex.cells().byteToCell(0));
    EXPECT_FALSE(hasColor(
        image,
        QRect(hex.getBounds().x + static_cast<int>(before.x), static_cast<int>(before.y), 2 * w, h),
        inverted));
}

TEST_F(CHexWindowTest, AModifiedByteIsDrawnInTheModifiedColour) {
    CHexWindow window(settings, {settings, nullptr, nullptr});
    window.resize(900, 400);
    ASSERT_TRUE(
        window.panel().openFile(makeFile(std::string(64, '\x11')), kGenericRead | kGenericWrite));
    std::uint8_t byte = 0x88;
    ASSERT_TRUE(window.panel().data().writeByte(byte, 5, true));
    window.panel().loadVisibleData();
    const QImage image = grab(window);
    const CShowHexdata& hex = window.panel().hexPanel();
    const int w = window.renderer().charWidth();
    const int h = window.renderer().lineHeight();
    const auto area = [&](std::uint64_t offset) {
        const ContentPoint p = hex.cellToPoint(hex.cells().byteToCell(offset));
        return QRect(hex.getBounds().x + static_cast<int>(p.x), static_cast<int>(p.y), 2 * w, h);
    };
    const QColor modified = toQColor(224);
    EXPECT_TRUE(hasColor(image, area(5), modified));
    EXPECT_FALSE(hasColor(image, area(4), modified));
}

TEST_F(CHexWindowTest, ScrollBarsFollowTheFileAndTheWheelMovesWholeLines) {
    CHexWindow window(settings, {settings, nullptr, nullptr});
    window.resize(900, 300);
    ASSERT_TRUE(window.panel().openFile(makeFile(std::string(24 * 1000, 'a')), kGenericRead));
    auto* vertical = window.findChildren<QScrollBar*>()[0];
    ASSERT_EQ(vertical->orientation(), Qt::Vertical);
    EXPECT_TRUE(vertical->maximum() > 900);
    vertical->setValue(100);
    EXPECT_EQ(window.panel().state().firstLine, 100);
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &wheel);
    EXPECT_EQ(window.panel().state().firstLine, 103);
    EXPECT_EQ(vertical->value(), 103);
    // Touchpad fractions of a notch add up to a line.
    for (int i = 0; i < 4; ++i) {
        QWheelEvent small(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -10), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window, &small);
    }
    EXPECT_EQ(window.panel().state().firstLine, 104);
}

TEST_F(CHexWindowTest, KeyClicksMoveTheCaretAndExtendASelection) {
    CHexWindow window(settings, {settings, nullptr, nullptr});
    window.resize(900, 300);
    ASSERT_TRUE(window.panel().openFile(makeFile(std::string(1000, 'k')), kGenericRead));
    window.show();
    window.setFocus();
    const int width = window.panel().state().presentation.lineWidth();
    QTest::keyClick(&window, Qt::Key_Down);
    EXPECT_EQ(window.panel().caretOffset(), static_cast<std::uint64_t>(width));
    QTest::keyClick(&window, Qt::Key_Right, Qt::ShiftModifier);  // anchors only
    QTest::keyClick(&window, Qt::Key_Right, Qt::ShiftModifier);
    const Selection& s = window.panel().state().selection;
    ASSERT_EQ(s.kind, Selection::Kind::Range);
    EXPECT_EQ(s.start, static_cast<std::uint64_t>(width));
    EXPECT_EQ(s.end, static_cast<std::uint64_t>(width + 1));
    QTest::keyClick(&window, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(window.panel().caretOffset(), 999u);  // the last byte
    EXPECT_EQ(window.panel().state().selection.kind, Selection::Kind::None);
}

TEST(KeyCodesTest, QtKeysBecomeVirtualKeyCodes) {
    EXPECT_EQ(virtualKeyOf(Qt::Key_Left), 0x25u);
    EXPECT_EQ(virtualKeyOf(Qt::Key_PageDown), 0x22u);
    EXPECT_EQ(virtualKeyOf(Qt::Key_A), static_cast<std::uint32_t>('A'));
    EXPECT_EQ(virtualKeyOf(Qt::Key_7), static_cast<std::uint32_t>('7'));
    EXPECT_EQ(virtualKeyOf(Qt::Key_F8), 0x77u);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Delete), 0x2Eu);
    EXPECT_EQ(virtualKeyOf(Qt::Key_Launch0), 0u);
}

}  // namespace
