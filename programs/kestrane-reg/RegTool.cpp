#include "programs/kestrane-reg/RegTool.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "platform/Registry.h"

namespace regtool {
namespace {

using platform::Registry;
using platform::RegistryKey;
using platform::RegistryType;
using platform::RegistryValue;

constexpr std::string_view kUsage =
    "Usage:\n"
    "  kestrane-reg query  KEY [/v NAME | /ve] [/s]\n"
    "  kestrane-reg add    KEY [/v NAME | /ve] [/t REG_DWORD|REG_SZ] [/d DATA] [/f]\n"
    "  kestrane-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "\n"
    "  KEY   a full key path starting with its root: HKCU, HKCR, HKLM or\n"
    "        HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE\n"
    "  /v    the value named NAME      /ve  the default (unnamed) value\n"
    "  /va   every value of the key    /s   the key and all its subkeys\n"
    "  /t    the value type (REG_SZ when not given)\n"
    "  /d    the data: text, or for REG_DWORD a decimal or 0x-hexadecimal number\n"
    "  /f    do not ask before overwriting or deleting\n"
    "\n"
    "The registry file is $KESTRANE_REGISTRY, or\n"
    "${XDG_CONFIG_HOME:-~/.config}/Mandrel 417/registry.sqlite.\n";

constexpr std::string_view kNotFound =
    "ERROR: The system was unable to find the specified registry key or value.\n";
constexpr std::string_view kDone = "The operation completed successfully.\n";
constexpr std::string_view kCancelled = "The operation was cancelled by the user.\n";

struct Options {
    std::string verb;
    std::string key;
    std::optional<std::string> valueName;  // /v NAME, or "" for /ve
    bool allValues = false;                // /va
    bool recursive = false;                // /s
    bool force = false;                    // /f
    std::optional<std::string> type;       // /t
    std::optional<std::string> data;       // /d
};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool isSwitch(std::string_view arg, std::string_view name) {
    return arg.size() == name.size() + 1 && (arg[0] == '/' || arg[0] == '-') &&
           equalsIgnoringCase(arg.substr(1), name);
}

// Parses the arguments; an error text when they do not form a command.
std::optional<std::string> parse(std::span<const std::string> args, Options& options) {
    if (args.size() < 2) {
        return "ERROR: Invalid syntax.";
    }
    options.verb = args[0];
    for (char& c : options.verb) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (options.verb != "query" && options.verb != "add" && options.verb != "delete") {
        return "ERROR: Invalid verb '" + args[0] + "'.";
    }
    options.key = args[1];
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasNext = i + 1 < args.size();
        if ((isSwitch(arg, "v") || isSwitch(arg, "t") || isSwitch(arg, "d")) && !hasNext) {
            return "ERROR: " + arg + " needs an argument.";
        }
        if (isSwitch(arg, "v") || isSwitch(arg, "ve")) {
            if (options.valueName) {
                return std::string("ERROR: /v and /ve may be given once.");
            }
            options.valueName = isSwitch(arg, "ve") ? std::string() : args[++i];
        } else if (isSwitch(arg, "va") && options.verb == "delete") {
            options.allValues = true;
        } else if (isSwitch(arg, "s") && options.verb == "query") {
            options.recursive = true;
        } else if (isSwitch(arg, "f") && options.verb != "query") {
            options.force = true;
        } else if (isSwitch(arg, "t") && options.verb == "add") {
            options.type = args[++i];
        } else if (isSwitch(arg, "d") && options.verb == "add") {
            options.data = args[++i];
        } else {
            return "ERROR: Invalid argument '" + arg + "'.";
        }
    }
    if (options.allValues && options.valueName) {
        return std::string("ERROR: /va cannot be combined with /v or /ve.");
    }
    if (options.verb == "add" && !options.valueName && (options.type || options.data)) {
        return std::string("ERROR: /t and /d need /v or /ve.");
    }
    return std::nullopt;
}

std::string shownName(const std::string& name) {
    return name.empty() ? "(Default)" : name;
}

std::string typeName(RegistryType type) {
    switch (type) {
        case RegistryType::Dword:
            return "REG_DWORD";
        case RegistryType::String:
            return "REG_SZ";
        case RegistryType::None:
            break;
    }
    return "REG_NONE";
}

std::string shownData(const RegistryValue& value) {
    if (value.type == RegistryType::Dword) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%x", value.dword);
        return text;
    }
    return value.text;
}

