#include "platform/qt/QtClipboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using platform::QtClipboard;

TEST(QtClipboardTest, FormatNamesMapToOneMimeTypeEach) {
    EXPECT_EQ(QtClipboard::mimeTypeOf("Kestrane HEX-Data"), "application/x-kestrane-hex-data");
    EXPECT_EQ(QtClipboard::mimeTypeOf("Kestrane HEX-Block"), "application/x-kestrane-hex-block");
}

TEST(QtClipboardTest, WhatItHoldsFollowsEveryChangeOfTheDesktopClipboard) {
    QtClipboard clipboard;
    QGuiApplication::clipboard()->setText(QStringLiteral("plain"));
    EXPECT_TRUE(clipboard.hasText());
    EXPECT_FALSE(clipboard.hasFormat("Kestrane HEX-Data"));
    EXPECT_TRUE(clipboard.hasText());  // asked again: the same answer
    // Another program puts data: the next question sees it.
    auto* data = new QMimeData();
    data->setData(QStringLiteral("application/x-kestrane-hex-data"), QByteArray(12, '\0'));
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_TRUE(clipboard.hasFormat("Kestrane HEX-Data"));
    EXPECT_FALSE(clipboard.hasText());
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.hasAnyFormat());
}

TEST(QtClipboardTest, WhatIsWrittenShowsOnCloseWithTheExactBytes) {
    QtClipboard clipboard;
    ASSERT_TRUE(clipboard.open());
    clipboard.empty();
    clipboard.write("Kestrane HEX-Data", {0, 1, 0, 0xff});
    clipboard.writeText("AB");
    clipboard.close();
    const QMimeData* shown = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->data("application/x-kestrane-hex-data"), QByteArray("\x00\x01\x00\xff", 4));
    EXPECT_EQ(shown->text(), "AB");
    EXPECT_TRUE(clipboard.hasFormat("Kestrane HEX-Data"));
    EXPECT_FALSE(clipboard.hasFormat("Kestrane HEX-Block"));
    EXPECT_THAT(*clipboard.read("Kestrane HEX-Data"), testing::ElementsAre(0, 1, 0, 0xff));
    EXPECT_EQ(clipboard.readText(), "AB");
}

TEST(QtClipboardTest, TextBytesThatAreNotUtf8ShowOneCharacterEach) {
    QtClipboard clipboard;
    ASSERT_TRUE(clipboard.open());
    clipboard.empty();
    clipboard.writeText("\xe9t\xe9");  // Latin-1 bytes
    clipboard.close();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
}

}  // namespace

namespace {

// One process copies under a real X server, another reads the MIME data.
TEST(QtClipboardProcessTest, AnotherProcessReadsTheExactBytes) {
    if (std::system("command -v xvfb-run > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xvfb-run is not installed (./test.sh installs it)";
    }
    const std::string probe = CLIPBOARD_PROBE;
    const std::string command = "env -u QT_QPA_PLATFORM xvfb-run -a sh -c \"'" + probe +
                                "' put & sleep 2; '" + probe + "' get; wait\" 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    pclose(pipe);
    EXPECT_THAT(output, testing::HasSubstr("data:0001000000000000040000004142"
                                           "0043\n"));
    EXPECT_THAT(output, testing::HasSubstr("text:AB\n"));
}

}  // namespace
