#!/usr/bin/env bash
# How fast the tray program starts and opens a note with 5,000 contacts, and its memory with
# three notes open. Run by hand, on a display with a tray host:
#   scripts/with-xvfb.sh --tray bench/startup_bench.sh build/shell/jotwise \
#       build/outlook/local/jotwise-store [RUNS]
# Times are wall-clock, taken by polling the X server for the program's windows, so each
# carries a few milliseconds of polling. Everything lives in a temporary folder.
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/desktop.sh"

jotwise=$1
store=$2
runs=${3:-5}
contacts=5000
hold_ms=2000

work=$(mktemp -d)
temporaryProfile "$work"
welcomedBefore
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }
now_us() { echo $(($(date +%s%N) / 1000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

noteVisible() { xdotool search --all --onlyvisible --pid "$pid" --name '^Task - Jotwise' >/dev/null 2>&1; }
stop() {
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

echo "Seeding $contacts contacts..."
{
    for i in $(seq $contacts); do
        printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Surname%d;Given%d;;;\r\nFN:Given%d Surname%d\r\n' \
            $((i % 977)) "$i" "$i" $((i % 977))
        printf 'EMAIL:given%d@example.com\r\nEND:VCARD\r\n' "$i"
    done
} >"$work/contacts.vcf"
"$store" import-vcard "$work/contacts.vcf" >/dev/null
echo "  $("$store" items Contacts | wc -l) contacts in the store"
mkdir -p "$(dirname "$jotwise")/../Jotwise Data"

echo "Start to tray icon ($runs runs):"
starts=()
for _ in $(seq "$runs"); do
    t0=$(now_ms)
    "$jotwise" >"$work/jotwise.log" 2>&1 &
    pid=$!
    until trayIcon "$pid" >/dev/null; do sleep 0.005; done
    starts+=($(($(now_ms) - t0)))
    stop
done
with_hold=$(printf '%s\n' "${starts[@]}" | median)
echo "  each: ${starts[*]} ms"
echo "  median: ${with_hold} ms with the ${hold_ms} ms hold, $((with_hold - hold_ms)) ms without"

"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
until trayIcon "$pid" >/dev/null; do sleep 0.005; done
sleep 0.5

# What the measuring itself costs: one key press and one look for the note.
t0=$(now_us)
xdotool key shift
noteVisible || true
echo "Pressing a key and looking once for the note take $((($(now_us) - t0) / 1000)) ms"
echo "Hot key to visible note (20 times):"
opens=()
for _ in $(seq 20); do
    t0=$(now_us)
    xdotool key ctrl+alt+n
    until noteVisible; do :; done
    opens+=($((($(now_us) - t0) / 1000)))
    sleep 0.2
    xdotool key Escape
    while noteVisible; do sleep 0.01; done
    sleep 0.2
done
echo "  each: ${opens[*]} ms"
echo "  median: $(printf '%s\n' "${opens[@]}" | median) ms"

for _ in 1 2 3; do
    xdotool key ctrl+alt+n
    until noteVisible; do sleep 0.01; done
    xdotool type "lunch with given12 surname12 tomorrow at noon"
    sleep 0.3
done
echo "Resident memory with $contacts contacts and three open notes:" \
    "$(awk '/VmRSS/ { printf "%.1f MiB", $2 / 1024 }' "/proc/$pid/status")"
stop
