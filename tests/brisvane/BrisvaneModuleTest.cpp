// The shell extension as a file manager drives it: loaded with dlopen from a
// folder of its own with a fake "Kestrane" beside it that writes down its
// arguments, and registered into a registry of the test's own.
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
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
        // The file managers' per-user folders, and the system's, are the test's.
        setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", dir.file("etc").c_str(), 1);
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
        for (const char* name :
             {"KESTRANE_REGISTRY", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
            unsetenv(name);
        }
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
    // The intermediate was reaped and the program is not our child: nothing to wait for.
    int status = 0;
    EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

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

const char* const kForeignActions =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n<action>\n"
    "\t<icon>utilities-terminal</icon>\n\t<name>Open Terminal Here</name>\n"
    "\t<unique-id>1-1</unique-id>\n\t<command>exo-open --working-directory %f</command>\n"
    "\t<patterns>*</patterns>\n\t<directories/>\n</action>\n"
    "<action>\n\t<name>Tar &amp; feather</name>\n\t<unique-id>2-2</unique-id>\n"
    "\t<command>tar czf %n.tgz %N</command>\n\t<patterns>*</patterns>\n</action>\n"
    "</actions>\n";

TEST_F(BrisvaneModuleTest, TheFileManagersGetTheirFormsAndLoseThemAgain) {
    fs::create_directories(dir.file("config/Thunar"));
    testsupport::writeFile(dir.file("config/Thunar/uca.xml"), kForeignActions);
    ASSERT_EQ(registerServer(), 0);
    const std::string program = fs::canonical(dir.file("Brisvane.so")).parent_path() / "Kestrane";
    const std::string dolphin = dir.file("data/kio/servicemenus/kestrane-brisvane.desktop");
    const std::string service = testsupport::readFile(dolphin);
    for (const char* line : {"Type=Service\n", "MimeType=application/octet-stream;\n",
                             "X-KDE-MaxNumberOfUrls=1\n", "Name=Edit with Kestrane\n"}) {
        EXPECT_NE(service.find(line), std::string::npos) << line;
    }
    EXPECT_NE(service.find("Exec=\"" + program + "\" %f\n"), std::string::npos) << service;
    EXPECT_EQ(fs::status(dolphin).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
    const std::string thunar = testsupport::readFile(dir.file("config/Thunar/uca.xml"));
    EXPECT_NE(thunar.find("<unique-id>kestrane-brisvane</unique-id>"), std::string::npos);
    EXPECT_NE(thunar.find("<command>'" + program + "' %f</command>"), std::string::npos);
    EXPECT_EQ(thunar.find("<directories/>", thunar.find("kestrane-brisvane")), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.file("data/nautilus-python/extensions/kestrane-brisvane.py")));

    ASSERT_EQ(unregisterServer(), 0);
    EXPECT_EQ(testsupport::readFile(dir.file("config/Thunar/uca.xml")), kForeignActions);
    EXPECT_FALSE(fs::exists(dolphin));
    EXPECT_FALSE(fs::exists(dir.file("data/nautilus-python/extensions/kestrane-brisvane.py")));
}

TEST_F(BrisvaneModuleTest, ThunarStartsFromTheSystemsActionsOrIsLeftAlone) {
    // No actions of the user's: the system's are the start.
    fs::create_directories(dir.file("etc/Thunar"));
    testsupport::writeFile(dir.file("etc/Thunar/uca.xml"), kForeignActions);
    ASSERT_EQ(registerServer(), 0);
    const std::string user = testsupport::readFile(dir.file("config/Thunar/uca.xml"));
    EXPECT_NE(user.find("Open Terminal Here"), std::string::npos);
    EXPECT_NE(user.find("kestrane-brisvane"), std::string::npos);
    ASSERT_EQ(unregisterServer(), 0);
    EXPECT_EQ(testsupport::readFile(dir.file("config/Thunar/uca.xml")), kForeignActions);

    // Neither: no list is made up.
    fs::remove_all(dir.file("etc"));
    fs::remove_all(dir.file("config"));
    ASSERT_EQ(registerServer(), 0);
    EXPECT_FALSE(fs::exists(dir.file("config/Thunar/uca.xml")));
    ASSERT_EQ(unregisterServer(), 0);

    // A file that is no list of actions stays as it is, and registration says it failed.
    fs::create_directories(dir.file("config/Thunar"));
    testsupport::writeFile(dir.file("config/Thunar/uca.xml"), "<not-actions/>");
    EXPECT_EQ(registerServer(), 1);
    EXPECT_EQ(testsupport::readFile(dir.file("config/Thunar/uca.xml")), "<not-actions/>");
}

TEST_F(BrisvaneModuleTest, TheNautilusExtensionOffersTheItemForOneFileOnly) {
    ASSERT_EQ(registerServer(), 0);
    // A stand-in for the gi bindings: just what the extension uses.
    fs::create_directories(dir.file("stub/gi/repository"));
    testsupport::writeFile(dir.file("stub/gi/__init__.py"), "");
    testsupport::writeFile(
        dir.file("stub/gi/repository/__init__.py"),
        "class GObject:\n    class GObject:\n        pass\n"
        "class Nautilus:\n    class MenuProvider:\n        pass\n"
        "    class MenuItem:\n"
        "        def __init__(self, name, label):\n            self.label = label\n"
        "        def connect(self, signal, handler, *data):\n"
        "            self.activate = lambda: handler(self, *data)\n");
    testsupport::writeFile(
        dir.file("drive.py"),
        "import importlib.util, sys\n"
        "spec = importlib.util.spec_from_file_location('ext', sys.argv[1])\n"
        "ext = importlib.util.module_from_spec(spec); spec.loader.exec_module(ext)\n"
        "class File:\n"
        "    def __init__(self, path, folder=False, scheme='file'):\n"
        "        self.path, self.folder, self.scheme = path, folder, scheme\n"
        "    def get_uri_scheme(self): return self.scheme\n"
        "    def is_directory(self): return self.folder\n"
        "    def get_location(self): return self\n"
        "    def get_path(self): return self.path\n"
        "menu = ext.KestraneBrisvane()\n"
        "one = menu.get_file_items(None, [File('/data/one $(x).bin')])\n"
        "print(len(one), one[0].label)\n"
        "print(len(menu.get_file_items([File('/a'), File('/b')])))\n"
        "print(len(menu.get_file_items([File('/d', folder=True)])))\n"
        "print(len(menu.get_file_items([File('/s', scheme='sftp')])))\n"
        "one[0].activate()\n");
    const std::string output =
        run("PYTHONPATH='" + dir.file("stub") + "' python3 '" + dir.file("drive.py") + "' '" +
            dir.file("data/nautilus-python/extensions/kestrane-brisvane.py") + "' 2>&1");
    EXPECT_EQ(output, "1 Edit with Kestrane\n0\n0\n0\nexit 0");
    EXPECT_EQ(launchedWith(), std::vector<std::string>{"/data/one $(x).bin"});
}

TEST_F(BrisvaneModuleTest, TheRegistrationToolSaysHowItWent) {
    const std::string tool = std::string("KESTRANE_REGISTRY='") + dir.file("registry.sqlite") +
                             "' '" + KESTRANE_REGSVR + "' ";
    const std::string module = "'" + dir.file("Brisvane.so") + "'";
    EXPECT_EQ(run(tool + "/s " + module), "exit 0");
    EXPECT_NE(run(tool + module + " 2>&1").find("succeeded"), std::string::npos);
    EXPECT_EQ(run(tool + "/u /s " + module), "exit 0");
    // Asked for, the module's trace lines come on standard error.
    EXPECT_NE(run("BRISVANE_TRACE=1 " + tool + "/s " + module + " 2>&1").find("In DllRegisterServer\n"),
              std::string::npos);
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
