#!/usr/bin/env bash
# Items filed in Jotwise reach the desktop's calendar (Evolution Data Server), read back
# through libecal as the desktop's programs read them:
#   desktop_calendar.sh PROGRAM_FOLDER JOTWISE_STORE DESKTOP_MODULE EDS_READER
# EDS's services start on demand on a session bus of the test's own, with every XDG folder
# and the settings backend the test's own too.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

if [ -z "${JOTWISE_EDS_SESSION:-}" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    temporaryProfile "$work"
    export XDG_CACHE_HOME="$work/cache" GSETTINGS_BACKEND=memory JOTWISE_EDS_SESSION="$work"
    mkdir -p "$XDG_CACHE_HOME"
    unset DBUS_SESSION_BUS_ADDRESS
    status=0
    dbus-run-session -- "$0" "$@" || status=$?
    exit $status
fi

work=$JOTWISE_EDS_SESSION
programCopy "$work" "$1"
cp "$2" "$3" "$work/bin/"
jotwise="$work/bin/jotwise"
store="$work/bin/jotwise-store"
reader=$4

fail() {
    echo "desktop calendar: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; cat "$log" >&2; }
    done
    exit 1
}

# The unfolded lines of property $2 in list $1 (calendar, tasks or memos).
linesIn() { "$reader" "$1" | sed -e ':a' -e 'N' -e '$!ba' -e 's/\r\n //g' | tr -d '\r' | grep "^$2[:;]" || true; }
# The category names in CATEGORIES lines on standard input, sorted, one line: libical splits one
# line of several names into a line each.
categoryNames() { sed -n 's/^CATEGORIES[^:]*://p' | tr ',' '\n' | sort | paste -sd, -; }
holds() { "$reader" "$1" | tr -d '\r' | grep -q "$2"; }
# The entry id `jotwise add` printed for its last item in log $1.
entryIn() { sed -n 's/^entry id: //p' "$1" | tail -n 1; }
milliseconds() { date +%s%3N; }

"$store" desktop-calendar --status >"$work/status-off.log" || fail "--status failed"
grep -q "is off" "$work/status-off.log" || fail "the switch is not off at first"
"$store" desktop-calendar --on >"$work/on.log" 2>&1 || fail "--on failed"
grep -q "is on: 0 items written" "$work/on.log" || fail "--on said something else"
"$store" desktop-calendar --status >"$work/status.log" || fail "--status failed"
grep -q 'Calendar (appointments, meeting requests): Personal' "$work/status.log" && grep -q "answers" "$work/status.log" ||
    fail "--status names no source"

# The appointment, with the item's own times, subject and categories.
"$store" add-contact --first Ann --last Lee --email ann@example.com >/dev/null
before=$(milliseconds)
"$jotwise" add lunch with ann lee tomorrow at noon >"$work/add.log" 2>&1 || fail "jotwise add failed"
lunch=$(entryIn "$work/add.log")
after=$(milliseconds)
holds calendar "^BEGIN:VEVENT" || fail "no VEVENT in the desktop's calendar"
echo "jotwise add, from start to the item readable in EDS: $((after - before)) ms"
tomorrow=$(date -d tomorrow +%Y%m%d)
[ "$(linesIn calendar DTSTART)" = "DTSTART:${tomorrow}T120000Z" ] ||
    fail "start is $(linesIn calendar DTSTART)"
"$store" export --ics Calendar | tr -d '\r' >"$work/export.ics"
[ "$(linesIn calendar CATEGORIES | categoryNames)" = "$(categoryNames <"$work/export.ics")" ] ||
    fail "categories are '$(linesIn calendar CATEGORIES)'"
for property in DTEND SUMMARY UID; do
    expected=$(grep "^$property[:;]" "$work/export.ics" || true)
    [ "$(linesIn calendar "$property")" = "$expected" ] ||
        fail "$property is '$(linesIn calendar "$property")', the store has '$expected'"
done
[ -n "$(linesIn calendar SUMMARY)" ] || fail "no SUMMARY"

# A task and a note land in their lists.
"$jotwise" add --type task call the plumber friday >>"$work/add.log" 2>&1 || fail "task not filed"
"$jotwise" add --type note gate code is 4711 >>"$work/add.log" 2>&1 || fail "note not filed"
holds tasks "^BEGIN:VTODO" || fail "no VTODO in the task list"
holds memos "^BEGIN:VJOURNAL" || fail "no VJOURNAL in the memo list"

# A repeating appointment keeps its rule, and the time zone its local times name comes along.
TZ=Europe/Berlin "$jotwise" add standup every monday at 9am >>"$work/add.log" 2>&1 || fail "repeat not filed"
standup=$(entryIn "$work/add.log")
linesIn calendar RRULE | grep -q "FREQ=WEEKLY" || fail "no weekly RRULE: '$(linesIn calendar RRULE)'"
linesIn calendar DTSTART | grep -q "^DTSTART;TZID=.*Berlin.*:20[0-9]*T090000$" ||
    fail "the repeat starts '$(linesIn calendar DTSTART)'"
"$store" delete "$standup" >/dev/null || fail "delete failed"

# An edit and a delete made in Jotwise reach it.
"$store" set "$lunch" subject="Lunch with Ann Lee at Rosa's" categories="Business, Food" \
    >/dev/null || fail "set failed"
holds calendar "SUMMARY:Lunch with Ann Lee at Rosa's" || fail "the edit did not reach EDS"
[ "$(linesIn calendar CATEGORIES | categoryNames)" = "Business,Food" ] ||
    fail "categories are '$(linesIn calendar CATEGORIES)'"
"$store" delete "$lunch" >/dev/null || fail "delete failed"
holds calendar "BEGIN:VEVENT" && fail "the deleted appointment is still in EDS"

# Every process compares the store with EDS when it starts; that writes nothing twice.
[ "$("$reader" tasks | grep -c '^BEGIN:VTODO')" = 1 ] || fail "the task list holds duplicates"

# With EDS out of reach a save still succeeds, and is caught up once it answers again.
before=$(milliseconds)
DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$jotwise" add dentist friday at 3pm \
    >"$work/unreachable.log" 2>&1 || fail "jotwise add failed without EDS"
dentist=$(entryIn "$work/unreachable.log")
after=$(milliseconds)
echo "jotwise add with EDS out of reach: $((after - before)) ms"
grep -q "desktop calendar cannot be reached" "$work/unreachable.log" ||
    fail "an unreachable EDS was not reported"
"$store" show "$dentist" | grep -q "dentist" || fail "the item was not saved without EDS"
"$store" folders >/dev/null
holds calendar "SUMMARY:[Dd]entist" || fail "the missed item was not caught up"

"$store" desktop-calendar --off >"$work/off.log" || fail "--off failed"
"$jotwise" add --type task water the plants >>"$work/add.log" 2>&1 || fail "task not filed"
holds tasks "plants" && fail "a task reached EDS with the switch off"
echo "desktop calendar: all passed"
