#!/usr/bin/env bash
# The tray program end to end, as a user drives it, on a display with a tray host (run it
# through scripts/with-xvfb.sh --tray):
#   desktop_end_to_end.sh PROGRAM_FOLDER JOTWISE_STORE GRAB_SCREEN PICTURES_FOLDER
# A profile is seeded with contacts, categories and keywords; the program starts, and notes
# are typed, linked, addressed, given a file, saved and sent with the keyboard; what they
# filed is read back from the store. The pictures taken on the way (splash, note with its
# shadow, tray menu, explorer, contact form) are left in PICTURES_FOLDER. Every wait is
# bounded, and everything else lives in a temporary folder.
set -euo pipefail
source "$(dirname "$0")/desktop.sh"

program_folder=$1
store=$2
grab=$3
pictures=$4

work=$(mktemp -d)
temporaryProfile "$work"
mkdir -p "$XDG_CONFIG_HOME/jotwise" "$pictures"
rm -f "$pictures"/*.png

# The program runs from a folder of its own with its help page, so that its keywords
# folder is the test's too.
programCopy "$work" "$program_folder" "Jotwise for MS Outlook.html"
jotwise="$work/bin/jotwise"
keywords="$work/Jotwise Data/keywords.jwk"

started=()
cleanup() {
    for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "desktop end-to-end: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; cat "$log" >&2; }
    done
    [ -n "${E2E_HOLD:-}" ] && sleep "$E2E_HOLD"
    "$grab" "$pictures/failure.png" 2>/dev/null &&
        echo "the screen at the failure: $pictures/failure.png" >&2
    exit 1
}

# Saves a picture of the bounding box of the given windows, with a margin, as $1.png.
picture() {
    local name=$1 left=100000 top=100000 right=0 bottom=0 x y width height
    shift
    for window in "$@"; do
        read -r x y width height < <(windowRectangle "$window")
        ((x < left)) && left=$x
        ((y < top)) && top=$y
        ((x + width > right)) && right=$((x + width))
        ((y + height > bottom)) && bottom=$((y + height))
    done
    left=$((left > 12 ? left - 12 : 0))
    top=$((top > 12 ? top - 12 : 0))
    "$grab" "$pictures/$name.png" "$left" "$top" $((right + 12 - left)) $((bottom + 12 - top)) ||
        fail "the picture $name could not be saved"
}

# The store's folder listing holds a line with all of the given texts, tab-separated in order.
filed() {
    local folder=$1
    shift
    local pattern
    pattern=$(printf '%s\t' "$@")
    "$store" items "$folder" | grep -qF -- "${pattern%$'\t'}"
}
entryIdOf() { "$store" items "$1" | grep -F -- "$2" | head -n 1 | cut -f1; }
propertiesOf() { "$store" show "$(entryIdOf "$1" "$2")"; }

# Focuses the note whose title matches $1 and waits until it has the keyboard.
focusNote() {
    local note
    within 10 visibleWindow "$pid" "$1" || fail "no note titled $1"
    note=$(visibleWindow "$pid" "$1")
    xdotool windowraise "$note" windowfocus --sync "$note" 2>/dev/null || true
}
noteTitled() { visibleWindow "$pid" "$1" >/dev/null; }
allNotesClosed() { within 10 sh -c "! xdotool search --all --onlyvisible --pid $pid --name ' - Jotwise\$'"; }
notesOpen() {
    { xdotool search --all --onlyvisible --pid "$pid" --name ' - Jotwise$' || true; } | wc -l
}
waitForWindow() {
    within 10 visibleWindow "$pid" "$1" || fail "$2"
}
waitUntilGone() {
    within 10 sh -c "! xdotool search --all --onlyvisible --pid $pid --name '$1'" || fail "$2"
}
openNote() {
    local before
    before=$(notesOpen)
    xdotool key ctrl+alt+n
    within 10 sh -c "[ \$(xdotool search --all --onlyvisible --pid $pid --name ' - Jotwise\$' |
        wc -l) -gt $before ]" || fail "Ctrl+Alt+N opened no note"
}
newestNote() {
    xdotool search --all --onlyvisible --pid "$pid" --name ' - Jotwise$' | tail -n 1
}
# The note's shadow: the program's other visible window level with the note's top.
shadowOf() {
    local note=$1 top y
    read -r _ top _ _ < <(windowRectangle "$note")
    for window in $(xdotool search --all --onlyvisible --pid "$pid" --classname jotwise); do
        read -r _ y _ _ < <(windowRectangle "$window")
        if [ "$y" = "$top" ] && [ "$window" != "$note" ] && [ "$window" != "${icon:-}" ]; then
            echo "$window"
            return 0
        fi
    done
    return 1
}
# A window titled with the program's name besides the tray icon, while no note (whose shadow
# carries that name too) is open: the splash.
programBox() {
    local window
    for window in $(xdotool search --all --onlyvisible --pid "$pid" --name '^Jotwise for Microsoft Outlook$'); do
        [ "$window" = "${icon:-}" ] && continue
        echo "$window"
        return 0
    done
    return 1
}
openTrayMenu() {
    clickCentre "$icon" 3
    within 5 sh -c "[ \$(xdotool search --all --onlyvisible --pid $pid --classname jotwise |
        wc -l) -ge 2 ]" || fail "the tray menu did not open"
}
# Chooses the tray menu's item $1 places from the top (counting from 1).
chooseFromTrayMenu() {
    openTrayMenu
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return
}

# ---- The profile: contacts with e-mail addresses, categories and keywords ----
ann=$("$store" add-contact --first Ann --last Lee --email ann@example.com --company Acme) ||
    fail "the contacts could not be seeded"
"$store" add-contact --first Bob --last Smith --email bob@example.com >/dev/null
# A profile the program has run on before: the Getting Started window of a first start stays
# closed, and the windows below are the only ones.
welcomedBefore '[HKEY_CURRENT_USER\Software\Microsoft\Office\8.0\Outlook\Categories]
@="Business;Errands;Personal"

'
# What the notes send is taken by a mail command that keeps it as a file.
"$store" mail --command "cat > \"$work/sent.eml\"" --from "Jo Wise <jo@example.org>" >/dev/null
# Keywords the user gave: "annie" names Ann Lee, "biz" the category Business.
printf 'annie,,,%s\nbiz,,Business,\n' "$ann" >"$keywords"
echo "a file to send" >"$HOME/budget.txt"

# ---- Start: the splash, then the tray icon ----
"$jotwise" >"$work/jotwise.log" 2>"$work/jotwise-stderr.log" &
pid=$!
started+=("$pid")
within 10 programBox || fail "no splash appeared"
splash=$(programBox)
picture 01-splash "$splash"
within 20 trayIcon "$pid" || fail "no tray icon appeared"
icon=$(trayIcon "$pid")
# Whoever started it from a terminal is told once that it is up and how to reach it.
running_line="Jotwise is running: press Ctrl+Alt+N for a note; its icon is in the system tray"
within 10 grep -qxF "$running_line" "$work/jotwise-stderr.log" ||
    fail "standard error does not say that the program is running"

# ---- An appointment with a contact, a category and a journal entry ----
openNote
note=$(newestNote)
focusNote '^Task - Jotwise'
xdotool type --delay 20 "lunch with annie tomorrow at noon biz"
within 10 noteTitled '^Appointment - Jotwise' || fail "the note did not become an appointment"
shadow=$(shadowOf "$note") || fail "the note has no shadow beside it"
picture 02-note-and-shadow "$note" "$shadow"
xdotool key ctrl+s
tomorrow=$(date -d tomorrow +%F)
subject="lunch with annie tomorrow at noon biz"
within 10 filed Calendar IPM.Appointment "$subject" "$tomorrow 12:00" ||
    fail "the appointment was not filed for tomorrow at noon"
appointment=$(propertiesOf Calendar "$subject")
grep -q "(End)  $tomorrow 13:00:00" <<<"$appointment" || fail "the appointment does not end at 1pm"
grep -q "(Categories)  Business" <<<"$appointment" || fail "the appointment lost its category"
grep -qF "Attachment: Ann Lee (by reference to $ann)" <<<"$appointment" ||
    fail "the appointment is not linked to Ann Lee"
filed Journal IPM.Activity "$subject" || fail "no journal entry was made for the appointment"
allNotesClosed || fail "the saved note did not close"

# ---- A second note while the first is open cascades by 34 pixels ----
openNote
first=$(newestNote)
openNote
second=$(newestNote)
read -r x1 y1 _ _ < <(windowRectangle "$first")
read -r x2 y2 _ _ < <(windowRectangle "$second")
[ $((x2 - x1)) = 34 ] && [ $((y2 - y1)) = 34 ] ||
    fail "the second note is at $x2,$y2, the first at $x1,$y1: not 34 pixels down and right"

# ---- A contact added by another program while the note is open reaches its shadow ----
cleo=$("$store" add-contact --first Cleo --last Park --email cleo@example.com)
# The program looks for other programs' changes twice a second.
sleep 2
xdotool windowraise "$second" windowfocus --sync "$second" 2>/dev/null || true
xdotool type --delay 20 "call cleo park friday"
xdotool key ctrl+s
within 10 filed Tasks IPM.Task "call cleo park friday" || fail "the task was not filed"
grep -qF "Attachment: Cleo Park (by reference to $cleo)" <<<"$(propertiesOf Tasks "call cleo park")" ||
    fail "the contact added while the note was open was not recognised"

# ---- A task request addressed in the address book, with a file attached ----
xdotool windowraise "$first" windowfocus --sync "$first" 2>/dev/null || true
xdotool type --delay 20 "please send the budget by friday"
xdotool key ctrl+r
waitForWindow '^Browse Address Book$' "Ctrl+R opened no address book"
book=$(visibleWindow "$pid" '^Browse Address Book$')
xdotool windowfocus --sync "$book" 2>/dev/null || true
# Search for Bob, go to the list, select him, put him in To and confirm.
xdotool type --delay 20 bob
xdotool key --delay 150 Tab space alt+t Return
waitUntilGone '^Browse Address Book$' "the address book did not close"
within 10 noteTitled '^Task Request - Jotwise' || fail "the note did not become a task request"
# Without a window manager nobody hands the keyboard back to the note when a dialog closes.
focusNote '^Task Request - Jotwise'
xdotool key ctrl+f
waitForWindow '^Attach File$' "Ctrl+F opened no file dialog"
xdotool type --delay 10 "$HOME/budget.txt"
xdotool key Return
waitUntilGone '^Attach File$' "the file dialog did not close"
focusNote '^Task Request - Jotwise'
picture 03-task-request "$first" "$(shadowOf "$first")"
xdotool key ctrl+s
within 10 filed "Sent Items" IPM.TaskRequest "please send the budget by friday" ||
    fail "the task request was not sent"
request=$(propertiesOf "Sent Items" "please send the budget")
grep -qF "Recipient: To Bob Smith (E-mail) <bob@example.com>" <<<"$request" ||
    fail "the task request did not go to Bob Smith"
grep -qF "Attachment: budget.txt (15 bytes)" <<<"$request" ||
    fail "the task request lost its attachment"
grep -q "^To: Bob Smith <bob@example.com>" "$work/sent.eml" ||
    fail "the task request did not reach the mail command"
allNotesClosed || fail "the sent note did not close"

# ---- The tray menu, the explorer, and a contact typed into the contact form ----
openTrayMenu
menu=$(xdotool search --all --onlyvisible --pid "$pid" --classname jotwise | grep -vx "$icon" |
    head -n 1)
picture 04-tray-menu "$menu" "$icon"
xdotool key Escape
chooseFromTrayMenu 3 # Open Outlook
waitForWindow 'Jotwise Store$' "Open Outlook showed no explorer"
explorer=$(visibleWindow "$pid" 'Jotwise Store$')
sleep 0.5
picture 05-explorer "$explorer"
xdotool windowfocus --sync "$explorer" 2>/dev/null || true
xdotool key ctrl+w
waitUntilGone 'Jotwise Store$' "the explorer did not close"
chooseFromTrayMenu 2 # New Contact
waitForWindow '^Untitled - Contact$' "New Contact showed no contact form"
form=$(visibleWindow "$pid" '^Untitled - Contact$')
picture 06-contact-form "$form"
xdotool windowfocus --sync "$form" 2>/dev/null || true
xdotool type --delay 20 Dana
xdotool key Tab
xdotool type --delay 20 Reyes
xdotool key alt+s
waitUntilGone 'Contact$' "Save & Close did not close the contact form"
filed Contacts IPM.Contact "Dana Reyes" || fail "the contact form did not store Dana Reyes"

[ "$(grep -cxF "$running_line" "$work/jotwise-stderr.log")" = 1 ] ||
    fail "the running line was written more than once"

# ---- A second copy shows its box and ends with 0 ----
"$jotwise" >"$work/second.log" 2>&1 &
second_copy=$!
started+=("$second_copy")
within 10 visibleWindow "$second_copy" 'Jotwise for Microsoft Outlook' ||
    fail "the second copy showed no box"
box=$(visibleWindow "$second_copy" 'Jotwise for Microsoft Outlook')
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
within 10 ended "$second_copy" || fail "the second copy did not end after its box"
status=0
wait "$second_copy" || status=$?
[ "$status" = 0 ] || fail "the second copy ended with $status, not 0"
running "$pid" || fail "the first copy ended with the second"

# ---- Exit with an unsaved note: its question is answered, the keywords file written ----
openNote
focusNote '^Task - Jotwise'
xdotool type --delay 20 "dinner with bob smith friday at 7pm"
within 10 noteTitled '^Appointment - Jotwise' || fail "the unsaved note did not become an appointment"
rm -f "$keywords"
chooseFromTrayMenu 8 # Exit
waitForWindow '^Jotwise for Microsoft Outlook$' "Exit did not ask about the unsaved note"
xdotool key alt+y
within 10 ended "$pid" || fail "Exit did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "the program ended with $status after Exit"
filed Calendar IPM.Appointment "dinner with bob smith friday at 7pm" ||
    fail "the note saved on Exit was not filed"
grep -qx "annie,,,$ann" "$keywords" && grep -qx "biz,,Business," "$keywords" ||
    fail "Exit did not write the keywords file with the user's keywords"
[ -z "$(xdotool search --all --classname jotwise 2>/dev/null)" ] ||
    fail "the tray icon is still there after Exit"

# ---- A termination signal ends a run cleanly, even with a note open ----
"$jotwise" >"$work/third.log" 2>&1 &
pid=$!
started+=("$pid")
within 20 trayIcon "$pid" || fail "no tray icon appeared on the second run"
openNote
xdotool type --delay 20 "a note left open"
kill -TERM "$pid"
within 10 ended "$pid" || fail "a termination signal did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "the program ended with $status after a termination signal"

echo "desktop end-to-end: passed; pictures in $pictures"
