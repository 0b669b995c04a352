#!/usr/bin/env bash
# How long `jotwise note TEXT` takes against a running program: from starting the command to
# its exit, which comes once the program has opened the note with the text and answered, and
# from starting it to the note on the screen. Run by hand, on a display with a tray host:
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




"$jotwise" >"$work/jotwise.log" 2>&1 &
pid=$!
within 30 grep -q "Jotwise is running" "$work/jotwise.log" || { echo "the program did not come up" >&2; exit 1; }
xdotool mousemove 1 1
sleep 0.5

# Timed in one Python process, so that taking a time costs microseconds, not a process: the
# note is looked for on the X server itself (libX11 through ctypes), every half millisecond.
/usr/bin/python3 - "$jotwise" "$runs" "$XDG_RUNTIME_DIR/jotwise/commands" <<'PY'
import ctypes, socket, statistics, subprocess, sys, time

jotwise, runs, command_socket = sys.argv[1], int(sys.argv[2]), sys.argv[3]

class Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                         ctypes.POINTER(ctypes.c_ulong),
                         ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                         ctypes.POINTER(ctypes.c_uint)]
x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                   ctypes.POINTER(Attributes)]
x.XFree.argtypes = [ctypes.c_void_p]
display = x.XOpenDisplay(None)
root = x.XDefaultRootWindow(display)

def note_visible(window=root, depth=0):
    name = ctypes.c_char_p()
    if depth and x.XFetchName(display, window, ctypes.byref(name)) and name.value:
        title = name.value
        x.XFree(name)
        if title.startswith(b"Task - Jotwise"):
            attributes = Attributes()
            x.XGetWindowAttributes(display, window, ctypes.byref(attributes))
            if attributes.map_state == 2:  # IsViewable
                return True
    if depth == 3:
        return False
    parent, root_return = ctypes.c_ulong(), ctypes.c_ulong()
    children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not x.XQueryTree(display, window, ctypes.byref(root_return), ctypes.byref(parent),
                        ctypes.byref(children), ctypes.byref(count)):
        return False
    found = any(note_visible(children[i], depth + 1) for i in range(count.value))
    if count.value:
        x.XFree(children)
    return found

def file_the_note():
    subprocess.run(["xdotool", "key", "ctrl+s"], check=True)
    while note_visible():
        time.sleep(0.01)

def report(label, times):
    each = " ".join(f"{t:.0f}" for t in times)
    print(f"{label} ({len(times)} times): {each} ms")
    print(f"  median: {statistics.median(times):.1f} ms, max: {max(times):.1f} ms")

versions = []
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run([jotwise, "--version"], check=True, stdout=subprocess.DEVNULL)
    versions.append((time.perf_counter() - start) * 1000)

answered, visible = [], []
for run in range(runs):
    start = time.perf_counter()
    subprocess.run([jotwise, "note", f"pack box{run} and go"], check=True)
    answered.append((time.perf_counter() - start) * 1000)
    if not note_visible():
        sys.exit(f"run {run}: the command ended before its note showed")
    file_the_note()

    start = time.perf_counter()
    command = subprocess.Popen([jotwise, "note", f"pack bag{run} and go"])
    while not note_visible():
        time.sleep(0.0005)
    visible.append((time.perf_counter() - start) * 1000)
    command.wait()
    file_the_note()

# The same request without the command's process around it.
requests = []
for run in range(runs):
    start = time.perf_counter()
    connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connection.connect(command_socket)
    connection.sendall(b"note\0pack crate" + str(run).encode() + b" and go\n")
    answer = b""
    while chunk := connection.recv(64):
        answer += chunk
    assert answer == b"ok\n", answer
    requests.append((time.perf_counter() - start) * 1000)
    file_the_note()

report("jotwise --version (starting the process)", versions)
report("jotwise note TEXT, until it ends (the program answered)", answered)
report("jotwise note TEXT, until its note is visible", visible)
report("the request alone, connect to answer", requests)
PY
filed=$("$store" items Tasks | wc -l)
runs_total=$((runs * 3))

echo "  $filed of $runs_total notes filed with their text"
