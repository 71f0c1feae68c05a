#!/usr/bin/env bash
# The program used with the keyboard alone (no click anywhere): "9  per page",
# the sample board picked in the picture dialog, scenes and pages chosen on
# the board, the Script Editor opened by its menu letters, a script written
# to a scene and saved, "Page Images + Scripts" printed to a PDF, and File >
# Exit by its key. Each step waits until the keyboard is where the user
# expects it (read through AT-SPI); the files written show what was done.
# Usage: keyboard.sh PATH/TO/quorvadine OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/session.sh"
need_tools pdfinfo pdftotext unrtf
# A home folder of its own: the printer dialogue offers a PDF file there.
export HOME="$out/keyboard-home"
rm -rf "$HOME" "$out/keyboard.ScE" && mkdir -p "$HOME"
start_program
atspi focus '9  per page' >/dev/null
xdotool key Return
pick_samples

# The board has the keyboard: arrows move it, Space selects, the page keys page.
atspi focus 'Scene 1' >/dev/null
for step in 'Right|Scene 2' 'Right|Scene 3' 'Down|Scene 6' 'Next|Scene 15' 'End|Scene 24' 'Home|Scene 6' 'Next|Scene 15'; do
    xdotool key "${step%|*}"
    atspi focus "${step#*|}" >/dev/null
done
xdotool key space
atspi board | grep 'Scene 15 selected' || fail "Space did not select scene 15"

# Tools > Script Editor by its letters: the list; Tab to the Edit
# bay, whose "-empty-" the typing replaces; Tab to "<--write to scene".
xdotool key alt+t s
atspi focus 'Scene scripts' >/dev/null
xdotool key Tab
atspi focus 'Edit bay' >/dev/null
xdotool type --delay 20 'Hero walks home'
xdotool key Tab
atspi focus '<--write to scene' >/dev/null
xdotool key space
atspi focus 'Load' >/dev/null
xdotool key Tab
atspi focus 'Save' >/dev/null
xdotool key space
wait_window 15 '^Save a script$' >/dev/null || fail "Save opened no dialog"
atspi focus 'File name:' >/dev/null
xdotool type --delay 10 "$out/keyboard.ScE"
xdotool key Return
wait_gone '^Save a script$' || fail "the Save dialog did not close"
xdotool key Escape
wait_gone '^Script Editor$' || fail "Escape did not close the Script Editor"
atspi focus 'Scene 15' >/dev/null

# File > Print..., past the scene's script to "Page Images + Scripts",
# "Print Setup" (the default button), and Print into the PDF file it offers.
xdotool key alt+f p
wait_window 15 '^Print Preview$' >/dev/null || fail "File > Print... by its letters opened nothing"
atspi focus 'Script of the current view' >/dev/null
xdotool key Tab
atspi focus 'Single Image + Script' >/dev/null
xdotool key Right
atspi focus 'Page Images + Scripts' >/dev/null
xdotool key Return
wait_window 15 '^Print$' >/dev/null || fail "Enter gave no printer dialogue"
atspi focus 'Print to File (PDF)' >/dev/null
xdotool key Return
wait_gone '^Print$' || fail "the printer dialogue did not close"
for _ in $(seq 50); do pdf=$(ls "$HOME"/*.pdf 2>/dev/null) && [ -s "$pdf" ] && break; sleep 0.2; done
atspi focus 'Page Images + Scripts' >/dev/null
xdotool key Escape
wait_gone '^Print Preview$' || fail "Escape did not close the print dialogue"

# File > Exit by its letters: nothing to ask, the scripts are saved.
atspi focus 'Scene 15' >/dev/null
xdotool key alt+f x
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program still runs after File > Exit"
status=0
wait "$app_pid" || status=$?
app_pid=''
[ "$status" -eq 0 ] || fail "the program ended with status $status"

unrtf --text "$out/keyboard.ScE" 2>/dev/null | grep -q '~15\.Hero walks home~16\.-empty-~' || fail "the script file holds no script for scene 15"
[ "$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "the PDF has not two pages"
pdftotext -f 1 -l 1 "$pdf" - | grep -q 'Sc:18' || fail "page 2 of the board was not printed"
pdftotext -f 2 -l 2 "$pdf" - | grep -q 'Hero walks home' || fail "the script was not printed"
echo "keyboard: PASS"
