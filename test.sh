#!/usr/bin/env bash
# Builds the test build (Debug, AddressSanitizer + UndefinedBehaviorSanitizer,
# warnings as errors) in build-test/ and runs every test. Exits with the
# tests' status.
#
#   ./test.sh [extra ctest arguments]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh

ensure_packages "${KESTRANE_PACKAGES[@]}" "${KESTRANE_TEST_PACKAGES[@]}"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DKESTRANE_SANITIZE=ON -DKESTRANE_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build build-test

cd build-test
exec ctest --output-on-failure -j"$(nproc)" "$@"
