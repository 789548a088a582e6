// Writes COUNT values named PREFIX0 .. PREFIX<COUNT-1> into one key of the
// registry file FILE, each write its own transaction, as a busy program
// would. The multi-process registry test runs two of these at once.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Registry.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: registry_writer FILE PREFIX COUNT\n");
        return 2;
    }
    platform::Registry registry(argv[1]);
    const std::string prefix = argv[2];
    const int count = std::atoi(argv[3]);
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        // Each round opens the key anew and creates a key of its own, so
        // writers also race on key creation, not only on values.
        auto key = registry.createKey(platform::RegistryRoot::CurrentUser, "Software\\Race");
        auto own = key.createSubkey(prefix + std::to_string(i));
        if (!key.setDword(prefix + std::to_string(i), static_cast<std::uint32_t>(i)) ||
            !own.isValid()) {
            ++failed;
        }
    }
    if (failed != 0) {
        std::fprintf(stderr, "%d writes failed\n", failed);
    }
    return failed == 0 ? 0 : 1;
}
