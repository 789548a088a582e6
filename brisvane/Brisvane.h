#pragma once

#include <atomic>
#include <string>

#include "brisvane/ComTypes.h"

// The extension's class: {6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F16}.
inline constexpr com::CLSID CLSID_Brisvane{
    0x6E2A91C4, 0x5B07, 0x4F3D, {0xA8, 0xE2, 0x13, 0xC9, 0xD4, 0xB0, 0x7F, 0x16}};
inline constexpr const char* kMenuText = "Edit with Kestrane";

// What the module knows of itself from its loading on.
struct BrisvaneModule {
    std::string path;     // the module's own file
    std::string program;  // "Kestrane" in the module's folder
    std::atomic<long> liveObjects{0};
};
BrisvaneModule& brisvaneModule();

// The class factory: IUnknown, CreateInstance, LockServer.
class CBrisvaneClassFactory final : public com::IClassFactory {
  public:
    CBrisvaneClassFactory();
    ~CBrisvaneClassFactory();
    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override;
    com::ULONG Release() override;
    com::HRESULT CreateInstance(com::IUnknown* outer, const com::IID& iid, void** object) override;
    com::HRESULT LockServer(int lock) override;

  private:
    std::atomic<com::ULONG> references_{0};
};

// The extension object: the context menu as its primary interface, the
// initialisation as its secondary one, one reference count for both.
class CBrisvane final : public com::IContextMenu, public com::IShellExtInit {
  public:
    CBrisvane();
    ~CBrisvane();
    com::HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override;
    com::ULONG Release() override;
    com::HRESULT Initialize(const void* folder, com::IDataObject* data, void* programKey) override;
    com::HRESULT QueryContextMenu(com::HMENU menu, com::UINT index, com::UINT firstCommand,
                                  com::UINT lastCommand, com::UINT flags) override;
    com::HRESULT InvokeCommand(const com::CMINVOKECOMMANDINFO* info) override;
    com::HRESULT GetCommandString(std::uintptr_t command, com::UINT type, com::UINT* reserved,
                                  char* buffer, com::UINT size) override;

  private:
    std::atomic<com::ULONG> references_{0};
    std::string file_;  // the one file chosen; empty before a good Initialize
};

// Starts `program` with `file` as its one argument through a short-lived
// intermediate that is waited for at once, so nothing is left to reap.
bool launchDetached(const std::string& program, const std::string& file);

// The registry entries of the extension, and the removal of them.
bool registerBrisvane();
bool unregisterBrisvane();
