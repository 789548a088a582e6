// The extension's entries in the suite's registry.
#include "brisvane/Adapters.h"
#include "brisvane/Brisvane.h"
#include "platform/Registry.h"

namespace {

using platform::RegistryRoot;

const std::string& classText() {
    static const std::string text = CLSID_Brisvane.text();
    return text;
}

std::string classKey() {
    return "CLSID\\" + classText();
}

constexpr const char* kHandlerKey = "*\\shellex\\ContextMenuHandlers\\Brisvane";
constexpr const char* kApprovedKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

}  // namespace

bool registerBrisvane() {
    platform::Registry registry(platform::Registry::defaultFilePath());
    const platform::RegistryKey cls = registry.createKey(RegistryRoot::ClassesRoot, classKey());
    if (!cls.isValid() || !cls.setString("", "Brisvane")) {
        return false;
    }
    const platform::RegistryKey server = cls.createSubkey("InProcServer32");
    if (!server.isValid() || !server.setString("", brisvaneModule().path) ||
        !server.setString("ThreadingModel", "Apartment")) {
        return false;
    }
    const platform::RegistryKey handler = registry.createKey(RegistryRoot::ClassesRoot, kHandlerKey);
    if (!handler.isValid() || !handler.setString("", classText())) {
        return false;
    }
    // Where the list of approved extensions exists, ours joins it; without
    // it (or without the right to write it) registration still holds.
    const platform::RegistryKey approved =
        registry.openKey(RegistryRoot::LocalMachine, kApprovedKey);
    if (approved.isValid() && approved.exists()) {
        approved.setString(classText(), "Brisvane");
    }
    // The file managers' own forms of the item.
    return writeAdapters(brisvaneModule().program, AdapterPlaces::current());
}

bool unregisterBrisvane() {
    platform::Registry registry(platform::Registry::defaultFilePath());
    const platform::RegistryKey root = registry.root(RegistryRoot::ClassesRoot);
    // A key that is not there counts as removed.
    const bool removed =
        !root.openSubkey(classKey()).exists() || root.deleteTree(classKey());
    if (root.openSubkey(kHandlerKey).exists()) {
        root.deleteTree(kHandlerKey);
    }
    const platform::RegistryKey approved =
        registry.openKey(RegistryRoot::LocalMachine, kApprovedKey);
    if (approved.isValid() && approved.exists()) {
        approved.deleteValue(classText());
    }
    const bool adaptersRemoved = removeAdapters(AdapterPlaces::current());
    return removed && adaptersRemoved;
}
