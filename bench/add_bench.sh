#!/usr/bin/env bash
# `jotwise add` end to end with 1,000 contacts in the store, against `khal new` filing a
# structured event into a vdir calendar: the two run alternately, 10 times each, and the
# medians and their ratio are printed, then the same with the disk flushed before each
# command, then `jotwise add` alone, back to back, without its contact cache, and with the
# store held open, and its peak memory. No display needed:
#   bench/add_bench.sh build/shell/jotwise build/outlook/local/jotwise-store [RUNS]
# Everything lives in a temporary folder.
set -euo pipefail
source "$(dirname "$0")/seed_contacts.sh"

jotwise=$(realpath "$1")
store=$(realpath "$2")
runs=${3:-10}
contacts=1000

# khal is what `jotwise add` is held against; without it only `jotwise add` is timed.
command -v khal >/dev/null || echo "khal is not installed (apt-get install khal): no comparison"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export XDG_CACHE_HOME="$work/cache" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$XDG_CACHE_HOME" "$HOME" \
    "$work/khal/notes"
chmod 700 "$XDG_RUNTIME_DIR"

seedContacts "$store" "$contacts" "$work"

cat >"$work/khal.conf" <<KHAL
[calendars]
[[notes]]
path = $work/khal/notes
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
[default]
default_calendar = notes
KHAL

/usr/bin/python3 - "$jotwise" "$work/khal.conf" "$runs" "$XDG_DATA_HOME/jotwise/outlook.db" <<'PY'
import os, resource, shutil, sqlite3, statistics, subprocess, sys, time

jotwise, khal_conf, runs, store = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
tomorrow = time.strftime("%Y-%m-%d", time.localtime(time.time() + 86400))
commands = {
    "jotwise add": [jotwise, "add", "lunch with given42 surname42 tomorrow at noon"],
    "khal new": ["khal", "-c", khal_conf, "new", "-a", "notes", tomorrow, "12:00", "13:00",
                 "Lunch with Given42 Surname42"],
}
if not shutil.which("khal"):
    del commands["khal new"]

def run(argv, flushed=False):
    # `jotwise add` makes its item durable (fdatasync), and the sync can wait for what other
    # programs left unwritten, such as the calendar file khal has just written. Flushed: the
    # disk is synced before the command starts, so that neither is charged for the other's
    # writes.
    if flushed:
        os.sync()
    start = time.perf_counter()
    subprocess.run(argv, check=True, stdout=subprocess.DEVNULL)
    return (time.perf_counter() - start) * 1000

# One of each first: the files the two read are in the page cache for both.
for argv in commands.values():
    run(argv)

def alternately(flushed):
    times = {name: [] for name in commands}
    for _ in range(runs):
        for name, argv in commands.items():
            times[name].append(run(argv, flushed))
    print("alternately, each on a flushed disk:" if flushed else "alternately:")
    for name, each in times.items():
        print(f"  {name:12} ({runs} runs): median {statistics.median(each):6.1f} ms, "
              f"min {min(each):6.1f} ms, max {max(each):6.1f} ms")
    if "khal new" in times:
        ratio = statistics.median(times["khal new"]) / statistics.median(times["jotwise add"])
        print(f"  jotwise add is {ratio:.1f} times as fast as khal new")

alternately(False)
alternately(True)

# `jotwise add` alone, back to back: what it costs with no other program's writes around.
def backToBack(label):
    each = [run(commands["jotwise add"]) for _ in range(runs)]
    print(f"jotwise add {label} ({runs} runs): median {statistics.median(each):6.1f} ms, "
          f"min {min(each):6.1f} ms, max {max(each):6.1f} ms")

backToBack("back to back")
# Without the copy of the contact list it keeps between runs, as on the first run after a
# contact changed: it reads the Contacts folder whole and writes the copy again.
contactCache = os.path.join(os.environ["XDG_CACHE_HOME"], "jotwise", "contacts.cache")
def withoutContactCache():
    os.remove(contactCache)
    return run(commands["jotwise add"])
each = [withoutContactCache() for _ in range(runs)]
print(f"jotwise add without its contact cache ({runs} runs): median "
      f"{statistics.median(each):6.1f} ms, min {min(each):6.1f} ms, max {max(each):6.1f} ms")
# While another program has the store open, as the tray program has while it runs: the
# store's log file is then kept between two `jotwise add`s rather than made anew by each.
holder = sqlite3.connect(store)
holder.execute("SELECT count(*) FROM items").fetchone()
backToBack("back to back, store held open")
holder.close()

# Peak memory, in a child of its own so that nothing else counts.
peak = subprocess.run(
    [sys.executable, "-c",
     "import resource, subprocess, sys; subprocess.run(sys.argv[1:], check=True, "
     "stdout=subprocess.DEVNULL); "
     "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)", *commands["jotwise add"]],
    check=True, capture_output=True, text=True).stdout
print(f"peak memory of jotwise add: {int(peak) / 1024:.1f} MiB")
PY
echo "$("$store" items Calendar | wc -l) appointments filed"
