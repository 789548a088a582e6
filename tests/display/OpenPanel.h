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
        std::make_unique<CHexPanel>(&settings, CEditDataServices{&settings, nullptr, nullptr});
    panel->setNativeWindow(&window);
    panel->setFontMetrics(8, 16);
    writeFile(path, bytes);
    EXPECT_TRUE(panel->openFile(path, kGenericRead | kGenericWrite)) << path;
    return panel;
}

}  // namespace testsupport
