#!/usr/bin/env bash
# A reminder rings on the real program (run it through scripts/with-xvfb.sh --tray):
#   reminders.sh PROGRAM_FOLDER
# With a session bus of the test's own and a notification server on it that shows actions and
# logs every call (python3-dbusmock's), the program runs; `jotwise add` files an appointment
# that starts within the quarter of an hour, so its reminder is due at once, and the program
# must show it as a notification with Snooze and Dismiss. Everything lives in a temporary
# folder.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

program_folder=$1

work=$(mktemp -d)
temporaryProfile "$work"
programCopy "$work" "$program_folder"
jotwise="$work/bin/jotwise"
welcomedBefore

started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "reminders: $*" >&2
    for log in jotwise.log add.log notifications.log; do
        [ -s "$work/$log" ] && { echo "--- $log" >&2; cat "$work/$log" >&2; }
    done
    exit 1
}

sessionBusWithNotifications "$work" "actions body" ||
    fail "the session bus or its notification server did not start"

"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
started+=("$pid")
within 30 grep -q "Jotwise is running" "$work/jotwise.log" || fail "the program did not come up"
grep -q "Notify" "$work/notifications.log" 2>/dev/null && fail "a reminder rang with none due"

# Ten minutes from now, or five minutes ago where that would be tomorrow: a start that has
# passed today still reminds, once.
at=$(date -d "+10 minutes" +%-I:%M%P)
[ "$(date -d "+10 minutes" +%F)" = "$(date +%F)" ] || at=$(date -d "-5 minutes" +%-I:%M%P)
"$jotwise" add "dentist today at $at" >"$work/add.log" 2>&1 || fail "jotwise add did not file"

within 30 grep -qi "Notify.*dentist" "$work/notifications.log" ||
    fail "no notification for the reminder"
notify=$(grep -i "Notify.*dentist" "$work/notifications.log")
for part in '"x-jotwise.reminder"' '"snooze"' '"Snooze 5 min"' '"dismiss"' '"default"' '"Open"'; do
    grep -qF "$part" <<<"$notify" || fail "the notification lacks $part: $notify"
done
[ "$(grep -c "Notify" "$work/notifications.log")" = 1 ] || fail "rang more than once"
visibleWindow "$pid" "^Reminders" && fail "the reminders window showed beside the notification"
running "$pid" || fail "the program ended"

kill -TERM "$pid"
within 10 ended "$pid" || fail "the program did not end on SIGTERM"
echo "reminders: the appointment filed beside the running program rang as a notification"