void printValue(std::ostream& out, const std::string& name, const RegistryValue& value) {
    out << "    " << shownName(name) << "    " << typeName(value.type) << "    " << shownData(value)
        << '\n';
}

// Prints a key with its values, then its subkeys: their paths, or with
// `recursive` the whole of each. Returns the number of keys printed.
int printKey(std::ostream& out, const RegistryKey& key, bool recursive) {
    out << '\n' << key.path() << '\n';
    for (const auto& entry : key.values()) {
        printValue(out, entry.name, entry.value);
    }
    int printed = 1;
    const auto subkeys = key.subkeyNames();
    for (const auto& name : subkeys) {
        const RegistryKey child = key.openSubkey(name);
        if (recursive) {
            printed += printKey(out, child, true);
        } else {
            out << '\n' << child.path();
        }
    }
    if (!recursive && !subkeys.empty()) {
        out << '\n';
    }
    return printed;
}

bool confirm(std::ostream& out, std::istream& in, const std::string& question) {
    out << question << " (Yes/No)? " << std::flush;
    std::string answer;
    if (!std::getline(in, answer)) {
        out << '\n';
        return false;
    }
    return equalsIgnoringCase(answer, "y") || equalsIgnoringCase(answer, "yes");
}

std::optional<RegistryValue> parseData(const Options& options, std::string& error) {
    const std::string type = options.type.value_or("REG_SZ");
    const std::string data = options.data.value_or("");
    if (equalsIgnoringCase(type, "REG_SZ")) {
        return RegistryValue::ofString(data);
    }
    if (!equalsIgnoringCase(type, "REG_DWORD")) {
        error = "ERROR: Unsupported type '" + type + "'; use REG_DWORD or REG_SZ.";
        return std::nullopt;
    }
    const std::string number = data.empty() ? "0" : data;
    const bool hex =
        number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X');
    const char* digits = number.c_str() + (hex ? 2 : 0);
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(digits, &end, hex ? 16 : 10);
    if (*digits == '-' || *digits == '+' || *digits == ' ' || end == digits || *end != '\0' ||
        errno == ERANGE || parsed > 0xFFFFFFFFull) {
        error =
            "ERROR: Invalid REG_DWORD data '" + data + "'; give 0..4294967295 or 0x0..0xffffffff.";
        return std::nullopt;
    }
    return RegistryValue::ofDword(static_cast<std::uint32_t>(parsed));
}

void reportFileTrouble(const Registry& registry, std::ostream& err) {
    if (!registry.movedAsidePath().empty()) {
        err << "NOTE: The registry file was damaged. It was kept as \"" << registry.movedAsidePath()
            << "\" and a fresh one started.\n";
    } else if (registry.state() == platform::RegistryFileState::Unusable) {
        err << "ERROR: The registry file \"" << registry.filePath()
            << "\" cannot be opened or written.\n";
    }
}

int query(Registry& registry, const RegistryKey& root, const std::string& path,
          const Options& options, std::ostream& out, std::ostream& err) {
    const RegistryKey key = root.openSubkey(path);
    if (!key.isValid()) {
        reportFileTrouble(registry, err);
        err << kNotFound;
        return kExitFailure;
    }
    if (options.valueName) {
        // Shown under the name it was created with, whatever case was typed.
        for (const auto& entry : key.values()) {
            if (equalsIgnoringCase(entry.name, *options.valueName)) {
                out << '\n' << key.path() << '\n';
                printValue(out, entry.name, entry.value);
                return kExitSuccess;
            }
        }
        err << kNotFound;
        return kExitFailure;
    }
    const int printed = printKey(out, key, options.recursive);
    if (options.recursive) {
        out << "\nEnd of search: " << printed << " match(es) found.\n";
    }
    return kExitSuccess;
}

