#pragma once

#include <string>
#include <vector>

namespace platform {
class Registry;
}

// "Display Context Menu Item" of the File page: the file managers' "Edit
// with Kestrane" is on while the extension's class is registered; the
// registration tool beside the program turns it on and off.
namespace shellextension {

inline constexpr const char* kClassKey = "CLSID\\{6E2A91C4-5B07-4F3D-A8E2-13C9D4B07F16}";
inline constexpr const char* kModuleName = "Brisvane.so";
inline constexpr const char* kToolName = "kestrane-regsvr";

bool isRegistered(platform::Registry& registry);
// The tool's arguments: "/s PATH" registers, "/u /s PATH" unregisters.
std::vector<std::string> toolArguments(bool registering, const std::string& modulePath);

}  // namespace shellextension
