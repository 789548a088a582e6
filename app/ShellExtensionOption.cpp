#include "app/ShellExtensionOption.h"

#include "platform/Registry.h"

namespace shellextension {

bool isRegistered(platform::Registry& registry) {
    return registry.openKey(platform::RegistryRoot::ClassesRoot, kClassKey).isValid();
}

std::vector<std::string> toolArguments(bool registering, const std::string& modulePath) {
    if (registering) {
        return {"/s", modulePath};
    }
    return {"/u", "/s", modulePath};
}

}  // namespace shellextension
