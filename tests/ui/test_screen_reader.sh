#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Pexaro developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays a 4 x 4 game by keyboard with the Orca screen reader, deciding every
# move only from what Orca speaks, as a blind player would, and checks what
# it says: the game's start, each turned card, a miss and a match with the
# score, a refused Space, Next Turn from ENTER and from Alt+N, and Space on
# the card a miss has just turned face down. Orca's debug log records each
# utterance as a SPEECH OUTPUT line; no sound device is needed. It runs on a
# session bus, X display and home of its own, and waits on Orca's log.
#   test_screen_reader.sh PEXARO_BINARY
set -euo pipefail
if [[ ${1:-} != --inside ]]; then
    for tool in orca Xvfb openbox xdotool dbus-run-session script; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
    exec "$(dirname "$0")/../../scripts/private-display" --accessibility "$0" --inside "$@"
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
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do # the game first, then Orca
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    if ((status != 0 && status != 77)) && [[ -f $log ]]; then
        echo "--- what Orca spoke:"
        grep -a 'SPEECH OUTPUT' "$log" | sed "s/^.*SPEECH OUTPUT: //; s/{'established.*//" || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

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

# The player's memory: the picture heard at each card (1 to 16), the cards
# removed, and where the cursor is.
declare -A picture=() gone=()
row=1 column=1
# Arrow keys to card $1, each card on the way read out before the next key.
move_to() {
    local r=$((($1 - 1) / 4 + 1)) c=$((($1 - 1) % 4 + 1)) key
    while ((row != r || column != c)); do
        if ((column != c)); then
            key=$( ((column < c)) && echo Right || echo Left)
            column=$((column + (column < c ? 1 : -1)))
        else
            key=$( ((row < r)) && echo Down || echo Up)
            row=$((row + (row < r ? 1 : -1)))
        fi
        press "$key"
        hear "card $(((row - 1) * 4 + column)), [a-z ]+\." "the cursor moving $key"
    done
}
# Turns card $1 with Space and learns its picture from what Orca says.
turn() {
    move_to "$1"
    press space
    hear "card $1, ([a-z ]+)\." "turning card $1"
    picture[$1]=${heard#"card $1, "}
    picture[$1]=${picture[$1]%.}
    [[ ${picture[$1]} != "face down" && ${picture[$1]} != removed ]] || fail "card $1 did not turn"
}
# The card on the board that shows card $1's picture too, or the next card
# not seen yet (for card 0, the latter).
second_for() {
    local card
    for card in "${!picture[@]}"; do
        [[ $card != "$1" && ${picture[$card]} == "${picture[$1]:-}" && -z ${gone[$card]:-} ]] &&
            { echo "$card"; return; }
    done
    for card in $(seq 16); do
        [[ -z ${picture[$card]:-} ]] && { echo "$card"; return; }
    done
    fail "no card left to turn"
}

# Each turn begins on the card the last miss turned face down, so that Space
# on it right after Next Turn is heard too. The number pad's ENTER is Orca's
# own "where am I" key and never reaches the game.
turns=0 matches=0 heard_match= heard_miss= first=
while [[ -z $heard_match || -z $heard_miss ]] || ((turns < 2)); do
    ((turns < 16)) || fail "sixteen turns without both a match and a miss"
    [[ -n $first ]] || { first=$(second_for 0); turn "$first"; }
    second=$(second_for "$first")
    turn "$second"
    turns=$((turns + 1))
    if [[ ${picture[$first]} == "${picture[$second]}" ]]; then
        matches=$((matches + 1)) heard_match=yes
        result="You found a MATCH!" after=removed
        gone[$first]=yes gone[$second]=yes
    else
        result="SORRY\.\.\. You didn't find a match\." after="face down" heard_miss=yes
    fi
    result+=" \(Click on the 'Next Turn' button or press the ENTER key to continue\.\)"
    hear "$result Turns: $turns, Matches: $matches\.?" "the result of turn $turns"
    # A pair waits for Next Turn: Space is refused, and says why.
    press space
    hear "card $second, ${picture[$second]}\. row $row, column $column\. $result" "a refused Space"

    key=$( ((turns == 2)) && echo alt+n || echo Return)
    press "$key"
    hear "card $second, $after\." "Next Turn by $key"
    hear "Click on a card\.\.\." "the prompt after Next Turn by $key"
    ! spoken_from "$mark" | grep -q 'grayed' || fail "Next Turn by $key sounded refused"
    first=
    if [[ $after == "face down" ]]; then
        press space
        hear "card $second, ${picture[$second]}\." "Space on card $second right after Next Turn"
        first=$second
    fi
done
echo "screen reader: $turns turns played by ear, a match and a miss heard"
