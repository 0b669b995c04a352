#!/usr/bin/env bash
# How long `jotwise note TEXT` takes against a running program: from starting the command to
# its exit, which comes once the program has opened the note with the text and answered. Run
# by hand, on a display with a tray host:
#   scripts/with-xvfb.sh --tray bench/command_bench.sh build/shell/jotwise \
#       build/outlook/local/jotwise-store [RUNS]
# `jotwise --version` is timed too: what starting the command's process costs by itself; and
# the request alone, from connecting to the socket to the program's answer.
# Each note is filed with Ctrl+S before the next, so that notes do not pile up. Everything
# lives in a temporary folder.
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/desktop.sh"

jotwise=$1
store=$2
runs=${3:-20}

work=$(mktemp -d)
temporaryProfile "$work"
welcomedBefore
pid=
cleanup() {
    [ -n "$pid" ] && { kill -TERM "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
    rm -rf "$work"
}
trap cleanup EXIT

now_us() { echo $(($(date +%s%N) / 1000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
noteVisible() { xdotool search --all --onlyvisible --pid "$pid" --name '^Task - Jotwise' >/dev/null 2>&1; }

"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
within 30 grep -q "Jotwise is running" "$work/jotwise.log" || { echo "the program did not come up" >&2; exit 1; }
xdotool mousemove 1 1
sleep 0.5

versions=()
for _ in $(seq "$runs"); do
    t0=$(now_us)
    "$jotwise" --version >/dev/null
    versions+=($((($(now_us) - t0) / 1000)))
done

notes=()
for run in $(seq "$runs"); do
    t0=$(now_us)
    "$jotwise" note "pack box$run and go"
    notes+=($((($(now_us) - t0) / 1000)))
    noteVisible || { echo "run $run: the command ended before its note showed" >&2; exit 1; }
    xdotool key ctrl+s
    while noteVisible; do sleep 0.01; done
done
# From starting the command to its note on the screen, looked for as fast as xdotool can
# (a look takes a few milliseconds, which the times include).
visible=()
for run in $(seq "$runs"); do
    t0=$(now_us)
    "$jotwise" note "pack bag$run and go" &
    until noteVisible; do :; done
    visible+=($((($(now_us) - t0) / 1000)))
    wait $!
    xdotool key ctrl+s
    while noteVisible; do sleep 0.01; done
done
# The same request without the command's process around it.
socket="$XDG_RUNTIME_DIR/jotwise/commands"
answers=()
for run in $(seq "$runs"); do
    answers+=($(python3 - "$socket" "$run" <<'PY'
import socket, sys, time
start = time.perf_counter()
s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
s.connect(sys.argv[1])
s.sendall(b"note\0pack crate" + sys.argv[2].encode() + b" and go\n")
answer = b""
while chunk := s.recv(64):
    answer += chunk
assert answer == b"ok\n", answer
print(round((time.perf_counter() - start) * 1000))
PY
))
    xdotool key ctrl+s
    while noteVisible; do sleep 0.01; done
done
filed=$("$store" items Tasks | wc -l)
runs_total=$((runs * 3))

echo "jotwise --version ($runs times): ${versions[*]} ms"
echo "  median: $(printf '%s\n' "${versions[@]}" | median) ms (starting the process)"
echo "jotwise note TEXT, until answered ($runs times): ${notes[*]} ms"
echo "  median: $(printf '%s\n' "${notes[@]}" | median) ms, max: $(printf '%s\n' "${notes[@]}" | sort -n | tail -1) ms"
echo "jotwise note TEXT, until its note is visible ($runs times): ${visible[*]} ms"
echo "  median: $(printf '%s\n' "${visible[@]}" | median) ms, max: $(printf '%s\n' "${visible[@]}" | sort -n | tail -1) ms"
echo "the request alone, connect to answer ($runs times): ${answers[*]} ms"
echo "  median: $(printf '%s\n' "${answers[@]}" | median) ms, max: $(printf '%s\n' "${answers[@]}" | sort -n | tail -1) ms"
echo "  $filed of $runs_total notes filed with their text"
