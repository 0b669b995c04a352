#!/usr/bin/env bash
# Without a tray host the program runs on (run it through scripts/with-xvfb.sh, without --tray):
#   no_tray_host.sh PROGRAM_FOLDER
# The program starts on a display without a tray host, with a session bus of the test's own on
# which a notification server logs every call. Ten seconds later it must still run, show the
# window that says what to do without the icon, and have sent that as a notification; a tray
# host started afterwards must get the icon. Everything lives in a temporary folder.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

program_folder=$1

work=$(mktemp -d)
temporaryProfile "$work"
programCopy "$work" "$program_folder"
welcomedBefore

started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "no tray host: $*" >&2
    for log in jotwise.log notifications.log; do
        [ -s "$work/$log" ] && { echo "--- $log" >&2; cat "$work/$log" >&2; }
    done
    exit 1
}

sessionBusWithNotifications "$work" ||
    fail "the session bus or its notification server did not start"

"$work/bin/jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
started+=("$pid")
# The tray host gets ten seconds to appear; then the program goes on without one.
within 30 grep -q "no system tray" "$work/jotwise.log" || fail "the program did not come up"
sleep 5
running "$pid" || fail "the program ended without a tray host"
! grep -q "Application initialization failed" "$work/jotwise.log" || fail "an error was shown"
within 10 visibleWindow "$pid" "without a Tray Icon" ||
    fail "the window that says what to do without a tray is not shown"
within 10 grep -q "Notify.*Jotwise is running without a tray icon.*jotwise note" \
    "$work/notifications.log" || fail "no desktop notification was sent"
[ "$(grep -c "Notify" "$work/notifications.log")" = 1 ] || fail "told more than once"
trayIcon "$pid" && fail "an icon was embedded without a tray host"

# A tray host that starts late gets the icon.
trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel \
    --height 24 >"$work/trayer.log" 2>&1 &
started+=("$!")
within 15 trayIcon "$pid" || fail "the icon did not come to the tray host that started later"
grep -q "icon is in the system tray now" "$work/jotwise.log" || fail "the console was not told"
running "$pid" || fail "the program ended"

kill -TERM "$pid"
within 10 ended "$pid" || fail "the program did not end on SIGTERM"
echo "no tray host: the program ran on, told the user once, and took the tray host that came"
