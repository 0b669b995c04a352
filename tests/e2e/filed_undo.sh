#!/usr/bin/env bash
# Taking a misread note back, as a user does, on the real program (run it through
# scripts/with-xvfb.sh --tray):
#   filed_undo.sh PROGRAM_FOLDER JOTWISE_STORE
# On a session bus of the test's own, a notification server that shows actions (python3-dbusmock's,
# which logs every call) hears of the appointment a note filed; the user's "Undo" on it moves
# the appointment to Deleted Items and opens the note again with its text.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

program_folder=$1
store=$2

work=$(mktemp -d)
temporaryProfile "$work"
programCopy "$work" "$program_folder"
jotwise="$work/bin/jotwise"
welcomedBefore

started=()
cleanup() {
    for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "filed undo: $*" >&2
    for log in jotwise.log notifications.log; do
        [ -s "$work/$log" ] && { echo "--- $log" >&2; cat "$work/$log" >&2; }
    done
    exit 1
}

sessionBusWithNotifications "$work" "actions body" ||
    fail "the session bus or its notification server did not start"

xdotool mousemove 1 1
"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
started+=("$pid")
within 30 grep -q "Jotwise is running" "$work/jotwise.log" || fail "the program did not come up"

text="lunch tomorrow at noon"
"$jotwise" note "$text" || fail "'jotwise note' failed"
within 10 visibleWindow "$pid" '^Appointment - Jotwise$' || fail "the note did not open"
note=$(visibleWindow "$pid" '^Appointment - Jotwise$')
# On a busy machine the first key can come before the note takes it: Ctrl+S is pressed again
# until the note has gone.
save() {
    visibleWindow "$pid" '^Appointment - Jotwise$' >/dev/null || return 0
    xdotool windowfocus --sync "$note" 2>/dev/null || true
    xdotool key ctrl+s
    sleep 0.7
    ! visibleWindow "$pid" '^Appointment - Jotwise$' >/dev/null
}
within 15 save || fail "Ctrl+S did not file the note"
[ "$("$store" items Calendar | wc -l)" = 1 ] || fail "the calendar holds $("$store" items Calendar)"

within 10 grep -q "Notify.*Appointment: .*12:00pm-1:00pm - $text.*undo.*Undo" \
    "$work/notifications.log" || fail "no notification with Undo said what was filed"
# The server numbers its notifications from 1.
id=$(grep -c "Notify" "$work/notifications.log")
/usr/bin/python3 - "$id" <<'PY' || fail "the user's Undo could not be sent"
import sys
import dbus
server = dbus.SessionBus().get_object("org.freedesktop.Notifications",
                                      "/org/freedesktop/Notifications")
server.EmitSignal("org.freedesktop.Notifications", "ActionInvoked", "us",
                  [dbus.UInt32(int(sys.argv[1])), "undo"],
                  dbus_interface="org.freedesktop.DBus.Mock")
PY

within 10 visibleWindow "$pid" '^Appointment - Jotwise$' || fail "Undo opened no note"
[ -z "$("$store" items Calendar)" ] || fail "the appointment is still in the Calendar"
"$store" items "Deleted Items" | grep -qF "$text" || fail "the appointment is not in Deleted Items"
echo "filed undo: the notification's Undo took the appointment back and opened the note again"
