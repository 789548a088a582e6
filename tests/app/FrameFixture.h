#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "programs/kestrane/KestraneStrings.h"
#include "settings/CSettings.h"
#include "tests/support/ScriptedMessageService.h"
#include "tests/support/TempDir.h"

namespace testsupport {

// A shown main frame over a registry of the test's own, with Kestrane's
// strings and a scripted message service.
class FrameFixture : public testing::Test {
  protected:
    TempDir dir;
    platform::Registry registry{dir.file("registry.sqlite")};
    CSettings settings{registry};
    platform::StringTable strings = makeKestraneStringTable();
    ScriptedMessageService messages{strings};
    std::unique_ptr<CMainFrame> frame;

    void SetUp() override {
        settings.open();
        frame = std::make_unique<CMainFrame>(settings, strings, messages, nullptr);
        frame->resize(1000, 700);
        frame->show();
    }
    std::string makeFile(const std::string& name, const std::string& bytes) {
        const std::string path = dir.file(name);
        writeFile(path, bytes);
        return path;
    }
};

}  // namespace testsupport
