#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a scratch root and packs it as a .deb, then checks
# what a desktop and a packager rely on: the validators accept the menu entry
# and the AppStream data, every icon and the man page are in place, the
# package's control fields name its libraries and fonts, and the installed
# binary starts.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
app=org.pexaro.Pexaro

# --- cmake --install ---------------------------------------------------------
root=$scratch/root
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
desktop-file-validate "$share/applications/$app.desktop" || fail "desktop entry rejected"
appstreamcli validate --no-net --pedantic "$share/metainfo/$app.metainfo.xml" \
    || fail "AppStream data rejected"
grep -qx 'Categories=Game;CardGame;' "$share/applications/$app.desktop" || fail "categories"
grep -qx "Icon=$app" "$share/applications/$app.desktop" || fail "icon name"
[[ -x $root/usr/games/pexaro ]] || fail "no binary in usr/games"
file "$share/icons/hicolor/scalable/apps/$app.svg" | grep -q 'SVG' || fail "scalable icon"
for side in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${side}x$side/apps/$app.png
    file "$icon" | grep -q "PNG image data, $side x $side" || fail "icon $side: $(file "$icon")"
done
man=$share/man/man6/pexaro.6.gz
gzip -t "$man" || fail "man page is not gzip"
for key in ENTER Alt+N Ctrl+N Ctrl+I Ctrl+R Ctrl+A Ctrl+X; do
    zcat "$man" | grep -q "^\.B $key\$" || fail "man page misses $key"
done

# --- A different binary directory for packagers -------------------------------
cfg=$scratch/bin-build
cmake -S "$(dirname "$0")/../.." -B "$cfg" -DPEXARO_INSTALL_BINDIR=bin -DPEXARO_BUILD_TESTS=OFF \
    >/dev/null
grep -q '/bin"' "$cfg/packaging/cmake_install.cmake" || fail "binary directory override"

# --- cpack -G DEB --------------------------------------------------------------
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null) || fail "cpack"
deb=$(ls "$scratch"/pexaro_*.deb)
control=$(dpkg-deb -f "$deb")
echo "$control"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6svg6 libqt6gui6 libqt6core6 libstdc++6 fonts-liberation2; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$deb" Section) == games ]] || fail "section"
[[ $(dpkg-deb -f "$deb" Architecture) == "$(dpkg --print-architecture)" ]] || fail "architecture"
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in ./usr/games/pexaro "./usr/share/applications/$app.desktop" \
    "./usr/share/metainfo/$app.metainfo.xml" ./usr/share/man/man6/pexaro.6.gz \
    "./usr/share/icons/hicolor/scalable/apps/$app.svg" \
    "./usr/share/icons/hicolor/256x256/apps/$app.png"; do
    grep -qx "$path" <<<"$contents" || fail "package lacks $path"
done

# --- The packaged binary starts ------------------------------------------------
unpacked=$scratch/unpacked
dpkg-deb -x "$deb" "$unpacked"
! ldd "$unpacked/usr/games/pexaro" | grep -q 'not found' || fail "unresolved libraries"
# The game takes no arguments and runs until the player quits: still running
# after two seconds on the offscreen platform means it started.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$unpacked/usr/games/pexaro" || status=$?
[[ $status == 124 ]] || fail "the packaged game ended with status $status"
echo "install and package: all checks passed"
