// The module: its state from loading on, and the four entry points.
#include "brisvane/Brisvane.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <new>

#include "brisvane/Trace.h"

#define BRISVANE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

BrisvaneModule module;

// At load, once `module` exists (it is defined above in this file): the
// module's own file by its address, the program beside it.
struct ModuleLoader {
    ModuleLoader() {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&brisvaneModule), &info) == 0 ||
            info.dli_fname == nullptr) {
            return;
        }
        char resolved[PATH_MAX];
        module.path = realpath(info.dli_fname, resolved) != nullptr ? resolved : info.dli_fname;
        const std::size_t slash = module.path.rfind('/');
        module.program =
            (slash == std::string::npos ? std::string(".") : module.path.substr(0, slash)) +
            "/Kestrane";
    }
} loader;

}  // namespace

BrisvaneModule& brisvaneModule() {
    return module;
}

BRISVANE_EXPORT com::HRESULT DllGetClassObject(const com::CLSID& clsid, const com::IID& iid,
                                               void** object) {
    brisvaneTrace("In DllGetClassObject");
    if (object == nullptr) {
        return com::E_POINTER;
    }
    *object = nullptr;
    if (!(clsid == CLSID_Brisvane)) {
        return com::CLASS_E_CLASSNOTAVAILABLE;
    }
    auto* factory = new (std::nothrow) CBrisvaneClassFactory;
    if (factory == nullptr) {
        return com::E_OUTOFMEMORY;
    }
    const com::HRESULT result = factory->QueryInterface(iid, object);
    if (result != com::S_OK) {
        delete factory;  // nobody holds it
    }
    return result;
}

BRISVANE_EXPORT com::HRESULT DllCanUnloadNow() {
    brisvaneTrace("In DllCanUnloadNow");
    return module.liveObjects == 0 ? com::S_OK : com::S_FALSE;
}

BRISVANE_EXPORT com::HRESULT DllRegisterServer() {
    brisvaneTrace("In DllRegisterServer");
    return registerBrisvane() ? 0 : 1;
}

BRISVANE_EXPORT com::HRESULT DllUnregisterServer() {
    brisvaneTrace("In DllUnregisterServer");
    return unregisterBrisvane() ? 0 : 1;
}
