#!/usr/bin/env bash
# Builds the suite (release build in build/) and starts the hex editor with
# the file given, if any.
#
#   ./run.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh

ensure_packages "${KESTRANE_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRANE_BUILD_TESTS=OFF >/dev/null
cmake --build build

if [ -x build/bin/Kestrane ]; then
    exec build/bin/Kestrane "$@"
fi

echo
echo "Built into build/bin:"
for program in build/bin/*; do
    [ -x "$program" ] && [ -f "$program" ] && echo "  $(basename "$program")"
done
echo
echo "The hex editor Kestrane itself is not part of this build yet: it comes"
echo "with the next steps of the suite. Nothing was started."
if [ $# -gt 0 ]; then
    echo "(The file \"$1\" was not opened.)"
fi
