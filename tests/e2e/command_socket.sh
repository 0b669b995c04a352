#!/usr/bin/env bash
# The commands a desktop shortcut runs, against the real program (run it through
# scripts/with-xvfb.sh --tray):
#   command_socket.sh PROGRAM_FOLDER JOTWISE_STORE GRAB_SCREEN PICTURES
# `jotwise note TEXT` opens a note holding TEXT in the running program, `jotwise explorer`
# shows the explorer, `jotwise quit` ends the program as its Exit does (keywords written);
# with no program running, `jotwise note TEXT` starts one and opens the note there.
# Everything lives in a temporary folder.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

program_folder=$1
store=$2
grab=$3
pictures=$4

work=$(mktemp -d)
temporaryProfile "$work"
mkdir -p "$pictures"
programCopy "$work" "$program_folder"
jotwise="$work/bin/jotwise"
keywords="$work/Jotwise Data/keywords.jwk"
welcomedBefore
# A keyword of the user's, which Exit writes back.
printf 'biz,,Business,\n' >"$keywords"

# The programs of this run: the one started here, and the one `jotwise note` starts, found by
# its exact command line (this run's own copy of the program, without arguments).
pid=
programs() { pgrep -x -f "$jotwise" || true; }
cleanup() {
    for p in $pid $(programs); do kill -KILL "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "command socket: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; cat "$log" >&2; }
    done
    "$grab" "$pictures/command-failure.png" 2>/dev/null &&
        echo "the screen at the failure: $pictures/command-failure.png" >&2
    exit 1
}

# Runs `jotwise ARGS...`; its exit code must be $1.
jw() {
    local expected=$1 code=0
    shift
    timeout 60 "$jotwise" "$@" >>"$work/commands.log" 2>&1 || code=$?
    [ "$code" = "$expected" ] || fail "'jotwise $*' ended with $code, not $expected"
}

# The note of program $1 that `jotwise note "$2"` opened holds the text: Ctrl+S, pressed
# without giving the note the focus first, files exactly that text as a task.
noteHolds() {
    local program=$1 text=$2 note
    within 10 visibleWindow "$program" '^Task - Jotwise' || fail "no note appeared for '$text'"
    note=$(visibleWindow "$program" '^Task - Jotwise')
    xdotool key ctrl+s
    within 10 sh -c "'$store' items Tasks | cut -f3 | grep -qxF '$text'" ||
        fail "the note did not hold '$text' (filed: $("$store" items Tasks | cut -f3 | tr '\n' '|'))"
    within 10 closedWindow "$note" || fail "the note of '$text' stayed open after Ctrl+S"
}
closedWindow() { ! xdotool search --onlyvisible --name '^Task - Jotwise' | grep -qx "$1"; }

xdotool mousemove 1 1

# ---- Against a running program ----
"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
within 30 grep -q "Jotwise is running" "$work/jotwise.log" || fail "the program did not come up"

jw 0 note pack the blue box and go
within 10 visibleWindow "$pid" '^Task - Jotwise' || fail "'jotwise note' opened no note"
sleep 0.5
"$grab" "$pictures/command-note.png" || true
noteHolds "$pid" "pack the blue box and go"

jw 0 explorer
within 10 visibleWindow "$pid" 'Jotwise Store$' || fail "'jotwise explorer' showed no explorer"
"$grab" "$pictures/command-explorer.png" || true

rm -f "$keywords"
jw 0 quit
within 10 ended "$pid" || fail "the program still runs after 'jotwise quit'"
grep -qx "biz,,Business," "$keywords" || fail "'jotwise quit' did not write the keywords file"
jw 4 quit
grep -q "Jotwise is not running" "$work/commands.log" || fail "a quit with nothing running said nothing"

# ---- With no program running ----
jw 0 note water the plants
started=$(programs)
[ -n "$started" ] || fail "'jotwise note' started no program"
noteHolds "$started" "water the plants"
jw 0 quit
within 10 ended "$started" || fail "the program that 'jotwise note' started still runs after quit"

echo "command socket: passed; pictures in $pictures"
