// The user's paths through the real hex window: a click on each column, a
// presentation change then typing, the wheel then typing, and undo far into
// a large file. What is typed lands on the byte the caret is drawn on.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "display/ui/CHexWindow.h"
#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

class CHexWindowPathsTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    std::unique_ptr<CHexWindow> window;

    void SetUp() override { settings.open(); }

    void open(const std::string& path, std::uint32_t access = kGenericRead | kGenericWrite) {
        window =
            std::make_unique<CHexWindow>(settings, CEditDataServices{settings, nullptr, nullptr});
        window->resize(1300, 500);
        ASSERT_TRUE(window->panel().openFile(path, access));
        window->show();
        window->setFocus();
    }
    std::string file(const std::string& bytes) {
        const std::string path = dir.file("data.bin");
        testsupport::writeFile(path, bytes);
        return path;
    }
    CHexPanel& panel() { return window->panel(); }
    std::uint8_t byteAt(std::uint64_t offset) {
        std::uint8_t byte = 0;
        EXPECT_TRUE(panel().data().readByte(byte, offset));
        return byte;
    }
    // The middle of the cell of `offset`'s digit, in window pixels.
    QPoint digitCentre(std::uint64_t offset, int nibble = 0) {
        CShowHexdata& hex = panel().hexPanel();
        const ContentPoint at =
            hex.cellToPoint(hex.cells().byteToCell(offset) + static_cast<std::uint64_t>(nibble));
        return {hex.getBounds().x - panel().state().scrollX + static_cast<int>(at.x) +
                    window->renderer().charWidth() / 2,
                static_cast<int>(at.y) + window->renderer().lineHeight() / 2};
    }
    void type(const char* keys) { QTest::keyClicks(window.get(), QString::fromLatin1(keys)); }
};

TEST_F(CHexWindowPathsTest, AClickOnEachColumnPutsTheCaretOnThatColumnsByte) {
    open(file(std::string(24 * 4, '\x11')));
    for (std::uint64_t column = 0; column < 24; ++column) {
        QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier,
                          digitCentre(24 + column, 1));
        EXPECT_EQ(panel().caretOffset(), 24 + column) << "column " << column;
    }
    type("7");
    EXPECT_EQ(byteAt(24 + 23), 0x71);  // a press takes the unit's first digit
}

TEST_F(CHexWindowPathsTest, IncreaseIndentThenTypeChangesTheByteTheCaretShows) {
    open(file(std::string(200, '\0')));
    QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, digitCentre(99));
    ASSERT_EQ(panel().caretOffset(), 99u);
    panel().increaseIndent();
    type("a");
    EXPECT_EQ(byteAt(99), 0xA0);
    EXPECT_EQ(byteAt(100), 0);
    panel().changeUnit(4);  // the caret to its unit's first byte, 96
    type("b");
    EXPECT_EQ(byteAt(96), 0xB0);
}

TEST_F(CHexWindowPathsTest, WheelThenTypeChangesTheCaretsByteWhereverTheViewIs) {
    open(file(std::string(24 * 400, '\0')));
    QTest::mouseClick(window.get(), Qt::LeftButton, Qt::NoModifier, digitCentre(24 * 3 + 5));
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120 * 4), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.get(), &wheel);
    ASSERT_GT(panel().state().firstLine, 3);
    type("c");
    EXPECT_EQ(byteAt(24 * 3 + 5), 0xC0);
    // Back to where it is shown: a click there types there.
    QTest::mouseClick(
        window.get(), Qt::LeftButton, Qt::NoModifier,
        digitCentre(24 * (static_cast<std::uint64_t>(panel().state().firstLine) + 2)));
    type("d");
    EXPECT_EQ(byteAt(24 * (static_cast<std::uint64_t>(panel().state().firstLine) + 2)), 0xD0);
}

TEST_F(CHexWindowPathsTest, UndoFarIntoASparseFileBringsTheCaretBack) {
    settings.write(settings::general::MaxFileSize, 4194304);
    const std::string path = dir.file("sparse.bin");
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 0x60000100), 0);
    ::close(fd);
    open(path);
    ASSERT_EQ(panel().data().storageMode(), StorageMode::InPlace);
    panel().gotoOffset(0x60000000);
    type("e");
    QTest::keyClick(window.get(), Qt::Key_Home, Qt::ControlModifier);
    ASSERT_EQ(panel().caretOffset(), 0u);
    ASSERT_TRUE(panel().data().undo(0));
    EXPECT_EQ(panel().caretOffset(), 0x60000000u);
    EXPECT_EQ(byteAt(0x60000000), 0);
    type("f");
    EXPECT_EQ(byteAt(0x60000000), 0xF0);
}

}  // namespace
