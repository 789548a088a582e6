#!/usr/bin/env bash
# Builds the test build (Debug, AddressSanitizer + UndefinedBehaviorSanitizer,
# warnings as errors) in build-test/ and runs every test. Exits with the
# tests' status. With KESTRANE_SANITIZE=thread the build goes to build-tsan/
# under ThreadSanitizer instead.
#
#   ./test.sh [extra ctest arguments]
#   KESTRANE_SANITIZE=thread ./test.sh -R StoreUnderWorker
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh

ensure_packages "${KESTRANE_PACKAGES[@]}" "${KESTRANE_TEST_PACKAGES[@]}"
sanitize="${KESTRANE_SANITIZE:-address}"
build=build-test
if [ "$sanitize" = thread ]; then
    build=build-tsan
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DKESTRANE_SANITIZE="$sanitize" -DKESTRANE_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build"

cd "$build"
exec ctest --output-on-failure -j"$(nproc)" "$@"
