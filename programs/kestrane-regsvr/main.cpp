// kestrane-regsvr [/u] [/s] MODULE: registers (or with /u unregisters) an
// in-process server by loading it and calling its entry point. Exit status:
// 0 done, 1 bad arguments, 3 not loadable, 4 no entry point, 5 it failed.
// Without /s one line says how it went.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

enum Exit { kDone = 0, kBadArguments = 1, kNotLoadable = 3, kNoEntryPoint = 4, kFailed = 5 };

int finish(bool silent, int status, const std::string& line) {
    if (!silent) {
        std::fprintf(status == kDone ? stdout : stderr, "%s\n", line.c_str());
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    bool unregister = false;
    bool silent = false;
    std::string module;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "/u" || argument == "/U") {
            unregister = true;
        } else if (argument == "/s" || argument == "/S") {
            silent = true;
        } else if (module.empty() && !argument.empty()) {
            module = std::string(argument);  // an absolute path starts with '/' too
        } else {
            return finish(silent, kBadArguments,
                          "Usage: kestrane-regsvr [/u] [/s] MODULE");
        }
    }
    if (module.empty()) {
        return finish(silent, kBadArguments, "Usage: kestrane-regsvr [/u] [/s] MODULE");
    }
    // A module named without a folder is looked for as given, not on the
    // library path.
    const std::string path =
        module.find('/') == std::string::npos ? "./" + module : module;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return finish(silent, kNotLoadable,
                      "Cannot load " + module + ": " + (why != nullptr ? why : "unknown error"));
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    using EntryPoint = std::int32_t (*)();
    auto* function = reinterpret_cast<EntryPoint>(dlsym(handle, entry));
    if (function == nullptr) {
        dlclose(handle);
        return finish(silent, kNoEntryPoint, module + " has no entry point " + entry + ".");
    }
    const std::int32_t result = function();
    dlclose(handle);
    if (result != 0) {
        return finish(silent, kFailed, std::string(entry) + " in " + module + " failed.");
    }
    return finish(silent, kDone, std::string(entry) + " in " + module + " succeeded.");
}
