#include "app/CKestraneApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "app/CMainFrame.h"
#include "programs/kestrane/KestraneStrings.h"
#include "settings/CSettings.h"
#include "tests/support/TempDir.h"

namespace {

// Start-up against a registry of the test's own.
class KestraneAppTest : public testing::Test {
  protected:
    testsupport::TempDir dir;

    void SetUp() override {
        setenv("KESTRANE_REGISTRY", dir.file("registry.sqlite").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
        set(settings::frame::ShowTips, 0);  // the tip would wait for a click
    }
    void TearDown() override {
        unsetenv("KESTRANE_REGISTRY");
        unsetenv("XDG_RUNTIME_DIR");
    }
    void set(const settings::IntSetting& setting, int value) {
        platform::Registry registry(dir.file("registry.sqlite"));
        CSettings store(registry);
        store.open();
        store.write(setting, value);
    }
};

TEST_F(KestraneAppTest, TheCommandLineFileOpensOnceTheFrameIsUp) {
    const std::string file = dir.file("given.bin");
    testsupport::writeFile(file, "bytes");
    CKestraneApp app(makeKestraneStringTable());
    ASSERT_TRUE(app.start({"\"" + file + "\""}));  // quoted as the shell extension passes it
    EXPECT_TRUE(app.frame()->children().empty());  // not before the posted rest of start-up
    QApplication::processEvents();
    ASSERT_EQ(app.frame()->children().size(), 1u);
    EXPECT_EQ(app.frame()->children()[0]->document().path(), file);
}

TEST_F(KestraneAppTest, WithoutAFileNothingOpensUnlessNewdocStartupIsSet) {
    {
        CKestraneApp app(makeKestraneStringTable());
        ASSERT_TRUE(app.start({}));
        QApplication::processEvents();
        EXPECT_TRUE(app.frame()->children().empty());
    }
    set(settings::edit::NewdocStartup, 1);
    set(settings::edit::NewdocDirCreate, 1);
    CKestraneApp app(makeKestraneStringTable());
    ASSERT_TRUE(app.start({}));
    QApplication::processEvents();
    ASSERT_EQ(app.frame()->children().size(), 1u);
    EXPECT_EQ(app.frame()->children()[0]->panel().data().getDataSize(), 65536u);
}

TEST_F(KestraneAppTest, ASecondInstanceEndsAtOnceWhenOnlyOneIsAllowed) {
    CKestraneApp first(makeKestraneStringTable());
    ASSERT_TRUE(first.start({}));
    {
        CKestraneApp second(makeKestraneStringTable());
        EXPECT_TRUE(second.start({}));  // "Mutiple Instances" is 1 by default
    }
    set(settings::general::MutipleInstances, 0);
    CKestraneApp third(makeKestraneStringTable());
    EXPECT_FALSE(third.start({}));
    EXPECT_EQ(third.frame(), nullptr);
}

TEST(KestraneAppArgumentsTest, OnePathQuotedOrNot) {
    EXPECT_EQ(CKestraneApp::fileArgument({}), "");
    EXPECT_EQ(CKestraneApp::fileArgument({"/a b/c.bin"}), "/a b/c.bin");
    EXPECT_EQ(CKestraneApp::fileArgument({"\"/a b/c.bin\""}), "/a b/c.bin");
}

TEST_F(KestraneAppTest, StartUpClearsTheWorkFilesOfEndedPrograms) {
    const std::string temp = dir.file("temp");
    std::filesystem::create_directory(temp);
    {
        platform::Registry registry(dir.file("registry.sqlite"));
        CSettings store(registry);
        store.open();
        store.write(settings::general::TempFilePath, temp);
    }
    testsupport::writeFile(temp + "/~HEXDATA5E1.tmp", "left by a killed save");
    testsupport::writeFile(temp + "/notes.txt", "someone else's");
    CKestraneApp app(makeKestraneStringTable());
    ASSERT_TRUE(app.start({}));
    EXPECT_FALSE(std::filesystem::exists(temp + "/~HEXDATA5E1.tmp"));
    EXPECT_TRUE(std::filesystem::exists(temp + "/notes.txt"));
}

}  // namespace
