#pragma once

// A minimal COM-style layer: the types, results and interfaces an in-process
// server and its host share. Interfaces are abstract structs whose virtual
// functions are the slots in the order given; they have no virtual
// destructor, so nothing but the declared slots is in their tables.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace com {

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using UINT = std::uint32_t;

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);

struct GUID {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};

    bool operator==(const GUID&) const = default;
    // "{6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F16}", upper-case hexadecimal.
    std::string text() const;
    // Reads that text (either letter case); nothing when it is not one.
    static std::optional<GUID> parse(std::string_view text);
};
using IID = GUID;
using CLSID = GUID;

inline constexpr GUID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID IID_IClassFactory{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID IID_IShellExtInit{0x000214E8, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr GUID IID_IContextMenu{0x000214E4, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct IUnknown {
    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

  protected:
    ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
    virtual HRESULT LockServer(int lock) = 0;

  protected:
    ~IClassFactory() = default;
};

// The clipboard format of a list of dropped files, and how it is asked for.
inline constexpr std::uint16_t CF_HDROP = 15;
inline constexpr std::uint32_t DVASPECT_CONTENT = 1;
inline constexpr std::uint32_t TYMED_HGLOBAL = 1;

struct FORMATETC {
    std::uint16_t format = 0;
    void* device = nullptr;
    std::uint32_t aspect = DVASPECT_CONTENT;
    std::int32_t index = -1;
    std::uint32_t tymed = TYMED_HGLOBAL;
};

// A storage medium: here a sized memory block the host gives and takes back
// through `release`.
struct STGMEDIUM {
    std::uint32_t tymed = 0;
    const void* memory = nullptr;
    std::size_t size = 0;
    void (*release)(STGMEDIUM* medium) = nullptr;
};
// Gives the medium back to whoever filled it; safe on an empty one.
void ReleaseStgMedium(STGMEDIUM* medium);

struct IDataObject : IUnknown {
    virtual HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) = 0;

  protected:
    ~IDataObject() = default;
};

// The drop list in a CF_HDROP block: this header, then NUL-terminated UTF-8
// paths from `filesOffset`, an empty one last.
struct DROPFILES {
    std::uint32_t filesOffset = sizeof(DROPFILES);
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t nonClient = 0;
    std::int32_t wide = 0;
};
// The paths of a drop list, or nothing when the block is not a whole one
// (too short, an offset past its end, a path or the list unterminated).
std::optional<std::vector<std::string>> dropListPaths(const void* memory, std::size_t size);

// The menu a handler adds to: the host implements it.
struct IMenuHost {
    virtual bool InsertItemByPosition(UINT position, UINT commandId, const char* text) = 0;

  protected:
    ~IMenuHost() = default;
};
using HMENU = IMenuHost*;

struct IShellExtInit : IUnknown {
    virtual HRESULT Initialize(const void* folder, IDataObject* data, void* programKey) = 0;

  protected:
    ~IShellExtInit() = default;
};

// Context-menu flags.
inline constexpr UINT CMF_NORMAL = 0x0;
inline constexpr UINT CMF_DEFAULTONLY = 0x1;
inline constexpr UINT CMF_VERBSONLY = 0x2;
inline constexpr UINT CMF_EXPLORE = 0x4;

// What the host passes to InvokeCommand. The verb is pointer-sized: a
// command offset when its value >> 16 is 0, else a pointer to a verb string.
struct CMINVOKECOMMANDINFO {
    std::uint32_t size = sizeof(CMINVOKECOMMANDINFO);
    std::uint32_t mask = 0;
    void* window = nullptr;
    std::uintptr_t verb = 0;
    const char* parameters = nullptr;
    const char* directory = nullptr;
    std::int32_t show = 1;
};

struct IContextMenu : IUnknown {
    virtual HRESULT QueryContextMenu(HMENU menu, UINT index, UINT firstCommand, UINT lastCommand,
                                     UINT flags) = 0;
    virtual HRESULT InvokeCommand(const CMINVOKECOMMANDINFO* info) = 0;
    virtual HRESULT GetCommandString(std::uintptr_t command, UINT type, UINT* reserved,
                                     char* buffer, UINT size) = 0;

  protected:
    ~IContextMenu() = default;
};

// The four entry points of an in-process server.
using DllGetClassObjectFunction = HRESULT (*)(const CLSID&, const IID&, void**);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterFunction = HRESULT (*)();

}  // namespace com
