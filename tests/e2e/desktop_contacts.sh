#!/usr/bin/env bash
# Contacts of the desktop's own address book (Evolution Data Server) in Jotwise:
#   desktop_contacts.sh PROGRAM_FOLDER JOTWISE_STORE EDS_CONTACTS_TOOL
# On a session bus of the test's own (dbus-run-session), where EDS's services start on demand,
# with a profile of its own (settings, data, cache and runtime folders) and GSettings in
# memory: a contact added to the desktop's address book comes into Contacts with
# `jotwise-store desktop-contacts --sync` and works as a keyword of `jotwise add`; a change and
# a removal follow; the user's own contact is never touched. With a display (run through
# scripts/with-xvfb.sh --tray), the running tray program with the desktop calendar switched
# on brings in a contact added while it runs.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

if [ "${1:-}" != "--inside" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    temporaryProfile "$work"
    export XDG_CACHE_HOME="$work/cache" GSETTINGS_BACKEND=memory
    mkdir -p "$XDG_CACHE_HOME"
    # The bus ends with the script, and the services it started with it.
    dbus-run-session -- "$0" --inside "$work" "$@"
    exit
fi

work=$2
program_folder=$3
store=$4
eds=$5
# The program with its desktop module beside it, and its keywords folder.
programCopy "$work" "$program_folder" libjotwise-desktop.so
jotwise="$work/bin/jotwise"

started=()
cleanup() {
    for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

fail() {
    echo "desktop contacts: $*" >&2
    [ -s "$work/jotwise.log" ] && { echo "--- jotwise.log" >&2; cat "$work/jotwise.log" >&2; }
    exit 1
}

expectSync() {
    local got
    got=$("$store" desktop-contacts --sync) || fail "desktop-contacts --sync failed"
    [ "$got" = "$1" ] || fail "desktop-contacts --sync said '$got', not '$1'"
}

"$store" add-contact --first Dana --last Reyes --email dana@example.com >/dev/null
ann=$("$eds" add "Ann Lee" ann@example.com) || fail "no contact could be added to EDS"
expectSync "1 added, 0 updated, 0 removed"
expectSync "0 added, 0 updated, 0 removed"
"$store" items Contacts | grep -q $'\tAnn Lee\tann@example.com$' ||
    fail "Ann Lee is not in Contacts: $("$store" items Contacts)"
filed=$("$jotwise" add --json lunch with ann lee tomorrow at noon) || fail "jotwise add failed"
grep -q '"contact":"Ann Lee"' <<<"$filed" || fail "Ann Lee is no keyword: $filed"

"$eds" change "$ann" ann@new.example || fail "the contact could not be changed in EDS"
expectSync "0 added, 1 updated, 0 removed"
"$store" items Contacts | grep -q $'\tAnn Lee\tann@new.example$' || fail "the change did not follow"
"$eds" remove "$ann" || fail "the contact could not be removed from EDS"
expectSync "0 added, 0 updated, 1 removed"
[ "$("$store" items Contacts | cut -f 3-)" = $'Dana Reyes\tdana@example.com' ] ||
    fail "Contacts holds $("$store" items Contacts)"
echo "desktop contacts: jotwise-store brought in, changed and removed the desktop's contact"

[ -n "${DISPLAY:-}" ] || exit 0
welcomedBefore '[HKEY_CURRENT_USER\Software\Jotwise\Desktop Calendar]
"Enabled"=dword:00000001

'
"$jotwise" >"$work/jotwise.log" 2>&1 &
started+=("$!")
within 30 grep -q "Jotwise is running" "$work/jotwise.log" || fail "the program did not come up"
"$eds" add "Bob Stone" bob@example.com >/dev/null || fail "no contact could be added to EDS"
within 20 sh -c "'$store' items Contacts | grep -q 'Bob Stone'" ||
    fail "the running program did not bring Bob Stone in"
filed=$("$jotwise" add --json call bob stone tomorrow) || fail "jotwise add failed"
grep -q '"contact":"Bob Stone"' <<<"$filed" || fail "Bob Stone is no keyword: $filed"
timeout 20 "$jotwise" quit || fail "quit failed"
echo "desktop contacts: the running program brought in a contact added to the desktop's book"
