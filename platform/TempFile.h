#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The system's temporary directory: $TMPDIR when set, else /tmp, without a
// trailing separator (the root stays "/").
std::string systemTempDirectory();

// Removes trailing separators, keeping a lone "/".
std::string withoutTrailingSeparator(std::string path);

// Creates a new empty file in `directory` named from `prefix`, a unique
// hexadecimal number and ".tmp" ("~HEXDATA3A7F.tmp"): the whole prefix, so
// the suite can tell its own files from others' when it clears stale ones. The file
// is created exclusively, readable and writable by its owner only. Returns its
// path, or nullopt when no file could be created.
std::optional<std::string> createUniqueTempFile(std::string_view directory,
                                                std::string_view prefix);

}  // namespace platform