int add(Registry& registry, const RegistryKey& root, const std::string& path,
        const Options& options, std::ostream& out, std::ostream& err, std::istream& in) {
    std::optional<RegistryValue> value;
    if (options.valueName) {
        std::string error;
        value = parseData(options, error);
        if (!value) {
            err << error << '\n';
            return kExitUsage;
        }
    }
    const RegistryKey key = root.createSubkey(path);
    if (!key.isValid()) {
        reportFileTrouble(registry, err);
        err << "ERROR: The key could not be created.\n";
        return kExitFailure;
    }
    if (value) {
        if (!options.force && key.queryValue(*options.valueName) &&
            !confirm(out, in, "Value " + shownName(*options.valueName) + " exists, overwrite")) {
            out << kCancelled;
            return kExitFailure;
        }
        if (!key.setValue(*options.valueName, *value)) {
            reportFileTrouble(registry, err);
            err << "ERROR: The value could not be written.\n";
            return kExitFailure;
        }
    }
    out << kDone;
    return kExitSuccess;
}

int remove(Registry& registry, const RegistryKey& root, const std::string& path,
           const Options& options, std::ostream& out, std::ostream& err, std::istream& in) {
    const RegistryKey key = root.openSubkey(path);
    if (!key.isValid()) {
        reportFileTrouble(registry, err);
        err << kNotFound;
        return kExitFailure;
    }
    std::string question;
    if (options.valueName) {
        if (!key.queryValue(*options.valueName)) {
            err << kNotFound;
            return kExitFailure;
        }
        question = "Delete the registry value " + shownName(*options.valueName);
    } else if (options.allValues) {
        question = "Delete all values under the registry key " + key.path();
    } else {
        question = "Permanently delete the registry key " + key.path();
    }
    if (!options.force && !confirm(out, in, question)) {
        out << kCancelled;
        return kExitFailure;
    }
    bool done = true;
    if (options.valueName) {
        done = key.deleteValue(*options.valueName);
    } else if (options.allValues) {
        for (const auto& entry : key.values()) {
            done = key.deleteValue(entry.name) && done;
        }
    } else {
        done = root.deleteTree(path);
    }
    if (!done) {
        reportFileTrouble(registry, err);
        err << "ERROR: The registry could not be changed.\n";
        return kExitFailure;
    }
    out << kDone;
    return kExitSuccess;
}

}  // namespace

int run(Registry& registry, std::span<const std::string> args, std::ostream& out, std::ostream& err,
        std::istream& in) {
    Options options;
    if (const auto error = parse(args, options)) {
        err << *error << "\n\n" << kUsage;
        return kExitUsage;
    }
    const auto rooted = platform::splitRootedPath(options.key);
    if (!rooted) {
        err << "ERROR: Invalid key name '" << options.key << "'.\n\n" << kUsage;
        return kExitUsage;
    }
    const auto& [rootId, path] = *rooted;
    if (options.verb == "delete" && path.find_first_not_of('\\') == std::string::npos &&
        !options.valueName && !options.allValues) {
        err << "ERROR: A root key cannot be deleted.\n";
        return kExitUsage;
    }
    const RegistryKey root = registry.root(rootId);
    int status = kExitFailure;
    if (options.verb == "query") {
        status = query(registry, root, path, options, out, err);
    } else if (options.verb == "add") {
        status = add(registry, root, path, options, out, err, in);
    } else {
        status = remove(registry, root, path, options, out, err, in);
    }
    if (status == kExitSuccess) {
        reportFileTrouble(registry, err);
    }
    return status;
}

}  // namespace regtool
