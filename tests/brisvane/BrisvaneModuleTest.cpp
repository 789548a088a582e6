// The shell extension as a file manager drives it: loaded with dlopen from a
// folder of its own with a fake "Kestrane" beside it that writes down its
// arguments, and registered into a registry of the test's own.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "brisvane/ComTypes.h"
#include "platform/Registry.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace com;

constexpr const char* kClass = "{6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F16}";

std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[256];
    while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    if (pipe != nullptr) {
        output += "exit " + std::to_string(WEXITSTATUS(pclose(pipe)));
    }
    return output;
}

// A data object holding a CF_HDROP block; it knows when its medium came back.
class FakeDataObject : public IDataObject {
  public:
    explicit FakeDataObject(std::vector<char> block) : block_(std::move(block)) {}
    static FakeDataObject of(const std::vector<std::string>& paths) {
        std::vector<char> block(sizeof(DROPFILES));
        const DROPFILES header;
        std::memcpy(block.data(), &header, sizeof header);
        for (const std::string& path : paths) {
            block.insert(block.end(), path.begin(), path.end());
            block.push_back('\0');
        }
        block.push_back('\0');
        return FakeDataObject(std::move(block));
    }
    HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override {
        if (format->format != CF_HDROP || format->aspect != DVASPECT_CONTENT ||
            format->index != -1 || format->tymed != TYMED_HGLOBAL) {
            return E_INVALIDARG;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->memory = block_.data();
        medium->size = block_.size();
        medium->release = [](STGMEDIUM*) { ++released; };
        return S_OK;
    }
    static inline int released = 0;
    std::vector<char> block_;
};

class FakeMenu : public IMenuHost {
  public:
    bool InsertItemByPosition(UINT position, UINT id, const char* text) override {
        items.push_back({position, id, text});
        return true;
    }
    struct Item {
        UINT position;
        UINT id;
        std::string text;
    };
    std::vector<Item> items;
};

class BrisvaneModuleTest : public testing::Test {
  protected:
    testsupport::TempDir dir;
    void* handle = nullptr;
    DllGetClassObjectFunction getClassObject = nullptr;
    DllCanUnloadNowFunction canUnloadNow = nullptr;
    DllRegisterFunction registerServer = nullptr;
    DllRegisterFunction unregisterServer = nullptr;

    void SetUp() override {
        fs::copy_file(BRISVANE_MODULE, dir.file("Brisvane.so"));
        // The fake program: each argument and a NUL, in a file beside it.
        const std::string fake = dir.file("Kestrane");
        testsupport::writeFile(fake, "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"" + dir.file("args") +
                                         ".part\" && mv \"" + dir.file("args") + ".part\" \"" +
                                         dir.file("args") + "\"\n");
        ::chmod(fake.c_str(), 0755);
        setenv("KESTRANE_REGISTRY", dir.file("registry.sqlite").c_str(), 1);
        handle = dlopen(dir.file("Brisvane.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        getClassObject = reinterpret_cast<DllGetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
        canUnloadNow = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(handle, "DllCanUnloadNow"));
        registerServer = reinterpret_cast<DllRegisterFunction>(dlsym(handle, "DllRegisterServer"));
        unregisterServer = reinterpret_cast<DllRegisterFunction>(dlsym(handle, "DllUnregisterServer"));
        ASSERT_TRUE(getClassObject && canUnloadNow && registerServer && unregisterServer);
    }
    void TearDown() override {
        if (handle != nullptr) {
            dlclose(handle);
        }
        unsetenv("KESTRANE_REGISTRY");
    }

    // A new extension object through the factory, as its initialisation interface.
    IShellExtInit* newExtension() {
        void* object = nullptr;
        EXPECT_EQ(getClassObject(*GUID::parse(kClass), IID_IClassFactory, &object), S_OK);
        auto* factory = static_cast<IClassFactory*>(object);
        void* extension = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IShellExtInit, &extension), S_OK);
        factory->Release();
        return static_cast<IShellExtInit*>(extension);
    }
    // The arguments the fake program got, once it has run.
    std::vector<std::string> launchedWith() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(dir.file("args")) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        const std::string text = testsupport::readFile(dir.file("args"));
        std::vector<std::string> arguments;
        std::size_t at = 0;
        while (at < text.size()) {
            const std::size_t end = text.find('\0', at);
            arguments.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        fs::remove(dir.file("args"));
        return arguments;
    }
};

TEST_F(BrisvaneModuleTest, OnlyTheFourEntryPointsAreExported) {
    const std::string symbols = run("nm -D --defined-only '" + dir.file("Brisvane.so") +
                                    "' | awk '{print $3}' | sort");
    EXPECT_EQ(symbols, "DllCanUnloadNow\nDllGetClassObject\nDllRegisterServer\n"
                       "DllUnregisterServer\nexit 0");
}

