#include "brisvane/Adapters.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr const char* kNautilusFile = "/nautilus-python/extensions/kestrane-brisvane.py";
constexpr const char* kDolphinFile = "/kio/servicemenus/kestrane-brisvane.desktop";
constexpr const char* kThunarFile = "/Thunar/uca.xml";
constexpr const char* kThunarId = "<unique-id>kestrane-brisvane</unique-id>";

std::string environmentOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : fallback;
}

// Python bytes, every byte escaped, so any path survives.
std::string pythonBytes(const std::string& text) {
    std::string literal = "b'";
    char escaped[5];
    for (const char c : text) {
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
        literal += escaped;
    }
    return literal + "'";
}

// One argument of a desktop entry's Exec key: quoted, with the characters
// the quoting reserves escaped, then the value's own escapes.
std::string execArgument(const std::string& path) {
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return value;
}

// A shell word, for Thunar's command line.
std::string shellWord(const std::string& text) {
    std::string word = "'";
    for (const char c : text) {
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return word + "'";
}

std::string xmlText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

bool readFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    text = bytes.str();
    return true;
}

// Writes a file whole through a temporary file beside it, renamed over it.
bool replaceFile(const std::string& path, const std::string& text, mode_t mode) {
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    const bool written =
        ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
        ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::string thunarAction(const std::string& program) {
    return "<action>\n"
           "\t<icon>kestrane</icon>\n"
           "\t<name>Edit with Kestrane</name>\n"
           "\t<submenu></submenu>\n"
           "\t" + std::string(kThunarId) + "\n"
           "\t<command>" + xmlText(shellWord(program)) + " %f</command>\n"
           "\t<description>Edit the file with Kestrane</description>\n"
           "\t<range>1</range>\n"
           "\t<patterns>*</patterns>\n"
           "\t<audio-files/>\n"
           "\t<image-files/>\n"
           "\t<other-files/>\n"
           "\t<text-files/>\n"
           "\t<video-files/>\n"
           "</action>\n";
}

}  // namespace

AdapterPlaces AdapterPlaces::current() {
    const char* home = std::getenv("HOME");
    const std::string base = home != nullptr && home[0] == '/' ? home : "";
    AdapterPlaces places;
    places.dataHome = environmentOr("XDG_DATA_HOME", base.empty() ? "" : base + "/.local/share");
    places.configHome = environmentOr("XDG_CONFIG_HOME", base.empty() ? "" : base + "/.config");
    const std::string dirs = environmentOr("XDG_CONFIG_DIRS", "/etc/xdg");
    places.systemConfig = dirs.substr(0, dirs.find(':'));
    return places;
}

std::string nautilusExtension(const std::string& program) {
    return "# \"Edit with Kestrane\" for one local file; written by Brisvane at registration.\n"
           "import os\n"
           "import subprocess\n"
           "from gi.repository import GObject, Nautilus\n"
           "\n"
           "PROGRAM = os.fsdecode(" + pythonBytes(program) + ")\n"
           "\n"
           "\n"
           "class KestraneBrisvane(GObject.GObject, Nautilus.MenuProvider):\n"
           "    def get_file_items(self, *arguments):\n"
           "        # Nautilus 43 passes (window, files), later ones (files).\n"
           "        files = arguments[-1]\n"
           "        if len(files) != 1:\n"
           "            return []\n"
           "        chosen = files[0]\n"
           "        if chosen.get_uri_scheme() != 'file' or chosen.is_directory():\n"
           "            return []\n"
           "        path = chosen.get_location().get_path()\n"
           "        if not path:\n"
           "            return []\n"
           "        item = Nautilus.MenuItem(name='KestraneBrisvane::Edit',\n"
           "                                 label='Edit with Kestrane')\n"
           "        item.connect('activate', self._edit, path)\n"
           "        return [item]\n"
           "\n"
           "    def _edit(self, _item, path):\n"
           "        # setsid --fork ends at once: the program is nobody's child here.\n"
           "        subprocess.run(['setsid', '--fork', PROGRAM, path], check=False)\n";
}

std::string dolphinServiceMenu(const std::string& program) {
    return "[Desktop Entry]\n"
           "Type=Service\n"
           "MimeType=application/octet-stream;\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
           "X-KDE-MaxNumberOfUrls=1\n"
           "Actions=editWithKestrane;\n"
           "\n"
           "[Desktop Action editWithKestrane]\n"
           "Name=Edit with Kestrane\n"
           "Icon=kestrane\n"
           "Exec=" + execArgument(program) + " %f\n";
}

bool withThunarAction(const std::string& actions, const std::string& program,
                      std::string& result) {
    const std::size_t open = actions.find("<actions");
    const std::size_t close = actions.rfind("</actions>");
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return false;
    }
    std::string kept = actions;
    // Ours, wherever it stands, goes: the action block holding our id.
    for (std::size_t id = kept.find(kThunarId); id != std::string::npos; id = kept.find(kThunarId)) {
        const std::size_t start = kept.rfind("<action>", id);
        const std::size_t end = kept.find("</action>", id);
        if (start == std::string::npos || end == std::string::npos) {
            return false;
        }
        std::size_t stop = end + std::string("</action>").size();
        if (stop < kept.size() && kept[stop] == '\n') {
            ++stop;
        }
        kept.erase(start, stop - start);
    }
    if (!program.empty()) {
        kept.insert(kept.rfind("</actions>"), thunarAction(program));
    }
    result = std::move(kept);
    return true;
}

bool writeAdapters(const std::string& program, const AdapterPlaces& places) {
    if (places.dataHome.empty() || places.configHome.empty()) {
        return false;
    }
    bool done = replaceFile(places.dataHome + kNautilusFile, nautilusExtension(program), 0644);
    // KIO skips a service menu in the user's folder unless it is executable.
    done = replaceFile(places.dataHome + kDolphinFile, dolphinServiceMenu(program), 0755) && done;
    std::string actions;
    const std::string user = places.configHome + kThunarFile;
    // A user without actions of their own starts from the system's, or
    // Thunar's defaults would be lost; with neither there is no list to join.
    if (readFile(user, actions) || readFile(places.systemConfig + kThunarFile, actions)) {
        std::string updated;
        done = withThunarAction(actions, program, updated) && replaceFile(user, updated, 0644) &&
               done;
    }
    return done;
}

bool removeAdapters(const AdapterPlaces& places) {
    if (places.dataHome.empty() || places.configHome.empty()) {
        return false;
    }
    bool done = removeFile(places.dataHome + kNautilusFile);
    done = removeFile(places.dataHome + kDolphinFile) && done;
    std::string actions;
    const std::string user = places.configHome + kThunarFile;
    if (readFile(user, actions) && actions.find(kThunarId) != std::string::npos) {
        std::string updated;
        done = withThunarAction(actions, "", updated) && replaceFile(user, updated, 0644) && done;
    }
    return done;
}
