#!/usr/bin/env bash
# Runs a command on a virtual X display of its own, with Qt drawing through X:
#   scripts/with-xvfb.sh [--tray] COMMAND [ARGS...]
# --tray also starts a system-tray host (trayer) on that display. The display and the
# tray host are stopped when the command ends; the command's exit code is returned.
set -euo pipefail

tray=0
if [ "${1:-}" = "--tray" ]; then
    tray=1
    shift
fi

workdir=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to the file it is handed; the desktop
# behind the windows is white, so that pictures of them look as on a plain desktop.
Xvfb -displayfd 3 -screen 0 1280x800x24 -wr -nolisten tcp 3>"$workdir/display" 2>"$workdir/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$workdir/display" ] && break
    sleep 0.05
done
if [ ! -s "$workdir/display" ]; then
    echo "with-xvfb: Xvfb did not start:" >&2
    cat "$workdir/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$workdir/display")"
export QT_QPA_PLATFORM=xcb

if [ "$tray" = 1 ]; then
    trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel \
        --height 24 >"$workdir/trayer.log" 2>&1 &
    pids+=($!)
fi

status=0
"$@" || status=$?
exit "$status"