TEST_F(BrisvaneModuleTest, OneFileGetsTheItemAndChoosingItStartsTheProgram) {
    IShellExtInit* init = newExtension();
    ASSERT_NE(init, nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    FakeDataObject::released = 0;
    FakeDataObject one = FakeDataObject::of({"/data/a file.bin"});
    EXPECT_EQ(init->Initialize(nullptr, &one, nullptr), S_OK);
    EXPECT_EQ(FakeDataObject::released, 1);
    void* object = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, &object), S_OK);
    auto* menu = static_cast<IContextMenu*>(object);

    for (const UINT flags : {0u, 1u, 2u, 4u, 6u, 8u, 0x10u}) {
        FakeMenu host;
        const HRESULT used = menu->QueryContextMenu(&host, 3, 100, 200, flags);
        const bool offered = flags == 0 || flags == 4 || flags == 6 || flags == 0x10;
        EXPECT_EQ(used, offered ? 1 : 0) << flags;
        ASSERT_EQ(host.items.size(), offered ? 1u : 0u) << flags;
        if (offered) {
            EXPECT_EQ(host.items[0].position, 3u);
            EXPECT_EQ(host.items[0].id, 100u);
            EXPECT_EQ(host.items[0].text, "Edit with Kestrane");
        }
    }
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(menu->GetCommandString(0, 0, nullptr, small, sizeof small), S_OK);
    EXPECT_STREQ(small, "Edit");  // cut to the buffer, NUL included

    CMINVOKECOMMANDINFO invoke;
    invoke.verb = 1;
    EXPECT_EQ(menu->InvokeCommand(&invoke), E_INVALIDARG);
    const char* verb = "open";
    invoke.verb = reinterpret_cast<std::uintptr_t>(verb);
    EXPECT_EQ(menu->InvokeCommand(&invoke), E_INVALIDARG);
    EXPECT_EQ(menu->InvokeCommand(nullptr), E_INVALIDARG);
    invoke.verb = 0;
    EXPECT_EQ(menu->InvokeCommand(&invoke), S_OK);
    EXPECT_EQ(launchedWith(), std::vector<std::string>{"/data/a file.bin"});

    menu->Release();
    init->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(BrisvaneModuleTest, AnyPathReachesTheProgramAsItsOneArgument) {
    const std::string longName = "/" + std::string(300, 'n');
    for (const std::string& path :
         {std::string("/with \"quotes\" and 'single'"), std::string("/$(touch pwned) `x` $HOME"),
          std::string("/new\nline"), longName}) {
        IShellExtInit* init = newExtension();
        FakeDataObject one = FakeDataObject::of({path});
        ASSERT_EQ(init->Initialize(nullptr, &one, nullptr), S_OK);
        void* object = nullptr;
        ASSERT_EQ(init->QueryInterface(IID_IContextMenu, &object), S_OK);
        auto* menu = static_cast<IContextMenu*>(object);
        CMINVOKECOMMANDINFO invoke;
        EXPECT_EQ(menu->InvokeCommand(&invoke), S_OK);
        EXPECT_EQ(launchedWith(), std::vector<std::string>{path});
        menu->Release();
        init->Release();
    }
    EXPECT_FALSE(fs::exists("pwned"));
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(BrisvaneModuleTest, WhatIsNotOneAbsoluteFileIsRefused) {
    IShellExtInit* init = newExtension();
    FakeDataObject two = FakeDataObject::of({"/a", "/b"});
    EXPECT_EQ(init->Initialize(nullptr, &two, nullptr), E_FAIL);
    FakeDataObject relative = FakeDataObject::of({"-style"});
    EXPECT_EQ(init->Initialize(nullptr, &relative, nullptr), E_FAIL);
    FakeDataObject none = FakeDataObject::of({});
    EXPECT_EQ(init->Initialize(nullptr, &none, nullptr), E_FAIL);
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_FAIL);
    auto cut = FakeDataObject::of({"/a"});
    cut.block_.pop_back();  // unterminated
    EXPECT_EQ(init->Initialize(nullptr, &cut, nullptr), E_FAIL);
    // Nothing chosen: choosing the command starts nothing.
    void* object = nullptr;
    ASSERT_EQ(init->QueryInterface(IID_IContextMenu, &object), S_OK);
    auto* menu = static_cast<IContextMenu*>(object);
    CMINVOKECOMMANDINFO invoke;
    EXPECT_NE(menu->InvokeCommand(&invoke), S_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fs::exists(dir.file("args")));

    void* unknown = reinterpret_cast<void*>(1);
    EXPECT_EQ(init->QueryInterface(IID_IClassFactory, &unknown), E_NOINTERFACE);
    EXPECT_EQ(unknown, nullptr);
    EXPECT_EQ(init->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    menu->Release();
    init->Release();

    void* factory = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(IID_IContextMenu, IID_IClassFactory, &factory),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(getClassObject(*GUID::parse(kClass), IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(getClassObject(*GUID::parse(kClass), IID_IContextMenu, &factory), E_NOINTERFACE);
    ASSERT_EQ(getClassObject(*GUID::parse(kClass), IID_IUnknown, &factory), S_OK);
    auto* classFactory = static_cast<IClassFactory*>(factory);
    void* aggregated = nullptr;
    FakeDataObject outer = FakeDataObject::of({});
    EXPECT_EQ(classFactory->CreateInstance(&outer, IID_IUnknown, &aggregated),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(classFactory->CreateInstance(nullptr, IID_IClassFactory, &aggregated),
              E_NOINTERFACE);
    classFactory->Release();
    // Failed requests left nothing alive.
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(BrisvaneModuleTest, RegistrationWritesTheKeysAndUnregistrationTakesThemAway) {
    using platform::RegistryRoot;
    const std::string approvedPath =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
    {
        // Without the approved list, registration still succeeds.
        EXPECT_EQ(registerServer(), 0);
        platform::Registry registry(dir.file("registry.sqlite"));
        const auto cls = registry.openKey(RegistryRoot::ClassesRoot, std::string("CLSID\\") + kClass);
        EXPECT_EQ(cls.queryString(""), "Brisvane");
        const auto server = cls.openSubkey("InProcServer32");
        EXPECT_EQ(server.queryString(""), fs::canonical(dir.file("Brisvane.so")).string());
        EXPECT_EQ(server.queryString("ThreadingModel"), "Apartment");
        EXPECT_EQ(registry.openKey(RegistryRoot::ClassesRoot,
                                   "*\\shellex\\ContextMenuHandlers\\Brisvane")
                      .queryString(""),
                  kClass);
        EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, approvedPath).exists());
        // Now the list exists: ours joins it, and leaves it again.
        ASSERT_TRUE(registry.createKey(RegistryRoot::LocalMachine, approvedPath).isValid());
    }
    EXPECT_EQ(registerServer(), 0);
    {
        platform::Registry registry(dir.file("registry.sqlite"));
        EXPECT_EQ(registry.openKey(RegistryRoot::LocalMachine, approvedPath).queryString(kClass),
                  "Brisvane");
    }
    EXPECT_EQ(unregisterServer(), 0);
    EXPECT_EQ(unregisterServer(), 0);  // nothing registered: still success
    platform::Registry registry(dir.file("registry.sqlite"));
    EXPECT_FALSE(
        registry.openKey(RegistryRoot::ClassesRoot, std::string("CLSID\\") + kClass).exists());
    EXPECT_FALSE(registry
                     .openKey(RegistryRoot::ClassesRoot,
                              "*\\shellex\\ContextMenuHandlers\\Brisvane")
                     .exists());
    EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, approvedPath)
                     .queryString(kClass)
                     .has_value());
}

TEST_F(BrisvaneModuleTest, TheRegistrationToolSaysHowItWent) {
    const std::string tool = std::string("KESTRANE_REGISTRY='") + dir.file("registry.sqlite") +
                             "' '" + KESTRANE_REGSVR + "' ";
    const std::string module = "'" + dir.file("Brisvane.so") + "'";
    EXPECT_EQ(run(tool + "/s " + module), "exit 0");
    EXPECT_NE(run(tool + module + " 2>&1").find("succeeded"), std::string::npos);
    EXPECT_EQ(run(tool + "/u /s " + module), "exit 0");
    EXPECT_EQ(run(tool + "/s 2>/dev/null"), "exit 1");
    EXPECT_EQ(run(tool + "/s " + module + " extra"), "exit 1");
    testsupport::writeFile(dir.file("not-a-module.so"), "text");
    EXPECT_EQ(run(tool + "/s '" + dir.file("not-a-module.so") + "'"), "exit 3");
    EXPECT_EQ(run(tool + "/s libm.so.6"), "exit 3");  // no folder: not searched for
    EXPECT_EQ(run(tool + "/s /lib/x86_64-linux-gnu/libm.so.6"), "exit 4");
    // A registry that cannot be written: the entry point fails.
    const std::string broken = std::string("KESTRANE_REGISTRY='") + dir.path() + "' '" +
                               KESTRANE_REGSVR + "' ";
    EXPECT_EQ(run(broken + "/s " + module), "exit 5");
    platform::Registry registry(dir.file("registry.sqlite"));
    EXPECT_FALSE(registry
                     .openKey(platform::RegistryRoot::ClassesRoot,
                              std::string("CLSID\\") + kClass)
                     .exists());
}

}  // namespace
