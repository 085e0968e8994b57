#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays a 4 x 4 game by keyboard with the Orca screen reader, deciding every
# move only from what Orca speaks, as a blind player would, and checks what
# it says: the game's start, each turned card, the result of a match and of
# a miss with the score, Next Turn from ENTER and Alt+N, a refused Space, and Space on the card a miss has just turned face
# down. Orca's debug log records every utterance as a SPEECH OUTPUT line;
# no sound device is needed. It runs on a private session bus, X display and
# home, and waits on Orca's log, never for a fixed time.
#   test_screen_reader.sh PEXARO_BINARY
# With PEXARO_SPEECH_WHOLE_GAME=1 it plays on to the win; with
# PEXARO_SPEECH_LOG=FILE it keeps Orca's speech, with each key, in FILE.
set -euo pipefail
if [[ ${1:-} != --inside ]]; then
    for tool in orca Xvfb openbox xdotool dbus-run-session script; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
    exec dbus-run-session -- "$0" --inside "$@" 2> >(grep -v '^dbus-daemon' >&2)
fi
shift
game=$1
patience=${PEXARO_SPEECH_PATIENCE:-30} # seconds for one utterance; valgrind-slow machines
scratch=$(mktemp -d)
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
export XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
log=$scratch/orca.log
pids=()
cleanup() {
    local status=$? i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do # the game first, the X server last
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    if [[ -n ${PEXARO_SPEECH_LOG:-} && -f $log ]]; then
        grep -a -E 'SPEECH OUTPUT|KEYBOARD EVENT.*(event_string|KeyPress)' "$log" >"$PEXARO_SPEECH_LOG" || true
    fi
    if ((status != 0 && status != 77)) && [[ -f $log ]]; then
        echo "--- what Orca spoke:"
        grep -a 'SPEECH OUTPUT' "$log" | sed "s/^.*SPEECH OUTPUT: //; s/{'established.*//" || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
pids+=($!)
read -r -t 20 display <"$scratch/display" || fail "the X server did not start"
export DISPLAY=:$display
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
openbox >/dev/null 2>&1 &
pids+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# Orca tells the accessibility bus that a screen reader runs, which turns on
# Qt's accessibility. It buffers its debug file; through a terminal it writes
# each line at once.
script -qfec "orca --replace --debug-file=/dev/tty" "$log" >/dev/null 2>&1 &
pids+=($!)

# What Orca has spoken, an utterance a line, from line $1 of its log on.
spoken_from() {
    tail -n +"$1" "$log" 2>/dev/null | grep -a 'SPEECH OUTPUT' |
        sed "s/^.*SPEECH OUTPUT: '//; s/' *{'established.*\$//"
}
mark=1 # log line where the utterances of the latest key begin
heard=
# Waits for an utterance since the latest key that matches the whole of ERE
# $1, and keeps it in $heard.
hear() {
    local deadline=$((SECONDS + patience))
    until heard=$(spoken_from "$mark" | grep -a -m1 -xE "$1"); do
        ((SECONDS < deadline)) || fail "Orca did not say /$1/ (${2:-})"
        sleep 0.05
    done
}
# Presses a key in the active window; what it makes Orca say comes after it.
press() {
    mark=$(($(wc -l <"$log") + 1))
    xdotool key "$1"
}

hear 'Screen reader on\.' "Orca starting"
"$game" &
pids+=($!)
hear '.*Board Size Selection.*' "the size dialog opening"
hear '.*Select a Board Size: \(Rows/Columns\).*' "the size dialog's heading"

press Right
hear '4 rows by 4 columns.*'
press space
press Return
hear 'card 1, face down\. row 1, column 1\. Click on a card\.\.\.' "the game's start"

# The player's memory: the picture heard at each card (1 to 16), and where
# the cursor is.
declare -A picture=() gone=()
row=1 column=1
move_to() {
    local card=$1 r=$((($1 - 1) / 4 + 1)) c=$((($1 - 1) % 4 + 1))
    while ((column < c)); do step Right 0 1; done
    while ((column > c)); do step Left 0 -1; done
    while ((row < r)); do step Down 1 0; done
    while ((row > r)); do step Up -1 0; done
}
# An arrow key, and the card it moves to read out before the next key.
step() {
    row=$((row + $2)) column=$((column + $3))
    press "$1"
    hear "card $(((row - 1) * 4 + column)), [a-z ]+\." "the cursor moving $1"
}
place() { echo "row $((($1 - 1) / 4 + 1)), column $((($1 - 1) % 4 + 1))"; }
# Turns card $1 with Space and learns its picture from what Orca says; the
# last card of a game opens the win box instead.
turn() {
    move_to "$1"
    press space
    hear "card $1, ([a-z ]+)\.|alert You're a winner!!" "turning card $1"
    if [[ $heard == alert* ]]; then
        won=yes
        return
    fi
    local name=${heard#"card $1, "}
    name=${name%.}
    [[ $name != "face down" && $name != removed ]] || fail "card $1 did not turn: $heard"
    picture[$1]=$name
}
# A card not yet seen, other than $1.
unseen() {
    local card
    for card in $(seq 16); do
        [[ -z ${picture[$card]:-} && $card != "${1:-}" ]] && { echo "$card"; return; }
    done
    fail "no card left unseen"
}
# The other card known to show picture $2, if any, besides card $1.
partner() {
    local card
    for card in "${!picture[@]}"; do
        [[ $card != "$1" && ${picture[$card]} == "$2" && -z ${gone[$card]:-} ]] && echo "$card"
    done
    return 0
}

turns=0 matches=0 heard_match= heard_miss= first= pairs=8 won=
# The number pad's ENTER is Orca's own "where am I" key: it never reaches the game.
next_turn_keys=(Return alt+n)
# A card whose partner is known too, if any.
known_pair() {
    local card
    for card in "${!picture[@]}"; do
        [[ -z ${gone[$card]:-} && -n $(partner "$card" "${picture[$card]}") ]] &&
            { echo "$card"; return; }
    done
    return 0
}
# Until a match and a miss were heard, each Next Turn key used, or the win.
more_turns() {
    [[ -n ${PEXARO_SPEECH_WHOLE_GAME:-} ]] && return 0
    [[ -z $heard_match || -z $heard_miss ]] || ((turns < ${#next_turn_keys[@]}))
}
while more_turns; do
    ((turns < 40)) || fail "forty turns without both a match and a miss"
    if [[ -z $first ]]; then
        first=$(known_pair)
        [[ -n $first ]] || first=$(unseen)
        turn "$first"
    fi
    second=$(partner "$first" "${picture[$first]}")
    [[ -n $second ]] || second=$(unseen "$first")
    turn "$second"
    turns=$((turns + 1))
    if [[ -n $won ]]; then
        ((matches + 1 == pairs)) || fail "a win after $matches of $pairs pairs"
        hear "Congratulations!!  You found all the matches!!  You took $turns turns\." "the win box"
        press Return
        break
    fi
    if [[ ${picture[$first]} == "${picture[$second]}" ]]; then
        matches=$((matches + 1))
        result="You found a MATCH!"
        heard_match=yes
    else
        result="SORRY\.\.\. You didn't find a match\."
        heard_miss=yes
    fi
    hear "$result \(Click on the 'Next Turn' button or press the ENTER key to continue\.\) Turns: $turns, Matches: $matches\.?" \
        "the result of turn $turns"

    # A pair waits for Next Turn: Space is refused, and says why.
    press space
    hear "card $second, ${picture[$second]}\. $(place "$second")\. $result \(Click on the 'Next Turn' button or press the ENTER key to continue\.\)" \
        "Space while a pair waits"

    key=${next_turn_keys[$(((turns - 1) % ${#next_turn_keys[@]}))]}
    press "$key"
    if [[ $result == You* ]]; then
        gone[$first]=yes gone[$second]=yes
        hear "card $second, removed\." "Next Turn by $key after a match"
    else
        hear "card $second, face down\." "Next Turn by $key after a miss"
    fi
    hear "Click on a card\.\.\." "the prompt after Next Turn by $key"
    ! spoken_from "$mark" | grep -q 'grayed' || fail "Next Turn by $key sounded refused"

    first=
    if [[ $result == SORRY* && -z ${turned_again:-} ]]; then
        # The card a miss has just turned face down, turned again at once.
        press space
        hear "card $second, ${picture[$second]}\." "Space on card $second right after Next Turn"
        first=$second turned_again=yes
    fi
done
echo "screen reader: $turns turns played by ear, a match and a miss heard"
