#!/usr/bin/env bash
# Fixing a mistake as a user does, on the real program (run it through
# scripts/with-xvfb.sh --tray):
#   edit_item.sh PROGRAM_FOLDER JOTWISE_STORE GRAB_SCREEN PICTURES
# "dentist tomorrow at 3pm" is filed with `jotwise add`; the explorer opens it with Enter, its
# start is changed to 4pm in the form and saved with Ctrl+S; the store and the mirror's
# calendar file then say 16:00, and the end has moved along to 17:00. Times are UTC (TZ).
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
welcomedBefore

pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "edit item: $*" >&2
    [ -s "$work/jotwise.log" ] && { echo "--- jotwise.log" >&2; cat "$work/jotwise.log" >&2; }
    "$grab" "$pictures/edit-failure.png" 2>/dev/null &&
        echo "the screen at the failure: $pictures/edit-failure.png" >&2
    exit 1
}

# The stored time of property $1 ("Start", "End") of the only appointment.
storedTime() {
    "$store" show "$("$store" items Calendar | cut -f1)" | grep -F "($1)" | awk '{ print $(NF-2), $(NF-1) }'
}

"$store" mirror --to "$work/mirror" >/dev/null || fail "the mirror could not be switched on"
"$jotwise" add dentist tomorrow at 3pm >"$work/add.log" || fail "jotwise add did not file"
tomorrow=$(date -d tomorrow +%Y-%m-%d)
[ "$(storedTime Start)" = "$tomorrow 15:00:00" ] || fail "filed at $(storedTime Start)"

xdotool mousemove 1 1
"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
within 30 grep -q "Jotwise is running" "$work/jotwise.log" || fail "the program did not come up"
"$jotwise" explorer || fail "'jotwise explorer' failed"
within 10 visibleWindow "$pid" '^Calendar - Jotwise Store$' || fail "the explorer did not open"
explorer=$(visibleWindow "$pid" '^Calendar - Jotwise Store$')
xdotool windowfocus --sync "$explorer" 2>/dev/null || true
# A click on the appointment's row, below the list's heading, gives the list the keyboard.
read -r x y width _ < <(windowRectangle "$explorer")
# On a busy machine the first click or key can come before the window takes it: the row is
# clicked and Enter pressed again until the form shows.
openForm() {
    visibleWindow "$pid" ' - Appointment$' && return 0
    xdotool mousemove --sync $((x + width / 3)) $((y + 100)) click 1
    sleep 0.3
    xdotool key Return
    sleep 0.7
    visibleWindow "$pid" ' - Appointment$'
}
within 15 openForm || fail "Enter opened no form"
form=$(visibleWindow "$pid" ' - Appointment$')
xdotool windowfocus --sync "$form" 2>/dev/null || true
sleep 0.3
# Alt+T is the start's day; Tab walks its day, month and year, then reaches its time.
xdotool key alt+t Tab Tab Tab ctrl+a
xdotool type --delay 20 "4:00pm"
xdotool key Tab
sleep 0.3
"$grab" "$pictures/edit-appointment.png" || true
xdotool key ctrl+s
within 10 sh -c "! xdotool search --onlyvisible --name ' - Appointment\$' | grep -qx '$form'" ||
    fail "the form stayed open after Ctrl+S"

[ "$(storedTime Start)" = "$tomorrow 16:00:00" ] || fail "the start is $(storedTime Start)"
[ "$(storedTime End)" = "$tomorrow 17:00:00" ] || fail "the end is $(storedTime End)"
ics=$(cat "$work"/mirror/calendar/*.ics)
day=${tomorrow//-/}
grep -q "^DTSTART:${day}T160000Z" <<<"$ics" || fail "the mirror's file says $(grep DTSTART <<<"$ics")"
grep -q "^DTEND:${day}T170000Z" <<<"$ics" || fail "the mirror's file says $(grep DTEND <<<"$ics")"
echo "edit item: the start moved to 16:00 in the store and the mirror"
