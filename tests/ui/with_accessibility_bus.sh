#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a window test the way a desktop with a screen reader runs the game: on
# a private session bus with the accessibility bus started and on a private X
# display, so that Qt's accessibility is active and passes changes on.
#   with_accessibility_bus.sh TEST [ARGS...]
set -euo pipefail
if [[ ${1:-} != --inside ]]; then
    exec dbus-run-session -- "$0" --inside "$@"
fi
shift
launcher=/usr/libexec/at-spi-bus-launcher
[[ -x $launcher ]] || { echo "missing $launcher (package at-spi2-core)" >&2; exit 1; }
"$launcher" >/dev/null 2>&1 &
trap 'kill $! 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true && break
    sleep 0.05
done
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
