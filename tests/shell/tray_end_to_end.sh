#!/usr/bin/env bash
# The tray program end to end, as a user drives it, on a display with a tray host (run it
# through scripts/with-xvfb.sh --tray):
#   tray_end_to_end.sh JOTWISE JOTWISE_STORE
# A contact is seeded, the program starts and shows its tray icon, Ctrl+Alt+N opens a note,
# a sentence is typed and saved, a second copy is turned away with exit code 0, and Exit in
# the tray menu ends the program; then a termination signal ends a second run. Every wait is
# bounded, and everything lives in a temporary folder.
set -euo pipefail

jotwise=$1
store=$2

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

# The program runs from a folder of its own, so that its keywords folder ("Jotwise Data"
# beside the program's folder) is the test's too.
mkdir -p "$work/bin" "$work/Jotwise Data"
cp "$jotwise" "$work/bin/jotwise"
jotwise="$work/bin/jotwise"

started=()
cleanup() {
    for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "tray end-to-end: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; cat "$log" >&2; }
    done
    exit 1
}

# Runs a command every tenth of a second until it succeeds, for at most $1 seconds.
within() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

root=$(xwininfo -root | awk '/Window id:/ { print $4 }')

# The program's tray icon: one of its windows that a tray host has taken in, so that its
# parent is no longer the root window.
trayIcon() {
    local pid=$1 window parent
    for window in $(xdotool search --all --pid "$pid" --classname jotwise 2>/dev/null); do
        parent=$(xwininfo -id "$window" -children | awk '/Parent window id:/ { print $4 }')
        if [ -n "$parent" ] && [ "$(printf '%d' "$parent")" != "$(printf '%d' "$root")" ]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

running() { kill -0 "$1" 2>/dev/null; }
# The tray menu is open: a window of the program besides its tray icon shows.
menuOpen() {
    [ "$(xdotool search --all --onlyvisible --pid "$1" --classname jotwise | wc -l)" -ge 2 ]
}
ended() { ! running "$1"; }

# Clicks the tray icon's centre with `button`.
clickTrayIcon() {
    local icon=$1 button=$2
    local x y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$icon" | grep -E '^(WIDTH|HEIGHT)=')"
    x=$(xwininfo -id "$icon" | awk '/Absolute upper-left X:/ { print $4 }')
    y=$(xwininfo -id "$icon" | awk '/Absolute upper-left Y:/ { print $4 }')
    xdotool mousemove $((x + WIDTH / 2)) $((y + HEIGHT / 2)) click "$button"
}

"$store" add-contact --first Ann --last Lee --email ann@example.com >/dev/null ||
    fail "the contact could not be seeded"

# ---- Start: the splash, then the tray icon ----
"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
started+=("$pid")
within 20 trayIcon "$pid" || fail "no tray icon appeared"
icon=$(trayIcon "$pid")

# ---- The hot key opens a note; a sentence is typed and saved ----
xdotool key ctrl+alt+n
within 10 xdotool search --all --onlyvisible --pid "$pid" --name '^Task - Jotwise' ||
    fail "Ctrl+Alt+N opened no note"
note=$(xdotool search --all --onlyvisible --pid "$pid" --name '^Task - Jotwise' | head -n 1)
xdotool windowfocus --sync "$note" 2>/dev/null || true
xdotool type --delay 20 "call the bank about the loan"
xdotool key ctrl+s
within 10 sh -c "'$store' items Tasks | grep -q 'call the bank about the loan'" ||
    fail "the note was not filed into Tasks"
within 10 sh -c "! xdotool search --all --onlyvisible --pid $pid --name '^Task - Jotwise'" ||
    fail "the saved note did not close"

# ---- A second copy is turned away ----
"$jotwise" >"$work/second.log" 2>&1 &
second=$!
started+=("$second")
within 10 xdotool search --all --onlyvisible --pid "$second" --name 'Jotwise for Microsoft Outlook' ||
    fail "the second copy showed no box"
box=$(xdotool search --all --onlyvisible --pid "$second" --name 'Jotwise for Microsoft Outlook' | head -n 1)
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
within 10 ended "$second" || fail "the second copy did not end after its box"
status=0
wait "$second" || status=$?
[ "$status" = 0 ] || fail "the second copy ended with $status, not 0"
running "$pid" || fail "the first copy ended with the second"

# ---- Exit from the tray menu ----
clickTrayIcon "$icon" 3
within 5 menuOpen "$pid" || fail "the tray menu did not open"
# Up from no item selects the last one: Exit.
xdotool key Up Return
within 10 ended "$pid" || fail "Exit did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "the program ended with $status after Exit"
[ -f "$work/Jotwise Data/keywords.jwk" ] || fail "Exit did not write the keywords file"

# ---- A termination signal ends a run cleanly, even with a note open ----
"$jotwise" >"$work/third.log" 2>&1 &
third=$!
started+=("$third")
within 20 trayIcon "$third" || fail "no tray icon appeared on the second run"
xdotool key ctrl+alt+n
within 10 xdotool search --all --onlyvisible --pid "$third" --name '^Task - Jotwise' ||
    fail "Ctrl+Alt+N opened no note on the second run"
xdotool type --delay 20 "a note left open"
kill -TERM "$third"
within 10 ended "$third" || fail "a termination signal did not end the program"
status=0
wait "$third" || status=$?
[ "$status" = 0 ] || fail "the program ended with $status after a termination signal"

echo "tray end-to-end: passed"
