# Helpers for driving the tray program on an X display, for scripts that source this file (the
# end-to-end tests and the benchmarks that run the program).

# Gives the program a profile of its own below the new, empty folder $1: its settings, data,
# runtime folder (the user's alone, as the program demands of one) and home.
temporaryProfile() {
    export XDG_CONFIG_HOME="$1/config" XDG_DATA_HOME="$1/data" XDG_RUNTIME_DIR="$1/runtime"
    export HOME="$1/home"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$HOME"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# Copies the program from folder $2 to $1/bin, with any more of that folder's files named after
# it, and makes its keywords folder: "Jotwise Data" beside the folder it runs from.
programCopy() {
    local work=$1 from=$2 file
    shift 2
    mkdir -p "$work/bin" "$work/Jotwise Data"
    for file in jotwise "$@"; do cp "$from/$file" "$work/bin/"; done
}

# Runs a command every tenth of a second until it succeeds, for at most $1 seconds.
within() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }

# The id of the first visible window of process $1 whose title matches $2.
visibleWindow() {
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1 | grep .
}

# The tray icon of process $1: one of its windows that a tray host has taken in, so that
# its parent is no longer the root window.
trayIcon() {
    local root window parent
    root=$(xwininfo -root | awk '/Window id:/ { print $4 }')
    for window in $(xdotool search --all --pid "$1" --classname jotwise 2>/dev/null); do
        parent=$(xwininfo -id "$window" -children | awk '/Parent window id:/ { print $4 }')
        if [ -n "$parent" ] && [ "$(printf '%d' "$parent")" != "$(printf '%d' "$root")" ]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}

# "X Y WIDTH HEIGHT" of a window, in screen coordinates.
windowRectangle() {
    local X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    echo "$X $Y $WIDTH $HEIGHT"
}

# Clicks the centre of window $1 with mouse button $2.
clickCentre() {
    local x y width height
    read -r x y width height < <(windowRectangle "$1")
    xdotool mousemove --sync $((x + width / 2)) $((y + height / 2))
    sleep 0.2
    xdotool click "$2"
}

# Marks the profile under $XDG_CONFIG_HOME as one the program has run on before, so that the
# Getting Started window of a first start stays closed. Extra registry lines ($1, optional)
# come first.
welcomedBefore() {
    mkdir -p "$XDG_CONFIG_HOME/jotwise"
    printf 'REGEDIT4\n\n%s[HKEY_CURRENT_USER\\Software\\Jotwise\\Welcome]\n"Shown"=dword:00000001\n' \
        "${1:-}" >"$XDG_CONFIG_HOME/jotwise/HKEY_CURRENT_USER.reg"
}

# A session bus of the test's own, with a notification server on it: python3-dbusmock's,
# which logs every call to $1/notifications.log. $2 lists the server's capabilities; without
# it the server has the template's, which show no actions. The caller's `started` array gets
# both processes, and DBUS_SESSION_BUS_ADDRESS is exported.
sessionBusWithNotifications() {
    local work=$1 capabilities=${2:-}
    dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>"$work/bus.log" &
    started+=("$!")
    within 10 test -s "$work/bus" || return 1
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
    local parameters=()
    [ -n "$capabilities" ] && parameters=(-p "{\"capabilities\": \"$capabilities\"}")
    /usr/bin/python3 -m dbusmock --template notification_daemon "${parameters[@]}" \
        -l "$work/notifications.log" >"$work/dbusmock.out" 2>&1 &
    started+=("$!")
    within 10 dbus-send --session --print-reply --dest=org.freedesktop.Notifications \
        /org/freedesktop/Notifications org.freedesktop.Notifications.GetServerInformation \
        >/dev/null
}
