// The class factory and the extension object.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "brisvane/Brisvane.h"
#include "brisvane/Trace.h"

extern char** environ;

// ------------------------------------------------------------ factory

CBrisvaneClassFactory::CBrisvaneClassFactory() {
    ++brisvaneModule().liveObjects;
}

CBrisvaneClassFactory::~CBrisvaneClassFactory() {
    --brisvaneModule().liveObjects;
}

com::HRESULT CBrisvaneClassFactory::QueryInterface(const com::IID& iid, void** object) {
    brisvaneTrace("CBrisvaneClassFactory::QueryInterface()");
    if (object == nullptr) {
        return com::E_POINTER;
    }
    if (iid == com::IID_IUnknown || iid == com::IID_IClassFactory) {
        *object = static_cast<com::IClassFactory*>(this);
        AddRef();
        return com::S_OK;
    }
    *object = nullptr;
    return com::E_NOINTERFACE;
}

com::ULONG CBrisvaneClassFactory::AddRef() {
    return ++references_;
}

com::ULONG CBrisvaneClassFactory::Release() {
    const com::ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

com::HRESULT CBrisvaneClassFactory::CreateInstance(com::IUnknown* outer, const com::IID& iid,
                                                   void** object) {
    brisvaneTrace("CBrisvaneClassFactory::CreateInstance()");
    if (object == nullptr) {
        return com::E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return com::CLASS_E_NOAGGREGATION;
    }
    auto* extension = new (std::nothrow) CBrisvane;
    if (extension == nullptr) {
        return com::E_OUTOFMEMORY;
    }
    const com::HRESULT result = extension->QueryInterface(iid, object);
    if (result != com::S_OK) {
        delete extension;  // nobody holds it
    }
    return result;
}

com::HRESULT CBrisvaneClassFactory::LockServer(int) {
    return com::S_OK;
}

// ------------------------------------------------------------ extension

CBrisvane::CBrisvane() {
    ++brisvaneModule().liveObjects;
}

CBrisvane::~CBrisvane() {
    --brisvaneModule().liveObjects;
}

com::HRESULT CBrisvane::QueryInterface(const com::IID& iid, void** object) {
    if (object == nullptr) {
        return com::E_POINTER;
    }
    if (iid == com::IID_IUnknown || iid == com::IID_IShellExtInit) {
        brisvaneTrace(iid == com::IID_IUnknown ? "CBrisvane::QueryInterface()==>IID_IUnknown"
                                               : "CBrisvane::QueryInterface()==>IID_IShellExtInit");
        *object = static_cast<com::IShellExtInit*>(this);
    } else if (iid == com::IID_IContextMenu) {
        brisvaneTrace("CBrisvane::QueryInterface()==>IID_IContextMenu");
        *object = static_cast<com::IContextMenu*>(this);
    } else {
        brisvaneTrace("CBrisvane::QueryInterface()==>Unknown Interface!");
        *object = nullptr;
        return com::E_NOINTERFACE;
    }
    AddRef();
    return com::S_OK;
}

com::ULONG CBrisvane::AddRef() {
    return ++references_;
}

com::ULONG CBrisvane::Release() {
    const com::ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

com::HRESULT CBrisvane::Initialize(const void*, com::IDataObject* data, void*) {
    brisvaneTrace("CBrisvane::Initialize()");
    file_.clear();
    if (data == nullptr) {
        return com::E_FAIL;
    }
    const com::FORMATETC format{com::CF_HDROP, nullptr, com::DVASPECT_CONTENT, -1,
                                com::TYMED_HGLOBAL};
    com::STGMEDIUM medium;
    if (data->GetData(&format, &medium) != com::S_OK) {
        return com::E_FAIL;
    }
    const auto paths = com::dropListPaths(medium.memory, medium.size);
    com::ReleaseStgMedium(&medium);
    // Exactly one file, by its absolute path (a relative one could pass for
    // an option of the program).
    if (!paths || paths->size() != 1 || paths->front().front() != '/') {
        return com::E_FAIL;
    }
    file_ = paths->front();
    return com::S_OK;
}

com::HRESULT CBrisvane::QueryContextMenu(com::HMENU menu, com::UINT index,
                                         com::UINT firstCommand, com::UINT,
                                         com::UINT flags) {
    brisvaneTrace("CBrisvane::QueryContextMenu()");
    const bool normal = (flags & 0x000F) == com::CMF_NORMAL;
    const bool explore = (flags & com::CMF_EXPLORE) != 0;
    if (!normal && !explore) {
        return 0;
    }
    brisvaneTrace(normal ? "CMF_NORMAL..." : "CMF_EXPLORE...");
    if (menu != nullptr) {
        menu->InsertItemByPosition(index, firstCommand, kMenuText);
    }
    return 1;  // one command id used
}

com::HRESULT CBrisvane::InvokeCommand(const com::CMINVOKECOMMANDINFO* info) {
    brisvaneTrace("CBrisvane::InvokeCommand()");
    if (info == nullptr) {
        return com::E_INVALIDARG;
    }
    if ((info->verb >> 16) != 0 || info->verb != 0) {
        return com::E_INVALIDARG;
    }
    if (file_.empty()) {
        return com::E_FAIL;  // no file was chosen
    }
    launchDetached(brisvaneModule().program, file_);
    return com::S_OK;  // whatever the launch gave
}

com::HRESULT CBrisvane::GetCommandString(std::uintptr_t, com::UINT type, com::UINT*,
                                         char* buffer, com::UINT size) {
    brisvaneTrace("CBrisvane::GetCommandString()");
    if (type == 0 && buffer != nullptr && size > 0) {
        const std::size_t length = std::min<std::size_t>(std::strlen(kMenuText), size - 1);
        std::memcpy(buffer, kMenuText, length);
        buffer[length] = '\0';
    }
    return com::S_OK;
}

// ------------------------------------------------------------ launching

bool launchDetached(const std::string& program, const std::string& file) {
    // setsid --fork starts the program in a session of its own and ends at
    // once: the program outlives it, and the host reaps the intermediate here.
    std::vector<char*> arguments{const_cast<char*>("setsid"), const_cast<char*>("--fork"),
                                 const_cast<char*>(program.c_str()),
                                 const_cast<char*>(file.c_str()), nullptr};
    pid_t intermediate = 0;
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    const int failed = posix_spawn(&intermediate, "/usr/bin/setsid", nullptr, &attributes,
                                   arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        return false;
    }
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
