#!/usr/bin/env bash
# Installs the Debian packages the suite needs that are not installed yet.
# Sourced by run.sh and test.sh; runs apt-get as root, or through sudo.
#
#   ensure_packages PACKAGE...

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "error: these packages are missing and sudo is not available: ${missing[*]}" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" </dev/null
}

# What every build needs: compiler, build tools, Qt, SQLite, test and benchmark
# libraries, the display font, and Xvfb for the end-to-end window checks.
KESTRANE_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev libsqlite3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation python3 xxd
)
KESTRANE_TEST_PACKAGES=(xvfb xauth x11-utils poppler-utils dbus-daemon desktop-file-utils)
