#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by play and test: installs what a fresh Debian 12 or 13 machine lacks,
# then configures and builds. Quick when everything is already there.
set -euo pipefail

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${PEXARO_BUILD_DIR:-$root_dir/build}

packages=(
    g++ cmake ninja-build pkg-config clazy
    qt6-base-dev qt6-svg-dev libgl-dev
    fonts-liberation2
    libgtest-dev libbenchmark-dev librapidcheck-dev
    valgrind xvfb xauth openbox xdotool x11-utils x11-apps
    mutter kwin-wayland kwin-style-breeze xwayland
    desktop-file-utils appstream dpkg-dev file dbus at-spi2-core
    orca speech-dispatcher
    lintian reuse
)

missing_packages() {
    local pkg
    for pkg in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || echo "$pkg"
    done
}

install_missing() {
    local missing
    mapfile -t missing < <(missing_packages)
    ((${#missing[@]} == 0)) && return 0
    local sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null; then
            echo "pexaro: need root or sudo to install: ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    if ! command -v apt-get >/dev/null; then
        echo "pexaro: apt-get not found; install by hand: ${missing[*]}" >&2
        exit 1
    fi
    echo "pexaro: installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q ||
        { echo "pexaro: apt-get update failed" >&2; exit 1; }
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "${missing[@]}" || { echo "pexaro: could not install ${missing[*]}" >&2; exit 1; }
}

# Configures every time, so that options given now reach an existing cache
# too (under a second when nothing changed); the generator is chosen only for
# a new build directory, as cmake cannot switch an existing one.
configure_and_build() {
    local generator=()
    [[ -f $build_dir/CMakeCache.txt ]] || generator=(-G Ninja)
    cmake -S "$root_dir" -B "$build_dir" "${generator[@]}" "$@"
    cmake --build "$build_dir" --parallel
}
