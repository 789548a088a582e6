#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "display/CHexPanel.h"
#include "settings/CSettings.h"
#include "tests/support/RecordingNativeWindow.h"
#include "tests/support/TempDir.h"

namespace testsupport {

// A view panel on a recording window (8 x 16 pixel characters) showing the
// file `path`, written with `bytes` first, opened for reading and writing.
inline std::unique_ptr<CHexPanel> openPanel(CSettings& settings, RecordingNativeWindow& window,
                                            const std::string& path, const std::string& bytes) {
    auto panel =
        std::make_unique<CHexPanel>(settings, CEditDataServices{settings, nullptr, nullptr});
    panel->setNativeWindow(&window);
    panel->setFontMetrics(8, 16);
    writeFile(path, bytes);
    EXPECT_TRUE(panel->openFile(path, kGenericRead | kGenericWrite)) << path;
    return panel;
}

// A registry and settings of the test's own and a recording window of
// 1200 x 600 pixels, for a panel the test opens with `open`.
class PanelFixture : public testing::Test {
  protected:
    TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    RecordingNativeWindow window{{1200, 600}};
    std::unique_ptr<CHexPanel> panel;

    void SetUp() override { settings.open(); }
    // A file of `bytes` shown `lineBytes` a line in units of `unit`.
    void openWith(const std::string& bytes, int lineBytes, int unit) {
        settings.write(settings::edit::LineBytes, lineBytes);
        settings.write(settings::edit::UnitBytes, unit);
        panel = openPanel(settings, window, dir.file("data.bin"), bytes);
    }
};

}  // namespace testsupport
