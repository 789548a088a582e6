#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace platform {
class Registry;
}

// kestrane-reg: inspect and repair the registry the suite keeps its settings
// and datamarks in, with the verbs of the registry tool of the original desktop.
//
//   query  KEY [/v NAME | /ve] [/s]
//   add    KEY [/v NAME | /ve] [/t REG_DWORD|REG_SZ] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve | /va] [/f]
//
// Exit status: 0 done, 1 failed (a missing key or value, a refused write, a
// cancelled question), 2 bad arguments.
namespace regtool {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// `args` are the arguments after the program name. Questions (overwrite,
// delete without /f) are asked on `out` and answered from `in`.
int run(platform::Registry& registry, std::span<const std::string> args, std::ostream& out,
        std::ostream& err, std::istream& in);

}  // namespace regtool
