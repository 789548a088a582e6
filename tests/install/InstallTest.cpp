// The suite installed into a temporary prefix: where everything goes, the
// desktop entries as the desktop's validator sees them, and the installed
// registration tool registering the installed module.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/Registry.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    return output + "exit " + std::to_string(pipe != nullptr ? WEXITSTATUS(pclose(pipe)) : -1);
}

TEST(InstallTest, TheSuiteInstallsIntoAPrefixAndItsToolRegistersItsModule) {
    testsupport::TempDir dir;
    const std::string prefix = dir.file("prefix with space");
    const std::string installed = run(std::string("'") + KESTRANE_CMAKE + "' --install '" +
                                      KESTRANE_BUILD_DIR + "' --prefix '" + prefix +
                                      "' >/dev/null 2>&1");
    ASSERT_EQ(installed, "exit 0");
    const std::string lib = prefix + "/lib/kestrane/";
    for (const char* file : {"Kestrane", "Pellwick", "Tamsorel", "kestrane-regsvr", "Brisvane.so"}) {
        EXPECT_TRUE(fs::is_regular_file(lib + file)) << file;
    }
    EXPECT_TRUE(fs::exists(lib + "Kestrane.help/contents.txt"));
    EXPECT_TRUE(fs::exists(lib + "Kestrane.help/Tps_pg_general.htm"));
    for (const char* program : {"Kestrane", "Pellwick", "Tamsorel"}) {
        const fs::path link = prefix + "/bin/" + program;
        EXPECT_TRUE(fs::is_symlink(link)) << program;
        EXPECT_EQ(fs::canonical(link), fs::canonical(lib + program));
    }
    for (const char* size : {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128",
                             "256x256"}) {
        for (const char* icon : {"kestrane", "pellwick", "tamsorel"}) {
            EXPECT_TRUE(fs::exists(prefix + "/share/icons/hicolor/" + size + "/apps/" + icon +
                                   ".png"))
                << size << " " << icon;
        }
    }
    EXPECT_TRUE(fs::exists(prefix + "/share/icons/hicolor/scalable/apps/kestrane.svg"));

    const std::string applications = prefix + "/share/applications/";
    EXPECT_EQ(run("desktop-file-validate '" + applications + "kestrane.desktop' '" +
                  applications + "pellwick.desktop' '" + applications +
                  "tamsorel.desktop' 2>&1"),
              "exit 0");
    const std::string entry = [&] {
        FILE* file = std::fopen((applications + "kestrane.desktop").c_str(), "r");
        std::string text(4096, '\0');
        text.resize(file != nullptr ? std::fread(text.data(), 1, text.size(), file) : 0);
        if (file != nullptr) {
            std::fclose(file);
        }
        return text;
    }();
    EXPECT_NE(entry.find("Exec=\"" + prefix + "/bin/Kestrane\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("MimeType=application/octet-stream;\n"), std::string::npos);

    // The installed tool registers the installed module, by its installed path.
    const std::string environment = "KESTRANE_REGISTRY='" + dir.file("registry.sqlite") +
                                    "' XDG_DATA_HOME='" + dir.file("data") +
                                    "' XDG_CONFIG_HOME='" + dir.file("config") +
                                    "' XDG_CONFIG_DIRS='" + dir.file("etc") + "' ";
    EXPECT_EQ(run(environment + "'" + lib + "kestrane-regsvr' /s '" + lib + "Brisvane.so'"),
              "exit 0");
    platform::Registry registry(dir.file("registry.sqlite"));
    EXPECT_EQ(registry
                  .openKey(platform::RegistryRoot::ClassesRoot,
                           "CLSID\\{6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F16}\\InProcServer32")
                  .queryString(""),
              fs::canonical(lib + "Brisvane.so").string());
    EXPECT_TRUE(fs::exists(dir.file("data/kio/servicemenus/kestrane-brisvane.desktop")));
}

}  // namespace
