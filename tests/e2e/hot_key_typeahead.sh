#!/usr/bin/env bash
# Keys typed straight after Ctrl+Alt+N all reach the note, in order, on a busy machine (run it
# through scripts/with-xvfb.sh --tray):
#   hot_key_typeahead.sh PROGRAM_FOLDER JOTWISE_STORE [RUNS]
# Both cores are kept busy while, RUNS times (50 unless given), xdotool presses the hot key and
# types a sentence and Ctrl+S at once, as fast as a person who does not wait for the note; no
# window has the focus before the note, so a key that reaches the X server before the note
# has the focus goes nowhere. Every sentence must be filed whole. Everything lives in a
# temporary folder.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

program_folder=$1
store=$2
runs=${3:-50}

work=$(mktemp -d)
temporaryProfile "$work"
programCopy "$work" "$program_folder"
welcomedBefore

started=()
cleanup() {
    for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "hot key typeahead: $*" >&2
    [ -s "$work/jotwise.log" ] && cat "$work/jotwise.log" >&2
    exit 1
}

"$work/bin/jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
started+=("$pid")
disown "$pid"
within 30 grep -q "Jotwise is running: press Ctrl+Alt+N" "$work/jotwise.log" ||
    fail "the program did not come up with its hot key"

# A busy loop on every core, at the same priority as the program.
for _ in $(seq "$(nproc)"); do
    bash -c 'while :; do :; done' &
    started+=("$!")
    disown "$!"
done

subject() { echo "pack box$1 and go"; }
filedSubjects() { "$store" items Tasks | cut -f3; }
# The pointer rests on the bare desktop: nothing there takes keys.
xdotool mousemove 1 1

for run in $(seq "$runs"); do
    xdotool key ctrl+alt+n type --delay 12 "$(subject "$run")"
    xdotool key ctrl+s
    # A moment for the note to go, as a person would take; a note that lost its Ctrl+S stays
    # open.
    sleep 0.2
done
within 30 sh -c "[ \$('$store' items Tasks | wc -l) -ge $runs ]" || true

filedSubjects >"$work/filed"
lost=0
broken=0
for run in $(seq "$runs"); do
    expected=$(subject "$run")
    if ! grep -qxF "$expected" "$work/filed"; then
        broken=$((broken + 1))
        lost=$((lost + ${#expected}))
        echo "not filed whole: '$expected'" >&2
    fi
done
# What arrived of the sentences that did not arrive whole.
arrived=$({ grep -vxF -f <(for run in $(seq "$runs"); do subject "$run"; done) "$work/filed" ||
    true; } | tr -d '\n' | wc -c)
lost=$((lost - arrived))
echo "hot key typeahead: $broken of $runs sentences not filed whole, $lost characters lost"
[ "$broken" = 0 ] || fail "keys typed straight after the hot key were lost"
