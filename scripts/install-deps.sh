#!/usr/bin/env bash
# Installs what building and testing Jotwise needs on Debian 12, and only what is
# missing, so that running it again costs nothing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    locales binutils procps
    qt6-base-dev libqt6svg6 libsqlite3-dev sqlite3 libx11-dev libxkbcommon-dev libxtst-dev libical-dev
    # The command line's allocator: `jotwise add` makes tens of thousands of small blocks.
    libmimalloc-dev
    xvfb xauth xdotool trayer x11-utils
    desktop-file-utils
    # A private session bus with a notification server and a fake desktop portal, for the
    # desktop-notification and Wayland hot key tests.
    dbus python3-dbusmock
    # The calendar programs and the CalDAV server the vdir mirror's tests use.
    khal todoman vdirsyncer radicale
    # Mail: GMime builds the messages; the transport's tests deliver through msmtp to a real
    # SMTP server on loopback.
    libgmime-3.0-dev msmtp python3-aiosmtpd
    # The desktop's calendar and address book: EDS's libraries for the module that talks to
    # them, and its services, which the tests start on a session bus of their own.
    libecal2.0-dev libebook1.2-dev libedataserver1.2-dev evolution-data-server
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The date-format tests read these locales' short-date order.
for loc in en_US de_DE sv_SE; do
    if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
        echo "Generating locale ${loc}.UTF-8"
        as_root localedef -i "$loc" -c -f UTF-8 "${loc}.UTF-8"
    fi
done
