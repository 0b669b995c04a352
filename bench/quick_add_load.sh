#!/usr/bin/env bash
# Many `jotwise add` processes filing into one store at once, as scripts and launchers may:
# 32 processes x 50 notes each into a store of 1,000 contacts, once without and once with the
# vdir mirror, then the same while processes are killed (SIGKILL) at random moments. Every
# note names a contact, so it makes a task and a journal entry; nothing may be lost, nothing
# may crash, and no task may lack its journal entry (or the reverse).
#   bench/quick_add_load.sh build/shell/jotwise build/outlook/local/jotwise-store
set -euo pipefail
source "$(dirname "$0")/seed_contacts.sh"

jotwise=$1
store=$2
processes=${PROCESSES:-32}
adds=${ADDS:-50}
contacts=1000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
count() { "$store" items "$1" | grep -c . || true; }

seedContacts "$store" "$contacts" "$work"

# One writer: its notes, one per line of its log with the exit code.
writer() {
    local who=$1 log=$2
    for i in $(seq 1 "$adds"); do
        local code=0
        "$jotwise" add call given$(((who * adds + i) % contacts + 1)) \
            surname$(((who * adds + i) % contacts + 1)) about load "$who-$i" \
            >/dev/null 2>>"$log.err" || code=$?
        echo "$code" >>"$log"
    done
}

# Runs the writers; prints the time, the notes per second and the exit codes seen.
run() {
    local label=$1 before tasks_before journal_before start elapsed
    tasks_before=$(count Tasks)
    journal_before=$(count Journal)
    rm -f "$work"/log.*
    start=$(now_ms)
    for who in $(seq 1 "$processes"); do writer "$who" "$work/log.$who" & done
    wait
    elapsed=$(($(now_ms) - start))
    local total=$((processes * adds)) failed crashed tasks journal
    failed=$(cat "$work"/log.[0-9]* | grep -vc '^0$' || true)
    crashed=$(cat "$work"/log.[0-9]* | grep -c '^13[0-9]$' || true)
    tasks=$(($(count Tasks) - tasks_before))
    journal=$(($(count Journal) - journal_before))
    awk -v l="$label" -v n="$total" -v ms="$elapsed" -v t="$tasks" -v f="$failed" -v c="$crashed" \
        'BEGIN { printf "%-20s %5d notes in %6.1f s (%5.1f notes/s): %d filed, %d failed, %d crashed; ", l, n, ms / 1000, n * 1000 / ms, t, f, c }' 
    echo "$journal journal entries"
    if [ "$failed" -gt 0 ]; then sort "$work"/log.*.err | uniq -c | sort -rn | head -3; fi
    [ "$tasks" -eq "$total" ] && [ "$journal" -eq "$total" ] && [ "$crashed" -eq 0 ]
}

status=0
run "without the mirror" || status=1
"$store" mirror --to "$work/mirror" >/dev/null
run "with the mirror" || status=1
mirrored=$(find "$work/mirror/tasks" -name '*.ics' | wc -l)
echo "mirror: $mirrored task files for $(count Tasks) tasks"
[ "$mirrored" -eq "$(count Tasks)" ] || status=1

# Killed at random moments: whatever was filed is whole.
tasks_before=$(count Tasks)
journal_before=$(count Journal)
for who in $(seq 1 "$processes"); do writer "$who" "$work/killed.$who" 2>/dev/null & done
killed=0
for round in $(seq 1 60); do
    sleep 0.0$((RANDOM % 9 + 1))
    victim=$(pgrep -f "$jotwise add" | shuf -n 1 || true)
    [ -n "$victim" ] && kill -KILL "$victim" 2>/dev/null && killed=$((killed + 1))
done
wait
tasks=$(($(count Tasks) - tasks_before))
journal=$(($(count Journal) - journal_before))
echo "killed $killed processes: $tasks tasks and $journal journal entries filed meanwhile"
[ "$tasks" -eq "$journal" ] || status=1
integrity=$(sqlite3 "$XDG_DATA_HOME/jotwise/outlook.db" 'PRAGMA integrity_check')
echo "integrity: $integrity"
[ "$integrity" = ok ] || status=1
exit $status
