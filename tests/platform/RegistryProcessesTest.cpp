#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "platform/Registry.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace {

using platform::Registry;
using platform::RegistryRoot;

pid_t startWriter(const std::string& file, const std::string& prefix, int count) {
    std::vector<std::string> args{REGISTRY_WRITER, file, prefix, std::to_string(count)};
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, REGISTRY_WRITER, nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    return pid;
}

int exitStatusOf(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

void expectAllWritten(Registry& registry, const std::string& prefix, int count) {
    auto key = registry.openKey(RegistryRoot::CurrentUser, "Software\\Race");
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + std::to_string(i);
        EXPECT_EQ(key.queryDword(name), static_cast<std::uint32_t>(i)) << name;
        EXPECT_TRUE(key.openSubkey(name).isValid()) << name;
    }
}

TEST(RegistryProcessesTest, TwoProcessesWritingAtOnceLoseNothing) {
    testsupport::TempDir dir;
    // Neither writer finds the file: they also race to create it.
    const std::string file = dir.file("new/registry.sqlite");
    constexpr int kCount = 300;
    const pid_t first = startWriter(file, "a", kCount);
    const pid_t second = startWriter(file, "b", kCount);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(exitStatusOf(first), 0);
    EXPECT_EQ(exitStatusOf(second), 0);

    Registry registry(file);
    expectAllWritten(registry, "a", kCount);
    expectAllWritten(registry, "b", kCount);
    EXPECT_EQ(registry.openKey(RegistryRoot::CurrentUser, "Software\\Race").values().size(),
              2u * kCount);
}

TEST(RegistryProcessesTest, AReaderInThisProcessSeesWritesOfAnotherProcess) {
    testsupport::TempDir dir;
    const std::string file = dir.file("registry.sqlite");
    Registry registry(file);
    registry.createKey(RegistryRoot::CurrentUser, "Software\\Race").setDword("early", 1);
    ASSERT_EQ(registry.openKey(RegistryRoot::CurrentUser, "Software\\Race").values().size(), 1u);

    ASSERT_EQ(exitStatusOf(startWriter(file, "late", 20)), 0);
    expectAllWritten(registry, "late", 20);
}

}  // namespace
