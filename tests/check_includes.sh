#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Includes run downward only: start-up -> windows -> common -> core. A window
# that includes another window's header, or a core file that includes Qt,
# couples what must stay apart; this lists every such include.
set -uo pipefail
root=${1:?usage: check_includes.sh SOURCE_DIR}
cd "$root" || exit 2

offences=0
forbid() { # forbid FOLDER PATTERN WHY
    local hits
    hits=$(grep -rnE "^#include [<\"]($2)" "$1" --include='*.h' --include='*.cpp')
    if [[ -n $hits ]]; then
        printf '%s\n' "$hits" | sed "s|\$|    <- $3|"
        offences=1
    fi
}

forbid core 'Q|ui/|app/|board/|info/|size/|common/' 'the core knows no Qt and no window'
forbid ui/common 'app/|board/|info/|size/' 'common/ serves the windows, it does not know them'
forbid ui/board 'app/|info/|size/' 'a window includes only common/ and the core'
forbid ui/info 'app/|board/|size/' 'a window includes only common/ and the core'
forbid ui/size 'app/|board/|info/' 'a window includes only common/ and the core'

# The windows and the speech read the game's view and the session's signals,
# never the core's Game itself.
hits=$(grep -rnE '\bgame\(\)|\bGame(&| ?\*|::)' ui/board ui/info ui/size)
if [[ -n $hits ]]; then
    printf '%s\n' "$hits" | sed 's|$|    <- a window reads the view, not the Game|'
    offences=1
fi

((offences == 0)) && echo "includes run downward only"
exit "$offences"
